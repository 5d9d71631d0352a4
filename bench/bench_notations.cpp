// Every one of the 2^24 colours written in each form and read back, once: the count of
// texts that do not read back, that are the colour only once clipped, or that keep a decimal
// they could lose (it must be 0), and the time one write and its checks take.  And
// the time a clipboard text of 1 MiB, the most a paste takes, costs to be found no colour.
//
//   build/bench/bench_notations                 # every form, an hour on a busy machine
//   build/bench/bench_notations sweep:oklch     # one form
//   build/bench/bench_notations hugeText        # the 1 MiB texts

#include "ColourNotation.h"
#include "WrittenForms.h"

#include <QElapsedTimer>
#include <QTest>

class NotationsBench : public QObject {
    Q_OBJECT
private slots:
    void sweep_data();
    void sweep();
    void hugeText_data();
    void hugeText();
};

void NotationsBench::sweep_data() {
    QTest::addColumn<ColourForm>("form");
    for (const FormRow& row : colourForms()) {
        QTest::newRow(row.name) << row.form;
    }
}

void NotationsBench::sweep() {
    QFETCH(ColourForm, form);
    constexpr int Colours = 1 << 24;
    int mismatches = 0;
    QElapsedTimer timer;
    QBENCHMARK_ONCE {
        timer.start();
        for (int value = 0; value < Colours; ++value) {
            const Rgb colour(value >> 16, value >> 8, value);
            if (!writtenFault(colour, form).isEmpty()) {
                ++mismatches;
            }
        }
    }
    qInfo("%s: %d faults in %d colours, %.0f ns a write and its checks", formName(form).data(),
          mismatches, Colours, static_cast<double>(timer.nsecsElapsed()) / Colours);
    QCOMPARE(mismatches, 0);
}

void NotationsBench::hugeText_data() {
    QTest::addColumn<QString>("text");
    constexpr qsizetype MiB = 1 << 20;
    QTest::newRow("rgb(1 1 1 ...)") << "rgb(" + QString(" 1").repeated(MiB / 2 - 3) + ")";
    QTest::newRow("a number of 1 MiB") << "rgb(" + QString(MiB - 5, u'1') + ")";
    QTest::newRow("a keyword of 1 MiB") << "rgb(" + QString(MiB - 5, u'a') + ")";
    QTest::newRow("# and 1 MiB of digits") << "#" + QString(MiB - 1, u'1');
    QTest::newRow("1 MiB of letters") << QString(MiB, u'a');
}

void NotationsBench::hugeText() {
    QFETCH(QString, text);
    QBENCHMARK {
        QVERIFY(!readColour(text));
    }
}

int main(int argc, char* argv[]) {
    // A sweep takes minutes, beyond QtTest's five-minute watchdog.
    qputenv("QTEST_FUNCTION_TIMEOUT", "3600000");
    NotationsBench bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_notations.moc"
