#include "SwayDesktop.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTest>

QByteArray SwayDesktop::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning() << program << arguments << "failed";
        return {};
    }
    return process.readAllStandardOutput();
}

QImage SwayDesktop::grim(const QStringList& arguments) {
    return QImage::fromData(run("grim", arguments + QStringList{"-t", "png", "-"}))
        .convertToFormat(QImage::Format_RGB32);
}

QList<SwayOutput> SwayDesktop::outputs() {
    QList<SwayOutput> list;
    const QJsonArray array =
        QJsonDocument::fromJson(run("swaymsg", {"-r", "-t", "get_outputs"})).array();
    for (const QJsonValue& value : array) {
        const QJsonObject object = value.toObject();
        const QJsonObject rect = object.value("rect").toObject();
        list.append({object.value("name").toString(),
                     QRect(rect.value("x").toInt(), rect.value("y").toInt(),
                           rect.value("width").toInt(), rect.value("height").toInt()),
                     object.value("scale").toDouble(1)});
    }
    return list;
}

bool SwayDesktop::showBackground(const SwayOutput& output, const QImage& image, const QString& file,
                                 std::optional<QPoint> pointer) {
    QImage expected = image.convertToFormat(QImage::Format_RGB32);
    if (!expected.save(file) ||
        run("swaymsg", {"output", output.name, "bg", file, "fill"}).isNull()) {
        return false;
    }
    // The pointer's image: its hot spot near the top left, at most 32 layout pixels.
    QRect hidden;
    if (pointer) {
        const QPoint corner = *pointer - output.logical.topLeft() - QPoint(8, 8);
        hidden = QRect((QPointF(corner) * output.scale).toPoint(),
                       (QSizeF(48, 48) * output.scale).toSize());
    }
    const auto blanked = [&hidden](QImage picture) {
        QPainter(&picture).fillRect(hidden, Qt::black);
        return picture;
    };
    expected = blanked(expected);
    return QTest::qWaitFor([&] { return blanked(grim({"-o", output.name})) == expected; }, 10000);
}

bool SwayDesktop::busHasOwner(const QString& name) {
    return run("dbus-send",
               {"--session", "--print-reply", "--dest=org.freedesktop.DBus",
                "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name})
        .contains("boolean true");
}

bool SwayDesktop::clearPortalFile() {
    return !QFile::exists(PortalFile) || QFile::remove(PortalFile);
}

QImage halves(QSize size, Rgb left, Rgb right) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(left.toQRgb());
    QPainter(&image).fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(),
                              QColor(right.toQRgb()));
    return image;
}

QImage distinctPixels(QSize size, int salt) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(
                x, y, qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4 | (y >> 8)) ^ (0x5A | salt << 7)));
        }
    }
    return image;
}

QList<QPoint> clearPoints(const QRect& area, const QRect& mainWindow, int count) {
    QList<QPoint> points;
    const QRect avoid = mainWindow.adjusted(-16, -16, 16, 16);
    static const std::pair<double, double> places[] = {
        {0.3, 0.3}, {0.7, 0.7}, {0.7, 0.3}, {0.3, 0.7}, {0.5, 0.5}, {0.1, 0.1}, {0.9, 0.9},
        {0.1, 0.9}, {0.9, 0.1}, {0.5, 0.1}, {0.5, 0.9}, {0.1, 0.5}, {0.9, 0.5}};
    for (const auto& [fx, fy] : places) {
        const QPoint at(area.x() + int(area.width() * fx) + 1, area.y() + int(area.height() * fy));
        if (!avoid.contains(at) && points.size() < count) {
            points << at;
        }
    }
    return points;
}

QString hex(std::optional<Rgb> colour) {
    return colour ? QStringLiteral("#%1").arg(colour->hexValue(), 6, 16, QLatin1Char('0'))
                  : QStringLiteral("unread");
}

QString hex(QRgb colour) {
    return hex(Rgb::fromQRgb(colour));
}

VirtualPointer::VirtualPointer() {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(qEnvironmentVariable("TINTOR_VIRTUAL_POINTER"), {"-"});
    m_started = m_process.waitForStarted();
}

VirtualPointer::~VirtualPointer() {
    if (m_started) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

bool VirtualPointer::move(QPoint at) {
    m_position = at;
    return command("move " + QByteArray::number(at.x()) + ' ' + QByteArray::number(at.y()));
}

// A window that has just been mapped takes the pointer only once the compositor shows it:
// moves before that are lost to X, so they are made again until X has one.
bool VirtualPointer::moveUntil(QPoint at, const std::function<bool()>& arrived) {
    return QTest::qWaitFor(
        [&] { return move(at + QPoint(1, 1)) && move(at) && QTest::qWaitFor(arrived, 100); },
        10000);
}

bool VirtualPointer::click(Qt::MouseButton button) {
    return command(button == Qt::RightButton ? "click right" : "click left");
}

bool VirtualPointer::command(const QByteArray& line) {
    m_process.write(line + '\n');
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000)) {
            return false;
        }
    }
    return m_process.readLine().trimmed() == "ok";
}
