// The shell's "open" through a stand-in launcher: its verdict from the launcher's end, the
// target handed over as one untouched argument, and no report for a window that is gone.

#include "platform/DesktopOpen.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

class DesktopOpenTest : public QObject {
    Q_OBJECT
private slots:
    void verdictFollowsTheLauncher_data();
    void verdictFollowsTheLauncher();
    void targetArrivesAsOneUntouchedArgument();
    void optionLikeOrEmptyTargetIsRefusedUnopened();
    void noReportOnceOwnerIsGone();

private:
    // A launcher script running `body`; its path.
    QString launcher(const QByteArray& body);

    QTemporaryDir m_dir;
};

QString DesktopOpenTest::launcher(const QByteArray& body) {
    static int count = 0;
    const QString path = m_dir.filePath(QStringLiteral("open%1").arg(++count));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) {
        return {};
    }
    script.write("#!/bin/sh\n" + body + "\n");
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

void DesktopOpenTest::verdictFollowsTheLauncher_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("opened");
    QTest::newRow("clean exit") << QByteArray("exit 0") << true;
    QTest::newRow("no handler (xdg-open's 3)") << QByteArray("exit 3") << false;
    QTest::newRow("action failed (xdg-open's 4)") << QByteArray("exit 4") << false;
    QTest::newRow("crashed") << QByteArray("kill -KILL $$") << false;
    QTest::newRow("runs the handler in the foreground") << QByteArray("exec sleep 30") << true;
    QTest::newRow("launcher missing") << QByteArray() << false;
}

void DesktopOpenTest::verdictFollowsTheLauncher() {
    QFETCH(QByteArray, body);
    QFETCH(bool, opened);
    const QString program =
        body.isEmpty() ? m_dir.filePath(QStringLiteral("absent")) : launcher(body);
    QObject owner;
    int reports = 0;
    std::optional<bool> verdict;
    OpenWithDesktop(owner, QStringLiteral("https://example.org/"),
                    [&](bool ok) {
                        ++reports;
                        verdict = ok;
                    },
                    {program, 300});
    QVERIFY(!verdict); // never from inside the call
    QTRY_VERIFY(verdict.has_value());
    QCOMPARE(*verdict, opened);
    QTest::qWait(350); // past the verdict time: still one report
    QCOMPARE(reports, 1);
}

void DesktopOpenTest::targetArrivesAsOneUntouchedArgument() {
    const QString out = m_dir.filePath(QStringLiteral("arguments"));
    const QString program = launcher("printf '%s\\n' \"$#\" \"$1\" > '" + out.toUtf8() + "'");
    const QString target =
        QStringLiteral("mailto:a@example.org?Subject=Programma Tintor, version 1.00&Body=Hi "
                       "$HOME `id`; 'quoted' \"too\"%0D%0A%0D%0AKind regards,");
    QObject owner;
    std::optional<bool> verdict;
    OpenWithDesktop(owner, target, [&](bool ok) { verdict = ok; }, {program, 5000});
    QTRY_VERIFY(verdict.has_value());
    QVERIFY(*verdict);
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()), "1\n" + target + "\n");
}

void DesktopOpenTest::optionLikeOrEmptyTargetIsRefusedUnopened() {
    const QString ran = m_dir.filePath(QStringLiteral("ran"));
    const QString program = launcher("touch '" + ran.toUtf8() + "'");
    for (const QString& target : {QStringLiteral("--help"), QString()}) {
        QObject owner;
        std::optional<bool> verdict;
        OpenWithDesktop(owner, target, [&](bool ok) { verdict = ok; }, {program, 5000});
        QTRY_VERIFY(verdict.has_value());
        QVERIFY(!*verdict);
    }
    QVERIFY(!QFile::exists(ran));
}

void DesktopOpenTest::noReportOnceOwnerIsGone() {
    const QString program = launcher("sleep 0.2; exit 4");
    int reports = 0;
    {
        QObject owner;
        OpenWithDesktop(owner, QStringLiteral("https://example.org/"), [&](bool) { ++reports; },
                        {program, 5000});
    }
    QTest::qWait(500);
    QCOMPARE(reports, 0);
}

QTEST_GUILESS_MAIN(DesktopOpenTest)
#include "tst_desktopopen.moc"
