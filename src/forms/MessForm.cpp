#include "MessForm.h"

#include "MessFormLayout.h"
#include "TintorMain.h"
#include "core/MessageMetrics.h"

#include <QCloseEvent>
#include <QFrame>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>

TMessageForm* MessageForm = nullptr;

TMessageForm::TMessageForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("MessageForm"));
    const FormLayout::Window& layout = MessageFormLayout();
    FormLayout::applyWindow(this, layout);
    setBackgroundRole(QPalette::Button);

    MessagePanel = new QFrame(this);
    FormLayout::apply(MessagePanel, FormLayout::row(layout, "MessagePanel"));
    MessagePanel->setFrameStyle(QFrame::Box | QFrame::Raised); // raised outside, lowered inside
    MessagePanel->setLineWidth(2);

    MessageMemo = new QTextEdit(this);
    FormLayout::apply(MessageMemo, FormLayout::row(layout, "MessageMemo"));
    MessageMemo->setReadOnly(true);
    MessageMemo->setAcceptRichText(false);
    MessageMemo->setFrameStyle(QFrame::NoFrame);
    MessageMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MessageMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MessageMemo->setLineWrapMode(QTextEdit::WidgetWidth);
    MessageMemo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    MessageMemo->document()->setDocumentMargin(0);
    QPalette palette = MessageMemo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    MessageMemo->setPalette(palette);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    // A coarse timer may fire early; every showing gets its whole interval.
    Timer->setTimerType(Qt::PreciseTimer);
    connect(Timer, &QTimer::timeout, this, &TMessageForm::TimerTimer);
    FormLayout::applyTabOrder(this, layout);
}

TMessageForm::~TMessageForm() {
    if (MessageForm == this) {
        MessageForm = nullptr;
    }
}

void TMessageForm::ShowTimedMessage(const QString& first, const QString& second, std::uint16_t ms) {
    m_waiting.push_back({first, second, ms});
    if (isVisible()) {
        return; // the showing under way on the stack below shows it next
    }
    while (!m_waiting.empty()) {
        const Message next = m_waiting.front();
        m_waiting.pop_front();
        showMessage(next);
    }
}

void TMessageForm::showMessage(const Message& message) {
    QStringList lines;
    for (const QString& line : {message.first, message.second}) {
        if (!line.isEmpty()) {
            lines << line;
        }
    }
    MessageMemo->setPlainText(lines.join(QLatin1Char('\n')));

    const QFont font = MessageMemo->font();
    const int points =
        font.pixelSize() > 0 ? PointSizeFromPixels(font.pixelSize()) : font.pointSize();
    const int memoHeight = MessageMemoHeight(displayedLines(), points);
    MessageMemo->resize(MessageMemo->width(), memoHeight);
    setFixedSize(width(), MessageWindowHeight(memoHeight));
    MessagePanel->resize(size());
    // A zero interval would leave the caller waiting for ever.
    Timer->setInterval(std::max<int>(message.ms, 1));
    exec();
}

int TMessageForm::displayedLines() {
    QTextDocument* document = MessageMemo->document();
    if (document->isEmpty()) {
        return 0;
    }
    // The memo wraps at its own width; lay the text out at that width now, before it shows.
    document->setTextWidth(MessageMemo->width() - 2 * MessageMemo->frameWidth());
    document->size(); // completes the layout
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines += block.layout()->lineCount();
    }
    return lines;
}

void TMessageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TMessageForm::FormShow() {
    // Centred over the main window the first time only; later showings keep the place.
    if (!testAttribute(Qt::WA_Moved) && MainForm != nullptr) {
        const QRect owner = MainForm->frameGeometry();
        move(CentredStart(owner.left(), owner.width(), width()),
             CentredStart(owner.top(), owner.height(), height()));
    }
    Timer->start();
}

void TMessageForm::TimerTimer() {
    Timer->stop();
    accept();
}

void TMessageForm::hideEvent(QHideEvent* event) {
    Timer->stop();
    QDialog::hideEvent(event);
}

void TMessageForm::closeEvent(QCloseEvent* event) {
    // Only the timer ends a showing, and it hides the window without closing it.
    event->ignore();
}

void TMessageForm::reject() {
    // Escape does nothing either.
}
