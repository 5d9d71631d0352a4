#pragma once

// The settings file of Tintor 1.0, settings.reg: registry-export text in which the one
// value is a line `"Method"=dword:XXXXXXXX` under `[Software\Tintor]`.  Read once, when
// the JSON file does not exist yet; never written.

#include <QByteArray>

#include <cstdint>
#include <optional>

// The method in such a text, or nothing when it has none that reads as a 32-bit integer.
// A line scanner, not a parser: every other line is skipped.
std::optional<std::uint32_t> scanEarlierMethod(const QByteArray& text);
