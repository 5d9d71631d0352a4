#pragma once

#include <QJsonValue>
#include <QLatin1String>

#include <cstdint>

// A value kept in settings.json, described once: the store checks what it reads and
// writes against this, the byte-exact edit writes its member, and start-up repairs it.
struct Setting {
    enum class Kind {
        WholeNumber, // a number that is whole (2.0 and 1e3 are), from 0 to `maximum`
        YesNo,       // true or false
        Text,        // a string
        ColourList,  // an array of "#RRGGBB" strings
    };

    QLatin1String key; // the member's name
    Kind kind;
    qint64 maximum;         // WholeNumber only
    const char* fallback;   // JSON: what the setting is when the file has no value that reads
    bool repairedAtStartup; // start-up writes the fallback over a value that does not read

    // Whether `value` is of the setting's kind and range.
    [[nodiscard]] bool accepts(const QJsonValue& value) const;
    [[nodiscard]] QJsonValue fallbackValue() const;
};

// Everything Tintor keeps between runs.  A new setting is one row here, plus its use.
namespace Settings {

// The sampling method, of which Tintor uses the lowest byte.
inline constexpr Setting Method{QLatin1String("Method"), Setting::Kind::WholeNumber, UINT32_MAX,
                                "0", true};
// Whether the pointer is followed everywhere through the desktop's screen cast: on only
// when the file says `true`.
inline constexpr Setting FollowEverywhere{QLatin1String("FollowEverywhere"), Setting::Kind::YesNo,
                                          0, "false", false};
// The token that restores the last screen cast without asking; empty when there is none.
inline constexpr Setting ScreenCastToken{QLatin1String("ScreenCastToken"), Setting::Kind::Text, 0,
                                         "\"\"", false};

// The colours kept lately, newest first; none unless every entry is "#RRGGBB".
inline constexpr Setting RecentColours{QLatin1String("RecentColours"), Setting::Kind::ColourList, 0,
                                       "[]", false};

// Whether the contrast view shows below the main window: on only when the file says `true`.
inline constexpr Setting ContrastView{QLatin1String("ContrastView"), Setting::Kind::YesNo, 0,
                                      "false", false};

inline constexpr const Setting* All[] = {&Method, &FollowEverywhere, &ScreenCastToken,
                                         &RecentColours, &ContrastView};

} // namespace Settings
