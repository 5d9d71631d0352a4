#include "RegistryText.h"

#include <algorithm>
#include <cstdio>

namespace Registry {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A quoted text with \\ and \" escapes; `s` starts at the opening quote.  Returns the
// text and moves `s` past the closing quote.
std::optional<std::string> quoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) {
                return std::nullopt;
            }
            out += s[++i];
        } else if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> parseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return value;
}

// Comma-separated two-digit bytes, continuation backslashes and line ends already removed.
std::optional<std::vector<std::uint8_t>> parseBytes(std::string_view list) {
    std::vector<std::uint8_t> bytes;
    list = trim(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = trim(list.substr(0, comma));
        if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(hexDigit(item[0]) * 16 + hexDigit(item[1])));
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
        if (trim(list).empty()) {
            return std::nullopt; // a trailing comma
        }
    }
    return bytes;
}

// Text as the registry stores it: UTF-16 code units with a closing NUL.  Only the size
// matters to readers here, so bytes above 0x7F count as one unit each.
std::vector<std::uint8_t> storedText(const std::string& text) {
    std::vector<std::uint8_t> data;
    data.reserve((text.size() + 1) * 2);
    for (const char c : text) {
        data.push_back(static_cast<std::uint8_t>(c));
        data.push_back(0);
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::optional<Value> parseData(std::string_view data) {
    data = trim(data);
    if (!data.empty() && data.front() == '"') {
        std::string_view rest = data;
        const auto text = quoted(rest);
        if (!text || !trim(rest).empty()) {
            return std::nullopt;
        }
        return Value{static_cast<std::uint32_t>(ValueType::String), storedText(*text)};
    }
    if (data.substr(0, 6) == "dword:") {
        const auto number = parseDword(data.substr(6));
        if (!number) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes(4);
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[i] = static_cast<std::uint8_t>(*number >> (8 * i));
        }
        return Value{static_cast<std::uint32_t>(ValueType::Dword), bytes};
    }
    std::uint32_t type = static_cast<std::uint32_t>(ValueType::Binary);
    if (data.substr(0, 4) == "hex:") {
        data.remove_prefix(4);
    } else if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const auto code = parseDword(data.substr(4, close - 4));
        if (!code) {
            return std::nullopt;
        }
        type = *code;
        data.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = parseBytes(data);
    if (!bytes) {
        return std::nullopt;
    }
    return Value{type, std::move(*bytes)};
}

// The text of a line without its line end.
std::string_view content(std::string_view raw) {
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r')) {
        raw.remove_suffix(1);
    }
    return raw;
}

// "\n" or "\r\n" when the entry ends its line; empty for a last line without one (a
// lone "\r" does not end a line).
std::string lineEndOf(std::string_view raw) {
    if (raw.empty() || raw.back() != '\n') {
        return {};
    }
    return raw.size() >= 2 && raw[raw.size() - 2] == '\r' ? "\r\n" : "\n";
}

} // namespace

void Document::endLine(Entry& entry) {
    if (lineEndOf(entry.raw).empty()) {
        entry.raw += '\n';
    }
    // A hex value cut off after a continuation backslash would take the next line in;
    // give it an empty one.
    if (entry.continued) {
        entry.raw += '\n';
        entry.continued = false;
    }
}

std::string DwordLine(std::string_view name, std::uint32_t value) {
    std::string line = "\"";
    for (const char c : name) {
        if (c == '\\' || c == '"') {
            line += '\\';
        }
        line += c;
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", value);
    return line + "\"=dword:" + digits;
}

Document Document::parse(std::string_view text) {
    Document document;
    std::size_t position = 0;
    const auto nextLine = [&]() {
        const std::size_t end = text.find('\n', position);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(position, stop - position);
        position = stop;
        return line;
    };
    while (position < text.size()) {
        const std::size_t start = position;
        std::string raw(nextLine());
        std::string_view body = trim(content(raw));
        // A hex value may go on over several lines, each but the last ending in '\'.
        std::string joined(body);
        const bool hexValue = !joined.empty() && (joined.front() == '"' || joined.front() == '@') &&
                              joined.find("=hex") != std::string::npos;
        // Whether the last line read asks for the next one; a line that does not ends it.
        bool continued = hexValue && !joined.empty() && joined.back() == '\\';
        while (continued && position < text.size()) {
            const std::string_view more = trim(content(nextLine()));
            raw = std::string(text.substr(start, position - start));
            joined.pop_back();
            joined += more;
            continued = !more.empty() && more.back() == '\\';
        }
        body = joined;
        Entry entry{Kind::Unreadable, raw, {}, {}, {}, continued};
        if (body.find('\0') != std::string_view::npos) {
            document.m_hasNul = true; // NUL bytes never belong in this file
        } else if (body.empty() || body.front() == ';' || body.front() == '#' ||
                   body == "REGEDIT4" || body == "Windows Registry Editor Version 5.00") {
            entry.kind = Kind::Blank;
        } else if (body.front() == '[' && body.back() == ']' && body.size() > 2) {
            const std::string_view path = body.substr(1, body.size() - 2);
            if (path.find_first_of("[]") == std::string_view::npos && path.front() != '-') {
                entry.kind = Kind::Section;
                entry.key = std::string(path);
            }
        } else {
            std::string_view rest = body;
            std::optional<std::string> name;
            if (rest.front() == '@') {
                name = std::string();
                rest.remove_prefix(1);
            } else {
                name = quoted(rest);
            }
            rest = trim(rest);
            if (name && !rest.empty() && rest.front() == '=') {
                // Named even when its data does not parse, so a write can replace it.
                entry.name = *name;
                if (auto value = parseData(rest.substr(1))) {
                    entry.kind = Kind::Value;
                    entry.value = std::move(value);
                }
            }
        }
        document.append(std::move(entry));
    }
    return document;
}

void Document::append(Entry entry) {
    if (entry.kind == Kind::Unreadable) {
        ++m_unreadableLines;
    } else if (entry.kind == Kind::Section) {
        ++m_sections;
    }
    m_entries.push_back(std::move(entry));
}

std::string Document::text() const {
    std::string out;
    for (const Entry& entry : m_entries) {
        out += entry.raw;
    }
    return out;
}

Document Document::readablePart() const {
    Document part;
    for (const Entry& entry : m_entries) {
        if (entry.kind != Kind::Unreadable) {
            part.append(entry);
        }
    }
    // The last line kept may have had its line end only in a dropped line after it.
    if (!part.m_entries.empty()) {
        endLine(part.m_entries.back());
    }
    return part;
}

bool Document::hasKey(std::string_view path) const {
    return std::any_of(m_entries.begin(), m_entries.end(), [path](const Entry& e) {
        return e.kind == Kind::Section && sameText(e.key, path);
    });
}

void Document::addKey(std::string_view path) {
    if (hasKey(path)) {
        return;
    }
    if (!m_entries.empty()) {
        endLine(m_entries.back());
    }
    const bool separate = !m_entries.empty();
    if (separate) {
        append(Entry{Kind::Blank, "\n", {}, {}, {}, false});
    }
    append(Entry{Kind::Section, "[" + std::string(path) + "]\n", std::string(path), {}, {}, false});
}

std::optional<std::size_t> Document::findValue(std::string_view path, std::string_view name,
                                               bool unreadableToo) const {
    std::optional<std::size_t> found;
    bool inKey = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.kind == Kind::Section) {
            inKey = sameText(entry.key, path);
        } else if (inKey && sameText(entry.name, name) &&
                   (entry.kind == Kind::Value ||
                    (unreadableToo && entry.kind == Kind::Unreadable))) {
            found = i;
        }
    }
    return found;
}

std::optional<Value> Document::value(std::string_view path, std::string_view name) const {
    const auto index = findValue(path, name, false);
    return index ? m_entries[*index].value : std::nullopt;
}

DwordRead Document::readDword(std::string_view path, std::string_view name) const {
    if (!hasKey(path)) {
        return {ReadStatus::NoKey};
    }
    const std::optional<Value> found = value(path, name);
    if (!found) {
        return {ReadStatus::Missing};
    }
    if (found->data.size() > 4) {
        return {ReadStatus::TooLarge};
    }
    if (found->type != static_cast<std::uint32_t>(ValueType::Dword)) {
        return {ReadStatus::WrongType};
    }
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < found->data.size(); ++i) {
        number |= static_cast<std::uint32_t>(found->data[i]) << (8 * i);
    }
    return {ReadStatus::Ok, number};
}

void Document::setDword(std::string_view path, std::string_view name, std::uint32_t number) {
    std::vector<std::uint8_t> bytes(4);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(number >> (8 * i));
    }
    const Value value{static_cast<std::uint32_t>(ValueType::Dword), bytes};
    const auto readableIndex = findValue(path, name, false);
    if (const auto index = readableIndex ? readableIndex : findValue(path, name, true)) {
        // Keep the name as it was spelt and the line end as it was.
        Entry& existing = m_entries[*index];
        if (existing.kind == Kind::Unreadable) {
            --m_unreadableLines;
            existing.kind = Kind::Value;
        }
        existing.raw = DwordLine(existing.name, number) + lineEndOf(existing.raw);
        existing.value = value;
        existing.continued = false;
        return;
    }
    addKey(path);
    // After the key's last readable line; a key may appear in several sections.
    std::size_t insertAt = m_entries.size();
    bool inKey = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.kind == Kind::Section) {
            inKey = sameText(entry.key, path);
            if (inKey) {
                insertAt = i + 1;
            }
        } else if (inKey && entry.kind == Kind::Value) {
            insertAt = i + 1;
        }
    }
    if (insertAt > 0) {
        endLine(m_entries[insertAt - 1]);
    }
    m_entries.insert(
        m_entries.begin() + static_cast<std::ptrdiff_t>(insertAt),
        Entry{Kind::Value, DwordLine(name, number) + "\n", {}, std::string(name), value});
}

} // namespace Registry
