#include "ColourOutputs.h"

#include "ColourCopy.h"
#include "ColourMaths.h"
#include "WindowPlacement.h"

#include <QLineEdit>

ColourOutputs::ColourOutputs(QWidget& window, QLineEdit* rgb, QLineEdit* web,
                             RecentColoursMenu& recent)
    : QObject(&window), m_rgb(rgb), m_web(web) {
    for (QLineEdit* field : {rgb, web}) {
        field->setTextMargins(0, 0, 0, 0);
        showOnButtonFace(*field);
    }
    m_copy = new ColourCopy(window, rgb, web, recent);
}

void ColourOutputs::show(Rgb colour) {
    m_rgb->setText(colourText(colour));
    m_web->setText(colourText(webSafe(colour)));
    m_copy->setColour(colour);
}
