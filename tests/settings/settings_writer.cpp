// Test helper, a second Tintor writing the settings file.
//   settings_writer <file> <first value> <second value> <count, 0 for ever>
//     alternates between the two values, a few milliseconds apart (a Tintor stores once
//     per OK); exits 1 at the first failure.
//   settings_writer --hold <file> <milliseconds> <value>
//     takes the store's lock, says "locked", holds it, then writes the value itself.

#include "SettingsStore.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

int hold(const QString& path, int milliseconds, const QByteArray& value) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(10000)) {
        std::fprintf(stderr, "settings_writer: no lock\n");
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    QThread::msleep(static_cast<unsigned long>(milliseconds));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    file.write("{\"Method\": " + value + "}\n");
    return file.commit() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--hold") == 0) {
        return hold(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), argv[4]);
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: settings_writer <file> <value> <value> <count>\n");
        return 2;
    }
    SettingsStore store(QString::fromLocal8Bit(argv[1]));
    const std::uint32_t values[2] = {static_cast<std::uint32_t>(std::atoi(argv[2])),
                                     static_cast<std::uint32_t>(std::atoi(argv[3]))};
    const long count = std::atol(argv[4]);
    for (long i = 0; count == 0 || i < count; ++i) {
        const Result<void> written = store.write(Settings::Method, qint64(values[i % 2]));
        if (!written) {
            std::fprintf(stderr, "settings_writer: %s\n", qPrintable(written.error()));
            return 1;
        }
        QThread::usleep(1000 + QRandomGenerator::global()->bounded(4000));
    }
    return 0;
}
