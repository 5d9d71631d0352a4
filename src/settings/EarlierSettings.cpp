#include "EarlierSettings.h"

#include <QRegularExpression>
#include <QStringConverter>
#include <QStringTokenizer>

std::optional<std::uint32_t> scanEarlierMethod(const QByteArray& text) {
    // Registry exports may be UTF-16 with a byte-order mark; 1.0 wrote plain ASCII.
    QStringDecoder decode(QStringConverter::encodingForData(text).value_or(QStringConverter::Utf8));
    const QString decoded = decode(text);
    // Value names compare without regard to case, as the registry's do.
    static const QRegularExpression method(
        QStringLiteral(R"(^"Method"\s*=\s*dword:([0-9a-f]{1,8})$)"),
        QRegularExpression::CaseInsensitiveOption);
    std::optional<std::uint32_t> found;
    bool inKey = false;
    for (QStringView line : QStringTokenizer(decoded, u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inKey =
                line.compare(u"[Software\\Tintor]", Qt::CaseInsensitive) == 0 ||
                line.compare(u"[HKEY_CURRENT_USER\\Software\\Tintor]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const QRegularExpressionMatch match = method.match(line.toString());
        if (inKey && match.hasMatch()) {
            found = match.capturedView(1).toUInt(nullptr, 16); // the last one counts
        }
    }
    return found;
}
