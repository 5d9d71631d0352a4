// Start-up cost against a floor: the time from launching a program to its window being
// mapped (viewable: the X server has no window manager), for Tintor and for startup_floor,
// a bare Qt Widgets window with a label, a line edit and a button.  The two are launched
// in turn in one run, so both see the same machine load; the ratio of their medians is
// the cost Tintor adds over Qt's own start-up.  Also prints each one's resident memory, and
// the time from the window manager's close request to the process's end.
//
//   tests/with-xvfb.sh build/bench/bench_startup [--runs N] [TINTOR [FLOOR]]
//
// TINTOR and FLOOR default to the binaries built with this benchmark (TINTOR_EXE in the
// environment overrides the first); name others to measure an older build or /usr/bin/tintor.
// Needs only a running binary and Xlib, never the program's own libraries.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;
using DisplayOwner = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

constexpr int WindowTimeoutMs = 10000;

struct Sample {
    double startMs;
    long residentKiB;
    double exitMs = -1; // from the close request to the end; -1 when it did not end
};

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

// A window may be gone by the time it is asked about; that is no reason to stop.
int ignoreXError(Display* /*display*/, XErrorEvent* /*event*/) {
    return 0;
}

unsigned long windowPid(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) != Success ||
        data == nullptr) {
        return 0;
    }
    const unsigned long pid = items == 1 ? *reinterpret_cast<unsigned long*>(data) : 0;
    XFree(data);
    return pid;
}

// Waits for the server's own notice that a top-level window of `pid` was mapped, rather
// than polling the tree, so the time is not rounded up to a polling interval.
std::optional<Window> waitForMap(Display* display, qint64 pid, Clock::time_point deadline) {
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.override_redirect == False &&
                windowPid(display, event.xmap.window) == static_cast<unsigned long>(pid)) {
                return event.xmap.window;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()) + 1);
    }
}

void requestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

std::optional<Sample> measureOnce(Display* display, const QString& program,
                                  const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    XSync(display, True); // forget the notices of earlier runs
    const auto started = Clock::now();
    process.start(program, {});
    if (!process.waitForStarted(WindowTimeoutMs)) {
        return std::nullopt;
    }
    const auto window = waitForMap(display, process.processId(),
                                   started + std::chrono::milliseconds(WindowTimeoutMs));
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - started;
    std::optional<Sample> sample;
    if (window) {
        QThread::msleep(300); // let the first paint and the event loop settle
        sample = Sample{elapsed.count(), residentKiB(process.processId())};
        requestClose(display, *window);
    }
    const auto closed = Clock::now();
    if (process.waitForFinished(WindowTimeoutMs) && sample) {
        sample->exitMs = std::chrono::duration<double, std::milli>(Clock::now() - closed).count();
    } else if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(WindowTimeoutMs);
    }
    return sample;
}

void printRow(const char* name, const std::vector<Sample>& samples) {
    std::vector<double> ms, exitMs;
    std::vector<long> kib;
    for (const Sample& sample : samples) {
        ms.push_back(sample.startMs);
        kib.push_back(sample.residentKiB);
        exitMs.push_back(sample.exitMs);
    }
    std::printf("  %-14s %8.1f %8.1f %8.1f %12ld %12.1f %8.1f\n", name, median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                median(kib), median(exitMs), *std::max_element(exitMs.begin(), exitMs.end()));
}

void report(int runs, const std::vector<Sample>& tintor, const std::vector<Sample>& floor) {
    std::vector<double> tintorMs, floorMs, pairRatios;
    for (std::size_t i = 0; i < tintor.size(); ++i) {
        tintorMs.push_back(tintor[i].startMs);
        floorMs.push_back(floor[i].startMs);
        pairRatios.push_back(tintor[i].startMs / floor[i].startMs);
    }
    std::printf("start-up to viewable window, %d runs each, alternating\n", runs);
    std::printf("  %-14s %8s %8s %8s %12s %12s %8s\n", "program", "median", "min", "max", "RSS KiB",
                "exit median", "max");
    printRow("tintor", tintor);
    printRow("startup_floor", floor);
    // On a busy machine the medians drift with the load; the minima show the cost nearest
    // to an idle machine's, and the per-pair ratios cancel slow spells common to a pair.
    std::printf("ratio tintor/floor: %.2f (of the minima %.2f, median of the per-pair ratios "
                "%.2f)\n",
                median(tintorMs) / median(floorMs),
                *std::min_element(tintorMs.begin(), tintorMs.end()) /
                    *std::min_element(floorMs.begin(), floorMs.end()),
                median(pairRatios));
}

struct Options {
    int runs;
    QString tintor;
    QString floor;
};

Options parseOptions(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tintor's start-up against a floor program"));
    parser.addHelpOption();
    const QCommandLineOption runsOption({QStringLiteral("n"), QStringLiteral("runs")},
                                        QStringLiteral("Launches of each program (default 11)."),
                                        QStringLiteral("N"), QStringLiteral("11"));
    parser.addOption(runsOption);
    parser.addPositionalArgument(QStringLiteral("tintor"), QStringLiteral("Tintor binary."),
                                 QStringLiteral("[TINTOR"));
    parser.addPositionalArgument(QStringLiteral("floor"), QStringLiteral("Floor binary."),
                                 QStringLiteral("[FLOOR]]"));
    parser.process(application);
    const QStringList paths = parser.positionalArguments();
    return {std::max(1, parser.value(runsOption).toInt()),
            paths.value(0, qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE))),
            paths.value(1, QStringLiteral(FLOOR_EXE))};
}

// Launches the two in turn; false when one showed no window.
bool measure(Display* display, const Options& options, const QProcessEnvironment& environment,
             std::vector<Sample>& tintor, std::vector<Sample>& floor) {
    // One unmeasured launch each first: the first pays for a cold page cache.
    for (int run = -1; run < options.runs; ++run) {
        // Alternate which goes first, so neither always follows the other's exit.
        const bool tintorFirst = run % 2 == 0;
        const QString& first = tintorFirst ? options.tintor : options.floor;
        const QString& second = tintorFirst ? options.floor : options.tintor;
        const auto a = measureOnce(display, first, environment);
        const auto b = measureOnce(display, second, environment);
        if (!a || !b) {
            std::fprintf(stderr, "bench_startup: %s showed no window within %d ms\n",
                         qPrintable(!a ? first : second), WindowTimeoutMs);
            return false;
        }
        if (run >= 0) {
            tintor.push_back(tintorFirst ? *a : *b);
            floor.push_back(tintorFirst ? *b : *a);
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const Options options = parseOptions(application);
    const DisplayOwner display(XOpenDisplay(nullptr), &XCloseDisplay);
    if (!display) {
        std::fprintf(stderr, "bench_startup: needs an X server in DISPLAY\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);

    // Both programs may store settings; keep them away from the user's.
    const QTemporaryDir settings;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    std::vector<Sample> tintor, floor;
    if (!measure(display.get(), options, environment, tintor, floor)) {
        return 1;
    }
    std::printf("tintor: %s\nfloor:  %s\n", qPrintable(options.tintor), qPrintable(options.floor));
    report(options.runs, tintor, floor);
    return 0;
}
