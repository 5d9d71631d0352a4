#include "Language.h"

#include <QTest>

#include <cstdlib>

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void localeSelectsInterface_data();
    void localeSelectsInterface();
    void precedenceFollowsTheCLibrary_data();
    void precedenceFollowsTheCLibrary();
};

void LanguageTest::localeSelectsInterface_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("dutch");
    QTest::newRow("Dutch, Netherlands") << "nl_NL.UTF-8" << true;
    QTest::newRow("Dutch, Belgium") << "nl_BE.UTF-8" << true;
    QTest::newRow("Belgium with modifier") << "nl_BE.UTF-8@euro" << true;
    QTest::newRow("modifier without codeset") << "nl_BE@euro" << true;
    QTest::newRow("Afrikaans") << "af_ZA.UTF-8" << true;
    QTest::newRow("bare nl") << "nl" << true;
    QTest::newRow("bare af") << "af" << true;
    QTest::newRow("bare nl with codeset") << "nl.UTF-8" << true;
    QTest::newRow("Dutch, Suriname") << "nl_SR.UTF-8" << false;
    QTest::newRow("Dutch, Aruba") << "nl_AW" << false;
    QTest::newRow("Afrikaans, Namibia") << "af_NA" << false;
    QTest::newRow("Frisian") << "fy_NL.UTF-8" << false;
    QTest::newRow("German") << "de_DE.UTF-8" << false;
    QTest::newRow("English") << "en_GB.UTF-8" << false;
    QTest::newRow("C") << "C" << false;
    QTest::newRow("C.UTF-8") << "C.UTF-8" << false;
    QTest::newRow("POSIX") << "POSIX" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("BCP 47 form") << "nl-NL" << false;
    QTest::newRow("wrong case") << "NL_nl" << false;
    QTest::newRow("dangling underscore") << "nl_" << false;
    QTest::newRow("long territory") << "nl_NLD" << false;
    QTest::newRow("path") << "/usr/share/locale/nl" << false;
    QTest::newRow("only codeset") << ".UTF-8" << false;
}

void LanguageTest::localeSelectsInterface() {
    QFETCH(QString, locale);
    QFETCH(bool, dutch);
    QCOMPARE(languageForLocale(locale.toLatin1().constData()) == InterfaceLanguage::Dutch, dutch);
}

void LanguageTest::precedenceFollowsTheCLibrary_data() {
    QTest::addColumn<QString>("lcAll");
    QTest::addColumn<QString>("lcMessages");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("LC_ALL wins") << "de_DE"
                                 << "nl_NL"
                                 << "nl_NL"
                                 << "de_DE";
    QTest::newRow("LC_MESSAGES before LANG") << ""
                                             << "nl_BE"
                                             << "en_US"
                                             << "nl_BE";
    QTest::newRow("LANG last") << ""
                               << ""
                               << "af_ZA"
                               << "af_ZA";
    QTest::newRow("none") << ""
                          << ""
                          << ""
                          << "";
}

void LanguageTest::precedenceFollowsTheCLibrary() {
    QFETCH(QString, lcAll);
    QFETCH(QString, lcMessages);
    QFETCH(QString, lang);
    QFETCH(QString, chosen);
    const QByteArray a = lcAll.toLatin1(), m = lcMessages.toLatin1(), l = lang.toLatin1();
    const auto text = [](std::string_view locale) {
        return QString::fromLatin1(locale.data(), static_cast<qsizetype>(locale.size()));
    };
    QCOMPARE(text(messagesLocale(a.constData(), m.constData(), l.constData())), chosen);
    QCOMPARE(text(messagesLocale(nullptr, nullptr, l.constData())), lang);
}

QTEST_APPLESS_MAIN(LanguageTest)
#include "tst_language.moc"
