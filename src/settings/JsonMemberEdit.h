#pragma once

// The settings file's text edited in place: the one member Tintor sets, and nothing else.

#include "Result.h"

#include <QByteArray>
#include <QJsonValue>
#include <QLatin1String>

// `text`, a JSON object as the settings file holds it (one that parses), with its member
// `name` set to `value`: the value takes the place of the object's last member of that
// name, or is added after its last member.  Every other byte stays as it was, so members
// Tintor does not know keep what they were written with: QJsonDocument would round an
// integer beyond 2^53 and reorder the members.  A blank text gives a new document.
Result<QByteArray> withMember(const QByteArray& text, QLatin1String name, const QJsonValue& value);

// Whether `text` holds nothing but a byte-order mark and the white space JSON allows: an
// empty document.  A form feed or a vertical tab is no such space, for the parser either.
bool isBlankJson(const QByteArray& text);
