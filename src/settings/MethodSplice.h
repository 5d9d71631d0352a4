#pragma once

#include "Result.h"

#include <QByteArray>

#include <cstdint>

// `text`, a JSON object as the settings file holds it (one that parses), with its member
// "Method" set to `value`: the value takes the place of the object's last "Method", or is
// added after its last member.  Every other byte stays as it was, so members Tintor does
// not know keep what they were written with: QJsonDocument would round an integer beyond
// 2^53 and reorder the members.  An empty text gives a new document.
Result<QByteArray> withMethod(const QByteArray& text, std::uint32_t value);
