// The stored method across a restart of the built program: chosen in the options dialog,
// read back at the next start.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramEnvironment.h"
#include "XSession.h"

namespace {

const QPoint OptionsButton(70, 149);
const QPoint PickButton(178, 149);
// In the dialog: the centre of an item's radio indicator, the OK and Cancel buttons.
QPoint indicator(int item) {
    return {23, 34 + 19 * item};
}
const QPoint OkButton(54, 124);
const QPoint CancelButton(118, 124);

int brightness(Rgb c) {
    return c.red() + c.green() + c.blue();
}

} // namespace

class RestartTest : public QObject {
    Q_OBJECT
private slots:
    void sevenBySevenSurvivesRestart();

private:
    Window start(QProcess& process);
    Window openOptions(QProcess& process, Window main);

    XSession m_x;
    QTemporaryDir m_config;
};

Window RestartTest::start(QProcess& process) {
    process.setProcessEnvironment(ProgramEnvironment(
        {"XDG_CONFIG_HOME=" + m_config.path(), QStringLiteral("LANG=en_GB.UTF-8")}));
    process.start(QStringLiteral(TINTOR_EXE), {});
    return m_x.waitForWindow(process.processId(), 10000).value_or(0);
}

Window RestartTest::openOptions(QProcess& process, Window main) {
    const QPoint origin = m_x.rootPosition(main);
    m_x.clickAt(origin.x() + OptionsButton.x(), origin.y() + OptionsButton.y());
    return m_x.waitForWindow(process.processId(), QStringLiteral("Options"), 5000).value_or(0);
}

void RestartTest::sevenBySevenSurvivesRestart() {
    QVERIFY(m_x.connected());
    {
        QProcess tintor;
        const Window main = start(tintor);
        QVERIFY(main != 0);
        const Window dialog = openOptions(tintor, main);
        QVERIFY(dialog != 0);
        const QPoint at = m_x.rootPosition(dialog);
        m_x.clickAt(at.x() + indicator(3).x(), at.y() + indicator(3).y());
        m_x.clickAt(at.x() + OkButton.x(), at.y() + OkButton.y());
        QTRY_VERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 10));
        m_x.requestClose(main);
        QVERIFY(tintor.waitForFinished(10000));
        QCOMPARE(tintor.exitCode(), 0);
    }
    QProcess tintor;
    const Window main = start(tintor);
    QVERIFY(main != 0);
    const Window dialog = openOptions(tintor, main);
    QVERIFY(dialog != 0);
    // The checked item's indicator has a dark dot; the others are light.
    QTRY_VERIFY(brightness(m_x.pixel(dialog, indicator(3).x(), indicator(3).y())) + 150 <
                brightness(m_x.pixel(dialog, indicator(0).x(), indicator(0).y())));
    const QPoint at = m_x.rootPosition(dialog);
    m_x.clickAt(at.x() + CancelButton.x(), at.y() + CancelButton.y());
    QTRY_VERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 10));

    const QPoint origin = m_x.rootPosition(main);
    m_x.clickAt(origin.x() + PickButton.x(), origin.y() + PickButton.y());
    QTRY_COMPARE(m_x.title(main), QStringLiteral("Picking 7x7 Average"));
    m_x.clickAt(5, 5);
    QTRY_COMPARE(m_x.title(main), QStringLiteral("Tintor, version 1.00"));
    m_x.requestClose(main);
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitCode(), 0);
}

QTEST_GUILESS_MAIN(RestartTest)
#include "tst_restart.moc"
