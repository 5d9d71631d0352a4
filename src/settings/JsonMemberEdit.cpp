#include "JsonMemberEdit.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QByteArray ByteOrderMark = "\xEF\xBB\xBF";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Walks the members of the top-level object.  The text has parsed as JSON already, so
// this only finds where things are; it does not check them again.
class MemberScanner {
public:
    explicit MemberScanner(const QByteArray& text)
        : m_text(text), m_pos(text.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0) {}

    [[nodiscard]] qsizetype pos() const { return m_pos; }

    bool take(char c) {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    // A member's name with its quotes, as written; empty when there is none.
    QByteArray name() {
        skipSpace();
        const qsizetype start = m_pos;
        return m_pos < m_text.size() && m_text[m_pos] == '"' && skipString()
                   ? m_text.mid(start, m_pos - start)
                   : QByteArray();
    }

    // Skips one value and returns where it ends, before any space; -1 when it does not.
    qsizetype skipValue() {
        skipSpace();
        int depth = 0;
        qsizetype end = -1;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if ((c == ',' || c == '}' || c == ']') && depth == 0) {
                return end;
            }
            if (c == '"' && !skipString()) {
                return -1;
            }
            if (c != '"') {
                depth += (c == '{' || c == '[') ? 1 : (c == '}' || c == ']') ? -1 : 0;
                ++m_pos;
            }
            end = isSpace(c) ? end : m_pos;
        }
        return -1;
    }

    void skipSpace() {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) {
            ++m_pos;
        }
    }

private:
    bool skipString() {
        for (++m_pos; m_pos < m_text.size(); ++m_pos) {
            if (m_text[m_pos] == '\\') {
                ++m_pos;
            } else if (m_text[m_pos] == '"') {
                ++m_pos;
                return true;
            }
        }
        return false;
    }

    const QByteArray& m_text;
    qsizetype m_pos;
};

bool isNamed(const QByteArray& written, QLatin1String name) {
    if (!written.contains('\\')) {
        return QLatin1String(written.mid(1, written.size() - 2)) == name;
    }
    // Written with escapes ("\u004dethod"): let the parser say what it is.
    return QJsonDocument::fromJson('[' + written + ']').array().at(0).toString() == name;
}

// The value as JSON text, as QJsonDocument writes it.
QByteArray jsonText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

Result<QByteArray> withMember(const QByteArray& text, QLatin1String name, const QJsonValue& value) {
    const QByteArray json = jsonText(value);
    const QByteArray member = '"' + QByteArray(name.data(), name.size()) + "\": " + json;
    MemberScanner scanner(text);
    if (!scanner.take('{')) {
        if (isBlankJson(text)) {
            return "{\n    " + member + "\n}\n";
        }
        return Failure{QStringLiteral("it does not start as a JSON object")};
    }
    const qsizetype open = scanner.pos();
    scanner.skipSpace();
    const QByteArray indent = text.mid(open, scanner.pos() - open);
    qsizetype start = -1;
    qsizetype end = -1;
    qsizetype lastEnd = -1;
    if (!scanner.take('}')) {
        do {
            const QByteArray written = scanner.name();
            if (written.isEmpty() || !scanner.take(':')) {
                return Failure{QStringLiteral("a member without a name")};
            }
            scanner.skipSpace();
            const qsizetype valueStart = scanner.pos();
            lastEnd = scanner.skipValue();
            if (lastEnd < 0) {
                return Failure{QStringLiteral("a member without a value")};
            }
            if (isNamed(written, name)) { // the last one counts, as for the parser
                start = valueStart;
                end = lastEnd;
            }
        } while (scanner.take(','));
    }
    if (start >= 0) {
        return text.left(start) + json + text.mid(end);
    }
    if (lastEnd < 0) { // an empty object
        return text.left(open) + member + text.mid(open);
    }
    return text.left(lastEnd) + ',' + (indent.isEmpty() ? QByteArray(" ") : indent) + member +
           text.mid(lastEnd);
}

bool isBlankJson(const QByteArray& text) {
    MemberScanner scanner(text);
    scanner.skipSpace();
    return scanner.pos() == text.size();
}
