#pragma once

// The per-user settings file: registry-export text.  Sections name a key path, lines below
// them hold typed values:
//
//   ; comment
//   [Software\Tintor]
//   "Method"=dword:00000003      32-bit integer
//   "Name"="text"                text (\\ and \" escaped)
//   "Blob"=hex:01,02,ff          bytes;  hex(b): a 64-bit integer, hex(N): bytes of type N
//
// A document keeps every line exactly as read, lines it cannot make sense of included, so
// that changing one value leaves every other byte of the file as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Registry {

// The registry's type codes for the value types the file can hold.
enum class ValueType : std::uint32_t {
    String = 1,
    Binary = 3,
    Dword = 4,
    Qword = 11,
};

struct Value {
    std::uint32_t type;             // a ValueType, or another code from hex(N):
    std::vector<std::uint8_t> data; // as the registry stores it (text as UTF-16 with NUL)
};

// What a read with room for four bytes gives, as the registry reports it.
enum class ReadStatus { Ok, NoKey, Missing, TooLarge, WrongType };

struct DwordRead {
    ReadStatus status;
    std::uint32_t value = 0;
};

class Document {
public:
    // Never fails: what does not parse is kept as it stands and marked unreadable.
    static Document parse(std::string_view text);

    // The document as text: for an unchanged document, exactly the text parsed.
    [[nodiscard]] std::string text() const;

    // True when every line parsed (blank, comment, header, section or value).
    [[nodiscard]] bool readable() const { return m_unreadableLines == 0; }

    // False for a file that is not settings text at all: NUL bytes, or lines none of which
    // parse into a section.  Such a file is kept aside rather than edited.
    [[nodiscard]] bool recognisable() const {
        return !m_hasNul && (m_unreadableLines == 0 || m_sections > 0);
    }

    // The same document without the lines that did not parse.
    [[nodiscard]] Document readablePart() const;

    // Key paths compare without regard to case, as the registry's do.
    [[nodiscard]] bool hasKey(std::string_view path) const;
    void addKey(std::string_view path);

    // The last value of that name in the key (value names compare without regard to case).
    [[nodiscard]] std::optional<Value> value(std::string_view path, std::string_view name) const;

    // A read of a 32-bit integer into room for four bytes.
    [[nodiscard]] DwordRead readDword(std::string_view path, std::string_view name) const;

    // Replaces the value's line (the last one, if the name occurs twice, or a line of that
    // name whose data did not parse) or adds one after the key's last value, adding the
    // section at the end when the key is missing.
    void setDword(std::string_view path, std::string_view name, std::uint32_t value);

private:
    enum class Kind { Blank, Section, Value, Unreadable };

    struct Entry {
        Kind kind;
        std::string raw;  // the entry's lines as read, line ends included
        std::string key;  // Section: the key path
        std::string name; // Value: the value name
        std::optional<Value> value;
        bool continued = false; // a hex value whose last line still asks for another
    };

    // Ends the entry's last line, so that a line added after it stands on its own.
    static void endLine(Entry& entry);

    // The index of the last value of that name in the key; with `unreadableToo`, also of
    // a line of that name whose data did not parse.
    [[nodiscard]] std::optional<std::size_t> findValue(std::string_view path, std::string_view name,
                                                       bool unreadableToo) const;
    void append(Entry entry);

    std::vector<Entry> m_entries;
    int m_unreadableLines = 0;
    int m_sections = 0;
    bool m_hasNul = false;
};

// The line a 32-bit integer is written as.
std::string DwordLine(std::string_view name, std::uint32_t value);

} // namespace Registry
