#pragma once

// What the settings path holds, as the store sees it before reading or writing.

#include "Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QJsonObject>
#include <QString>

struct StoredDocument {
    enum class State {
        Missing,       // nothing at the path: a write creates the file
        Document,      // a JSON object, in a file or behind one of our own links
        Unparseable,   // a file that is not a JSON object: copied aside before a write
        LinkToReplace, // a link that dangles or leads to no settings: replaced, never followed
    };

    State state = State::Missing;
    QJsonObject document; // Document
    QByteArray bytes;     // Document, Unparseable: the file as it is
    QString note;         // Unparseable, LinkToReplace: why it is so, for the log
    QString destination;  // where a write goes: the path, or its link's target
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Fails when the path cannot be read (permission, a directory, too large): the store
    // then leaves it alone.
    static Result<StoredDocument> inspect(const QString& path, qint64 maxSize);
    // Whether the path held the same then as `other` says, byte for byte.
    [[nodiscard]] bool holdsSameAs(const StoredDocument& other) const;
};
