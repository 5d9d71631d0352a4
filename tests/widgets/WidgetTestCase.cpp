#include "WidgetTestCase.h"

#include "Magnifier.h"
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
