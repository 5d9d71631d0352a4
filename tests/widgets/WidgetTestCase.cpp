#include "WidgetTestCase.h"

#include "Magnifier.h"
#include "StepArrows.h"
#include "TimedMessage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QPushButton* WidgetTestCase::pickButton() const {
    return find<QPushButton>("pickButton");
}

QLabel* WidgetTestCase::coordinates() const {
    return find<QLabel>("coordinatesLabel");
}

Magnifier* WidgetTestCase::magnifier() const {
    return find<Magnifier>("magnifier");
}

QLineEdit* WidgetTestCase::output(const char* name) const {
    return find<QLineEdit>(name);
}

TimedMessage* WidgetTestCase::message() const {
    return m_test->child<TimedMessage>();
}

void WidgetTestCase::watchTexts() {
    m_log.clear();
    for (const Channel channel : AllChannels) {
        QLineEdit* field = m_test->field(channel);
        StepArrows* steps = m_test->arrows(channel);
        connect(field, &QLineEdit::textChanged, this, [this, field, steps](const QString& t) {
            m_log << QStringLiteral("%1=%2@%3").arg(field->objectName(), t).arg(steps->position());
        });
    }
    for (QLineEdit* shown : {output("rgbText"), output("webText")}) {
        connect(shown, &QLineEdit::textChanged, this,
                [this, shown](const QString& t) { m_log << shown->objectName() + '=' + t; });
    }
}
