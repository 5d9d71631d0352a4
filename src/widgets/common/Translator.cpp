#include "Translator.h"

#include "WidgetsLog.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstdlib>

Translator::Translator(InterfaceLanguage language) {
    if (language != InterfaceLanguage::Dutch) {
        return; // the texts in the code are the English ones
    }
    if (m_tintor.load(QStringLiteral(":/i18n/tintor_nl.qm"))) {
        QCoreApplication::installTranslator(&m_tintor);
    } else {
        qCWarning(lcWidgets) << "the Dutch texts are missing from this build; using English";
    }
    // Qt's own catalogue is a separate package; without it Qt's few texts stay English.
    if (m_qt.load(QStringLiteral("qtbase_nl"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qt);
    }
}

InterfaceLanguage Translator::fromEnvironment() {
    return languageForLocale(
        messagesLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")));
}
