// Processor time the running program uses on the current X server: 20 s with the pointer
// still, then 20 s with it moving, as a share of one core.
//
//   tests/with-xvfb.sh build/bench/bench_cpu [seconds]

#include "XSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

// User plus system time of a process, in seconds.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double measure(XSession& x, qint64 pid, int seconds, bool moving) {
    const double before = cpuSeconds(pid);
    QElapsedTimer clock;
    clock.start();
    int step = 0;
    while (clock.elapsed() < seconds * 1000) {
        if (moving) {
            const double angle = step++ * 0.05;
            x.movePointer(400 + static_cast<int>(200 * std::cos(angle)),
                          300 + static_cast<int>(200 * std::sin(angle)));
        }
        QThread::msleep(10);
    }
    const double wall = static_cast<double>(clock.elapsed()) / 1000.0;
    return 100.0 * (cpuSeconds(pid) - before) / wall;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // The program stores its settings; keep them away from the user's.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    XSession x;
    if (!x.connected()) {
        std::fprintf(stderr, "bench_cpu: needs an X server in DISPLAY\n");
        return 1;
    }
    QProcess tintor;
    tintor.start(qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE)), {});
    const auto window = x.waitForWindow(tintor.processId(), 10000);
    if (!window) {
        std::fprintf(stderr, "bench_cpu: no window\n");
        return 1;
    }
    QThread::msleep(500);
    x.movePointer(10, 10);
    const double still = measure(x, tintor.processId(), seconds, false);
    const double moving = measure(x, tintor.processId(), seconds, true);
    std::printf("processor use over %d s: pointer still %.2f %% of one core, pointer moving "
                "%.2f %%\n",
                seconds, still, moving);
    x.requestClose(*window);
    tintor.waitForFinished(10000);
    return 0;
}
