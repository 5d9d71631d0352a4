#include "DesktopOpen.h"

#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace {

// One launch: the launcher process, the verdict timer and the report, owned by the caller's
// object so that none of it outlives the window that asked.
class Launch final : public QObject {
public:
    Launch(QObject& owner, std::function<void(bool)> done, int verdictMs)
        : QObject(&owner), m_done(std::move(done)) {
        m_verdict.setSingleShot(true);
        m_verdict.setInterval(verdictMs);
        connect(&m_verdict, &QTimer::timeout, this, [this] { decide(true); });
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                decide(false);
                deleteLater();
            }
        });
        connect(&m_process, &QProcess::finished, this,
                [this](int status, QProcess::ExitStatus how) {
                    decide(how == QProcess::NormalExit && status == 0);
                    deleteLater();
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
    void refuse() {
        QTimer::singleShot(0, this, [this] {
            decide(false);
            deleteLater();
        });
    }

private:
    void decide(bool opened) {
        m_verdict.stop();
        if (!m_done) {
            return;
        }
        // Reported through the owner's event queue, never from inside the process's signals:
        // the report may run a modal window.
        QTimer::singleShot(0, parent(), [done = std::move(m_done), opened] { done(opened); });
        m_done = nullptr;
    }

    QProcess m_process;
    QTimer m_verdict;
    std::function<void(bool)> m_done;
};

} // namespace

void OpenWithDesktop(QObject& owner, const QString& target, std::function<void(bool)> done,
                     const DesktopLauncher& launcher) {
    auto* launch = new Launch(owner, std::move(done), launcher.verdictMs);
    if (target.isEmpty() || target.startsWith(QLatin1Char('-'))) {
        launch->refuse();
        return;
    }
    launch->start(launcher.program, target);
}
