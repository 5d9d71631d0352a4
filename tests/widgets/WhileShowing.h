#pragma once

#include <QDialog>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Runs `check` each time `window` has come up, from inside the modal loop that shows it:
// the one place a test can look at a modal window that its caller is still waiting for.
class WhileShowing final : public QObject {
public:
    WhileShowing(QWidget& window, std::function<void()> check)
        : m_window(window), m_check(std::move(check)) {
        window.installEventFilter(this);
    }
    ~WhileShowing() override { m_window.removeEventFilter(this); }
    WhileShowing(const WhileShowing&) = delete;
    WhileShowing& operator=(const WhileShowing&) = delete;

    int showings = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Show) {
            ++showings;
            QTimer::singleShot(0, this, m_check);
        }
        return false;
    }

private:
    QWidget& m_window;
    std::function<void()> m_check;
};

// Opens the modal `dialog` by `open` and runs `inside` once it is on the screen; `open` may
// return before the dialog comes up (a mnemonic clicks its button a moment later).  Should
// `inside` return with the dialog still up (a failed check returns early), the dialog is
// ended, so a failure cannot leave the test waiting in the modal loop.  Returns how often
// the dialog came up.
inline int runModal(QDialog& dialog, const std::function<void()>& open,
                    const std::function<void()>& inside) {
    WhileShowing probe(dialog, [&] {
        if (QTest::qWaitForWindowExposed(&dialog)) {
            inside();
        }
        if (dialog.isVisible()) {
            dialog.done(QDialog::Rejected);
        }
    });
    open();
    (void)QTest::qWaitFor([&] { return probe.showings > 0 && !dialog.isVisible(); });
    return probe.showings;
}

// Watches the whole application for windows of type T coming up: a dialog that its owner
// makes only when it is first opened.  `shown` is the last one that came up.
template <typename T> class WhileAnyShowing final : public QObject {
public:
    explicit WhileAnyShowing(std::function<void(T&)> check) : m_check(std::move(check)) {
        qApp->installEventFilter(this);
    }
    ~WhileAnyShowing() override { qApp->removeEventFilter(this); }
    WhileAnyShowing(const WhileAnyShowing&) = delete;
    WhileAnyShowing& operator=(const WhileAnyShowing&) = delete;

    int showings = 0;
    T* shown = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        T* window = qobject_cast<T*>(watched);
        if (window != nullptr && event->type() == QEvent::Show) {
            ++showings;
            shown = window;
            QTimer::singleShot(0, this, [this, window] { m_check(*window); });
        }
        return false;
    }

private:
    std::function<void(T&)> m_check;
};

// runModal() for a dialog that comes into being when `open` asks for it.  Returns how often
// a T came up; `*dialog`, when given, is the one that did.
template <typename T>
int runModalOf(const std::function<void()>& open, const std::function<void(T&)>& inside,
               T** dialog = nullptr) {
    WhileAnyShowing<T> probe([&](T& shown) {
        if (QTest::qWaitForWindowExposed(&shown)) {
            inside(shown);
        }
        if (shown.isVisible()) {
            shown.done(QDialog::Rejected);
        }
    });
    open();
    (void)QTest::qWaitFor([&] { return probe.showings > 0 && !probe.shown->isVisible(); });
    if (dialog != nullptr) {
        *dialog = probe.shown;
    }
    return probe.showings;
}
