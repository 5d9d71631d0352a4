// The shell's "open" through stand-in launchers: the verdict from how the launcher ends,
// the target handed over as one untouched argument, no report once the owner is gone.

#include "UrlLauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

class UrlLauncherTest : public QObject {
    Q_OBJECT
private slots:
    void verdictFollowsTheLauncher_data();
    void verdictFollowsTheLauncher();
    void noReportOnceOwnerIsGone();

private:
    // A launcher that logs its arguments, then runs `body`.
    QString launcher(const QByteArray& body);
    QTemporaryDir m_dir;
};

QString UrlLauncherTest::launcher(const QByteArray& body) {
    QFile script(m_dir.filePath(QStringLiteral("open")));
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    script.write("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$0.log\"\n" + body + "\n");
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::remove(script.fileName() + ".log");
    return script.fileName();
}

void UrlLauncherTest::verdictFollowsTheLauncher_data() {
    QTest::addColumn<QByteArray>("body"); // empty: no launcher at all
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("failure"); // part of the reason; empty: opened
    const QString mail = QStringLiteral("mailto:a@example.org?Subject=Programma Tintor, version "
                                        "1.00&Body=Hi $HOME `id`; 'q' \"q\"%0D%0A%0D%0AKind,");
    QTest::newRow("clean exit, one argument untouched") << QByteArray("exit 0") << mail << "";
    QTest::newRow("no handler (3)") << QByteArray("exit 3") << mail << "exited with status 3";
    QTest::newRow("crashed") << QByteArray("kill -KILL $$") << mail << "open crashed";
    QTest::newRow("handler in the foreground") << QByteArray("exec sleep 30") << mail << "";
    QTest::newRow("launcher missing") << QByteArray() << mail << "absent: ";
    QTest::newRow("option-like target") << QByteArray("exit 0") << "--help"
                                        << "not an address";
}

void UrlLauncherTest::verdictFollowsTheLauncher() {
    QFETCH(QByteArray, body);
    QFETCH(QString, target);
    QFETCH(QString, failure);
    const QString program = body.isEmpty() ? m_dir.filePath("absent") : launcher(body);
    QObject owner;
    int reports = 0;
    std::optional<Result<void>> verdict;
    const auto done = [&](const Result<void>& outcome) {
        ++reports;
        verdict = outcome;
    };
    UrlLauncher(program, 300).open(owner, target, done);
    QVERIFY(!verdict); // never from inside the call
    QTRY_VERIFY(verdict.has_value());
    const bool opened = failure.isEmpty();
    QCOMPARE(verdict->ok(), opened);
    QVERIFY2(opened || verdict->error().contains(failure), qPrintable(verdict->error()));
    QTest::qWait(350); // past the verdict time: still one report
    QCOMPARE(reports, 1);
    QFile log(program + ".log");
    if (opened) {
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(log.readAll()), "1|" + target);
    } else if (target.startsWith('-')) {
        QVERIFY(!log.exists()); // refused without running anything
    }
}

void UrlLauncherTest::noReportOnceOwnerIsGone() {
    const QString program = launcher("sleep 0.2; exit 4");
    int reports = 0;
    {
        QObject owner;
        UrlLauncher(program).open(owner, QStringLiteral("https://example.org/"),
                                  [&](const Result<void>&) { ++reports; });
    }
    QTest::qWait(400);
    QCOMPARE(reports, 0);
}

QTEST_GUILESS_MAIN(UrlLauncherTest)
#include "tst_urllauncher.moc"
