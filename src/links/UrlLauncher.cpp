#include "UrlLauncher.h"

#include <QProcess>
#include <QTimer>

namespace {

// One launch: the launcher process, the verdict timer and the report, owned by the caller's
// object so that none of it outlives the window that asked.  It removes itself once it has
// reported and the launcher has ended.
class Launch final : public QObject {
public:
    using Done = std::function<void(const Result<void>&)>;

    Launch(QObject& owner, Done done, int verdictMs) : QObject(&owner), m_done(std::move(done)) {
        m_verdict.setSingleShot(true);
        m_verdict.setInterval(verdictMs);
        // Reported from the event loop, never from inside the process's signals: the report
        // may run a modal window.
        m_report.setSingleShot(true);
        m_report.setInterval(0);
        connect(&m_verdict, &QTimer::timeout, this, [this] { decide({}); });
        connect(&m_report, &QTimer::timeout, this, &Launch::report);
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                decide(
                    Failure{m_process.program() + QLatin1String(": ") + m_process.errorString()});
            }
        });
        connect(&m_process, &QProcess::finished, this,
                [this](int status, QProcess::ExitStatus how) {
                    decide(ending(status, how));
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
    void refuse(const QString& target) {
        decide(Failure{QStringLiteral("not an address: \"%1\"").arg(target)});
    }

private:
    [[nodiscard]] Result<void> ending(int status, QProcess::ExitStatus how) const {
        if (how != QProcess::NormalExit) {
            return Failure{m_process.program() + QLatin1String(" crashed")};
        }
        if (status != 0) {
            return Failure{
                QStringLiteral("%1 exited with status %2").arg(m_process.program()).arg(status)};
        }
        return {};
    }

    void decide(Result<void> outcome) {
        if (m_decided) {
            return;
        }
        m_decided = true;
        m_outcome = std::move(outcome);
        m_verdict.stop();
        m_report.start();
    }

    void report() {
        const Done done = std::move(m_done);
        const Result<void> outcome = m_outcome;
        m_done = nullptr;
        m_reported = true;
        removeOnceDone();
        if (done) {
            done(outcome); // last, touching nothing of this: it may run a modal window
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
    Done m_done;
    bool m_decided = false;
    Result<void> m_outcome;
    bool m_reported = false;
};

} // namespace

UrlLauncher::UrlLauncher(QString program, int verdictMs)
    : m_program(std::move(program)), m_verdictMs(verdictMs) {}

void UrlLauncher::open(QObject& owner, const QString& url,
                       std::function<void(const Result<void>&)> done) {
    auto* launch = new Launch(owner, std::move(done), m_verdictMs);
    if (url.isEmpty() || url.startsWith(QLatin1Char('-'))) {
        launch->refuse(url);
        return;
    }
    launch->start(m_program, url);
}
