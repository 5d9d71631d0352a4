#pragma once

// What the settings path holds, as the store sees it before reading or writing.

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
        Refused,       // cannot be read (permission, a directory, too large): left alone
    };

    State state = State::Missing;
    QJsonObject document; // Document
    QByteArray bytes;     // Unparseable: the user's bytes
    QString reason;       // Unparseable, LinkToReplace, Refused: why, for the log
    QString destination;  // where a write goes: the path, or its link's target
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    static StoredDocument inspect(const QString& path, qint64 maxSize);
};
