// Start-up cost of the built program on the current X server: the time from launch to
// its window being viewable, and its resident memory once started.  Prints medians.
//
//   tests/with-xvfb.sh build/bench/bench_startup [runs]
// TINTOR_EXE names another binary to measure, such as an installed /usr/bin/tintor.

#include "XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // The program stores its settings; keep them away from the user's.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    XSession x;
    if (!x.connected()) {
        std::fprintf(stderr, "bench_startup: needs an X server in DISPLAY\n");
        return 1;
    }
    std::vector<double> startMs;
    std::vector<long> rssKiB;
    for (int run = 0; run < runs; ++run) {
        QProcess tintor;
        QElapsedTimer clock;
        clock.start();
        tintor.start(qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE)), {});
        const auto window = x.waitForWindow(tintor.processId(), 10000);
        if (!window) {
            std::fprintf(stderr, "bench_startup: no window\n");
            return 1;
        }
        startMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        QThread::msleep(300); // let the first paint and the event loop settle
        rssKiB.push_back(residentKiB(tintor.processId()));
        x.requestClose(*window);
        tintor.waitForFinished(10000);
    }
    std::printf("runs %d: start-up to viewable window median %.1f ms (min %.1f, max %.1f); "
                "resident memory median %ld KiB\n",
                runs, median(startMs), *std::min_element(startMs.begin(), startMs.end()),
                *std::max_element(startMs.begin(), startMs.end()), median(rssKiB));
    return 0;
}
