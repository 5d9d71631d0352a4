#include "TimedMessage.h"

#include "FormFonts.h"
#include "MessageMetrics.h"
#include "WindowPlacement.h"
#include "ui_TimedMessage.h"

#include <QCloseEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWindow>

#include <algorithm>

TimedMessage::TimedMessage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::TimedMessage>()) {
    setupWithFormFonts(*m_ui, this);
    setUpFixedWindow(*this);
    // Closing the main window must end the program even while a message shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    QTextEdit* text = m_ui->messageText;
    text->setLineWrapMode(QTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->document()->setDocumentMargin(0);
    showOnButtonFace(*text);

    m_timer.setSingleShot(true);
    // A coarse timer may fire early; every showing gets its whole interval.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_showing.reset();
        accept(); // finished() marks the end of each showing
        showNext();
    });
}

TimedMessage::~TimedMessage() = default;

void TimedMessage::showMessage(const QString& first, const QString& second, int ms,
                               bool takesKeyboard) {
    const Message message{first, second, ms, takesKeyboard};
    if (m_showing == message ||
        std::find(m_waiting.begin(), m_waiting.end(), message) != m_waiting.end()) {
        return; // one report of a repeated failure is enough
    }
    m_waiting.push_back(message);
    if (!m_showing) {
        showNext();
    }
}

void TimedMessage::showNext() {
    if (m_waiting.empty()) {
        return;
    }
    m_showing = m_waiting.front();
    m_waiting.pop_front();
    present(*m_showing);
}

void TimedMessage::present(const Message& message) {
    QStringList lines;
    for (const QString& line : {message.first, message.second}) {
        if (!line.isEmpty()) {
            lines << line;
        }
    }
    QTextEdit* text = m_ui->messageText;
    text->setPlainText(lines.join(QLatin1Char('\n')));
    const QFont font = text->font();
    const int points =
        font.pixelSize() > 0 ? pointSizeFromPixels(font.pixelSize()) : font.pointSize();
    const int textHeight = messageMemoHeight(displayedLines(), points);
    text->resize(text->width(), textHeight);
    setFixedSize(width(), messageWindowHeight(textHeight));
    m_ui->panel->resize(size());
    centreOverParentOnce(*this);
    // A zero interval would never let the message be seen.
    m_timer.start(std::max(message.ms, 1));
    // The attribute reaches a native window only when it is made; later showings read the
    // window's own property.
    setAttribute(Qt::WA_ShowWithoutActivating, !message.takesKeyboard);
    if (QWindow* handle = windowHandle()) {
        handle->setProperty("_q_showWithoutActivating", !message.takesKeyboard);
    }
    show();
    raise();
}

int TimedMessage::displayedLines() {
    QTextDocument* document = m_ui->messageText->document();
    if (document->isEmpty()) {
        return 0;
    }
    // The text wraps at its own width; lay it out at that width now, before it shows.
    document->setTextWidth(m_ui->messageText->width() - 2 * m_ui->messageText->frameWidth());
    document->size(); // completes the layout
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines += block.layout()->lineCount();
    }
    return lines;
}

void TimedMessage::dismiss() {
    m_timer.stop();
    m_waiting.clear();
    m_showing.reset();
    hide();
}

void TimedMessage::closeEvent(QCloseEvent* event) {
    // Only the timer ends a showing.
    event->ignore();
}

void TimedMessage::reject() {
    // Escape does nothing either.
}
