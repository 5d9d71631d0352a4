#include "MethodName.h"

#include <QCoreApplication>

QString methodName(SamplingMethod method) {
    // The main window's texts: its title is where they show.
    switch (method) {
    case SamplingMethod::SinglePixel:
        return QCoreApplication::translate("MainWindow", "Single Pixel");
    case SamplingMethod::Mean3x3:
        return QCoreApplication::translate("MainWindow", "3x3 Average");
    case SamplingMethod::Mean5x5:
        return QCoreApplication::translate("MainWindow", "5x5 Average");
    case SamplingMethod::Mean7x7:
        return QCoreApplication::translate("MainWindow", "7x7 Average");
    }
    return QStringLiteral("..."); // a stored value past the known methods
}
