#include "UrlLauncher.h"

#include <QProcess>
#include <QTimer>

namespace {

// One launch: the launcher process, the verdict timer and the report, owned by the caller's
// object so that none of it outlives the window that asked.  It removes itself once it has
// reported and the launcher has ended.
class Launch final : public QObject {
public:
    Launch(QObject& owner, std::function<void(bool)> done, int verdictMs)
        : QObject(&owner), m_done(std::move(done)) {
        m_verdict.setSingleShot(true);
        m_verdict.setInterval(verdictMs);
        // Reported from the event loop, never from inside the process's signals: the report
        // may run a modal window.
        m_report.setSingleShot(true);
        m_report.setInterval(0);
        connect(&m_verdict, &QTimer::timeout, this, [this] { decide(true); });
        connect(&m_report, &QTimer::timeout, this, &Launch::report);
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                decide(false);
            }
        });
        connect(&m_process, &QProcess::finished, this,
                [this](int status, QProcess::ExitStatus how) {
                    decide(how == QProcess::NormalExit && status == 0);
                    removeOnceDone();
                });
    }

    ~Launch() override {
        // Only a launcher that runs its handler in the foreground is left when the owner goes
        // (at program end).  Ending the launcher leaves the handler it started running.
        m_process.disconnect(this);
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(1000);
        }
    }

    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    void start(const QString& program, const QString& target) {
        m_process.setProgram(program);
        m_process.setArguments({target});
        // The launcher and its handler write where the program writes, as if started from
        // the same terminal; nothing is kept in memory for them.
        m_process.setStandardInputFile(QProcess::nullDevice());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_verdict.start();
        m_process.start();
    }

    // A target the launcher would read as an option, or none at all, is refused unopened.
    void refuse() { decide(false); }

private:
    void decide(bool opened) {
        if (m_decided) {
            return;
        }
        m_decided = true;
        m_opened = opened;
        m_verdict.stop();
        m_report.start();
    }

    void report() {
        const std::function<void(bool)> done = std::move(m_done);
        const bool opened = m_opened;
        m_done = nullptr;
        m_reported = true;
        removeOnceDone();
        if (done) {
            done(opened); // last, touching nothing of this: it may run a modal window
        }
    }

    void removeOnceDone() {
        if (m_reported && m_process.state() == QProcess::NotRunning) {
            deleteLater();
        }
    }

    QProcess m_process;
    QTimer m_verdict;
    QTimer m_report;
    std::function<void(bool)> m_done;
    bool m_decided = false;
    bool m_opened = false;
    bool m_reported = false;
};

} // namespace

void launchUrl(QObject& owner, const QString& target, std::function<void(bool)> done,
               const UrlLauncher& launcher) {
    auto* launch = new Launch(owner, std::move(done), launcher.verdictMs);
    if (target.isEmpty() || target.startsWith(QLatin1Char('-'))) {
        launch->refuse();
        return;
    }
    launch->start(launcher.program, target);
}
