#pragma once

#include <QDialog>

#include <cstdint>
#include <deque>

class QFrame;
class QTextEdit;
class QTimer;

// A small borderless window that shows one or two lines for a given time and then goes
// away by itself.  The user cannot close it early.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* parent = nullptr);
    ~TMessageForm() override;
    TMessageForm(const TMessageForm&) = delete;
    TMessageForm& operator=(const TMessageForm&) = delete;

    // Controls, by the names the layout gives them.
    QFrame* MessagePanel;
    QTextEdit* MessageMemo;
    QTimer* Timer;

    // Shows `first` and `second` (an empty line is left out) in a window sized to the lines
    // they take, modally, for `ms` milliseconds, and returns once it has gone.  Called while
    // a message is showing (a second report arriving meanwhile), it queues the message,
    // which follows with its own full time, and returns at once.
    void ShowTimedMessage(const QString& first, const QString& second, std::uint16_t ms);

    void FormShow();
    void TimerTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct Message {
        QString first;
        QString second;
        std::uint16_t ms;
    };
    void showMessage(const Message& message);
    // The lines the memo shows its text in, wrapped lines counted once per line shown.
    int displayedLines();

    std::deque<Message> m_waiting;
};

// The program's one message window.
extern TMessageForm* MessageForm;
