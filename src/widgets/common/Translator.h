#pragma once

#include "Language.h"

#include <QTranslator>

// Installs the interface language's catalogues: Tintor's own, embedded in the binary, and
// Qt's, for the texts of Qt's own widgets (a text field's context menu).
class Translator {
public:
    explicit Translator(InterfaceLanguage language);

    // The language the user's locale asks for, by Tintor's rule rather than Qt's: Qt's
    // QLocale::uiLanguages() would also take LANGUAGE and the territory-less fallbacks
    // into account, which this program's rule deliberately ignores.
    static InterfaceLanguage fromEnvironment();

private:
    QTranslator m_tintor;
    QTranslator m_qt;
};
