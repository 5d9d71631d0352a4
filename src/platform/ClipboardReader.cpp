#include "ClipboardReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void QtClipboardReader::read() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData()) {
        emit answered(*data);
    } else {
        emit answered(QMimeData());
    }
}
