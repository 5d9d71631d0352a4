#include "ProgramEnvironment.h"

QProcessEnvironment ProgramEnvironment(const QStringList& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    for (const QString& pair : extra) {
        const auto split = pair.indexOf(QLatin1Char('='));
        env.insert(pair.left(split), pair.mid(split + 1));
    }
    return env;
}
