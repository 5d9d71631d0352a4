#pragma once

#include <QDialog>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

namespace Ui {
class TimedMessage;
}

// A small borderless window that shows one or two lines for a given time and then goes
// away by itself.  The user cannot close it early, but it never blocks the window it
// reports to: that stays usable, and closing it ends the program at once.  Each showing
// ends with finished(); a dismissal ends it without.
class TimedMessage : public QDialog {
    Q_OBJECT
public:
    explicit TimedMessage(QWidget* parent = nullptr);
    ~TimedMessage() override;

    // Shows `first` and `second` (an empty line is left out) in a window sized to the lines
    // they take, for `ms` milliseconds.  While a message shows, another waits for its turn
    // and then gets its own full time; a message that is showing or waiting already is not
    // shown twice.  Only a message that `takesKeyboard` is activated; any other leaves the
    // keyboard where it is, so that typing there goes on.
    void showMessage(const QString& first, const QString& second, int ms,
                     bool takesKeyboard = false);

    // Ends the showing and forgets every waiting message: the owner is closing.
    void dismiss();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct Message {
        QString first;
        QString second;
        int ms;
        bool takesKeyboard;
        bool operator==(const Message& other) const {
            return first == other.first && second == other.second;
        }
    };
    void showNext();
    void present(const Message& message);
    // The lines the text shows, wrapped lines counted once per line shown.
    int displayedLines();

    std::unique_ptr<Ui::TimedMessage> m_ui;
    QTimer m_timer;
    std::deque<Message> m_waiting;
    std::optional<Message> m_showing;
};
