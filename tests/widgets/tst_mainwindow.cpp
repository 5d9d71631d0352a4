#include "FakePlatform.h"
#include "forms/PaintBox.h"
#include "forms/ThinTrackBar.h"
#include "forms/TintorMain.h"
#include "forms/TintorMainLayout.h"
#include "forms/UpDown.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsBlackWithDesignTexts();
    void windowIsFixedAndOnTop();
    void dutchTextsComeFromLanguageCode();
    void tabOrderFollowsLayout();
    void cascadeRunsInOrderAndTouchesOnlyItsChannel();
    void orangeShowsRgbAndWebTexts();
    void programSetToSameValueRunsNothing();
    void userKeyNotifiesEvenWhenPositionStays();
    void thumbDragNotifiesEveryStepAndTwiceOnRelease();
    void spinnerAtLimitDoesNothing();
    void spinnerOneBelowLimitMovesByOne();
    void typedTextNeverChangesColour();
    void gradientBarShowsOtherChannelsAndNever255();
    void webSwatchMatchesWebTextAfterRepaint();
    void doubleClickSnapsToNearestDisplayable();
    void closeGivesScreenContextBack();
    void controlsHaveAccessibleNames();

private:
    // Records in m_log, in order, what each cascade touches.
    void watchCascade();
    static QColor pixelOf(QWidget* widget, QPoint at);

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_log;
};

void MainFormTest::init() {
    LanguageCode.clear();
    m_platform = std::make_unique<FakePlatform>();
    m_log.clear();
    m_form = std::make_unique<TMainForm>(*m_platform);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void MainFormTest::cleanup() {
    m_form.reset();
    m_platform.reset();
}

void MainFormTest::watchCascade() {
    TMainForm* f = m_form.get();
    const auto logBox = [this](TPaintBox* box, const char* name) {
        connect(box, &TPaintBox::redrawRequested, this, [this, name] { m_log << name; });
    };
    logBox(f->ColourPnl, "ColourPnl");
    logBox(f->SolidColPnl, "SolidColPnl");
    logBox(f->RedBox, "RedBox");
    logBox(f->GreenBox, "GreenBox");
    logBox(f->BlueBox, "BlueBox");
    const auto logEdit = [this](QLineEdit* edit, const char* name, TUpDown* spinner) {
        connect(edit, &QLineEdit::textChanged, this, [this, name, spinner](const QString& text) {
            m_log << QStringLiteral("%1=%2").arg(QLatin1String(name), text);
            if (spinner != nullptr) {
                m_log << QStringLiteral("spinner=%1").arg(spinner->position());
            }
        });
    };
    logEdit(f->EditR, "EditR", f->UpDownR);
    logEdit(f->EditG, "EditG", f->UpDownG);
    logEdit(f->EditB, "EditB", f->UpDownB);
    logEdit(f->HTMLOutEdit, "RGB", nullptr);
    logEdit(f->WebOutEdit, "Web", nullptr);
}

QColor MainFormTest::pixelOf(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

void MainFormTest::startsBlackWithDesignTexts() {
    TMainForm* f = m_form.get();
    for (TThinTrackBar* track : {f->TrackR, f->TrackG, f->TrackB}) {
        QCOMPARE(track->value(), 0);
    }
    for (TUpDown* spinner : {f->UpDownR, f->UpDownG, f->UpDownB}) {
        QCOMPARE(spinner->position(), 0);
    }
    for (QLineEdit* edit : {f->EditR, f->EditG, f->EditB}) {
        QCOMPARE(edit->text(), QStringLiteral("$00"));
    }
    QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("#000000"));
    QCOMPARE(f->WebOutEdit->text(), QStringLiteral("#000000"));
    QCOMPARE(f->windowTitle(), QStringLiteral("Tintor, version 1.00"));
    QCOMPARE(f->OptBtn->text(), QStringLiteral("&Options..."));
    QCOMPARE(f->PFSBtn->text(), QStringLiteral("&Pick From Screen"));
    QCOMPARE(m_platform->contextsTaken, 1);
    QCOMPARE(f->GradientBitmap.size(), QSize(128, 1));
    QCOMPARE(f->SampleBitmap.size(), QSize(1, 1));
    QCOMPARE(f->SampleBitmap.pixelColor(0, 0), QColor(0, 0, 0));
    // The sampler's timer runs from creation: the coordinates follow the pointer.
    QVERIFY(f->PickTmr->isActive());
    QCOMPARE(f->PickTmr->interval(), 50);
    m_platform->pointer = ScreenPoint{-12, 345};
    QTRY_COMPARE(f->CoordsLbl->text(), QStringLiteral("x:-12\ry:345"));
    // Black-based bars: red runs from black to (254, 0, 0).
    QCOMPARE(pixelOf(f->RedBox, {127, 3}), QColor(254, 0, 0));
    QCOMPARE(pixelOf(f->ColourPnl, {5, 5}), QColor(0, 0, 0));
}

void MainFormTest::windowIsFixedAndOnTop() {
    TMainForm* f = m_form.get();
    QCOMPARE(f->size(), QSize(264, 168));
    QCOMPARE(f->minimumSize(), QSize(264, 168));
    QCOMPARE(f->maximumSize(), QSize(264, 168));
    const Qt::WindowFlags flags = f->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void MainFormTest::dutchTextsComeFromLanguageCode() {
    m_form.reset();
    LanguageCode = "nld";
    TMainForm dutch(*m_platform);
    QCOMPARE(dutch.windowTitle(), QStringLiteral("Tintor, versie 1.00a"));
    QCOMPARE(dutch.VersionText, QStringLiteral("versie 1.00a"));
    QCOMPARE(dutch.OptBtn->text(), QStringLiteral("&Opties"));
    QCOMPARE(dutch.PFSBtn->text(), QStringLiteral("&Pluk van scherm"));
    QCOMPARE(dutch.CopyrightText, QString::fromUtf8(MainFormTexts::CopyrightText.dutch));
    // Texts no code sets stay as laid out.
    QCOMPARE(dutch.ColourPnl->toolTip(), QStringLiteral("Colour"));
    QCOMPARE(dutch.HTMLOutLbl->text(), QStringLiteral("RGB:"));
    LanguageCode.clear();
}

void MainFormTest::tabOrderFollowsLayout() {
    TMainForm* f = m_form.get();
    const QList<QWidget*> expected{f->TrackR, f->TrackG, f->TrackB, f->EditR,      f->EditG,
                                   f->EditB,  f->PFSBtn, f->OptBtn, f->WebOutEdit, f->HTMLOutEdit};
    QWidget* w = f->TrackR;
    for (int i = 1; i < expected.size(); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || !w->isVisible() || w->focusProxy() != nullptr);
        QCOMPARE(w, expected[i]);
    }
}

void MainFormTest::cascadeRunsInOrderAndTouchesOnlyItsChannel() {
    TMainForm* f = m_form.get();
    f->TrackG->setValue(8);
    f->TrackB->setValue(12);
    watchCascade();
    f->TrackR->setValue(40);
    const QStringList expected{"ColourPnl", "SolidColPnl", "GreenBox",    "BlueBox",
                               "EditR=$28", "spinner=40",  "RGB=$28080C", "Web=$330000"};
    QCOMPARE(m_log, expected);
    QCOMPARE(f->UpDownG->position(), 8);
    QCOMPARE(f->UpDownB->position(), 12);
    QCOMPARE(f->EditG->text(), QStringLiteral("$08"));
    QCOMPARE(f->EditB->text(), QStringLiteral("$0C"));

    // The green and blue bars now show the new red; the swatch shows the new colour.
    QCOMPARE(pixelOf(f->GreenBox, {0, 0}), QColor(40, 0, 12));
    QCOMPARE(pixelOf(f->BlueBox, {127, 6}), QColor(40, 8, 254));
    QCOMPARE(f->ColourPnl->fillColour(), RGB(40, 8, 12));

    m_log.clear();
    f->TrackB->setValue(13);
    QCOMPARE(m_log.mid(0, 4), (QStringList{"ColourPnl", "SolidColPnl", "RedBox", "GreenBox"}));
    QVERIFY(!m_log.contains("BlueBox"));
}

void MainFormTest::orangeShowsRgbAndWebTexts() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(255);
    f->TrackG->setValue(128);
    f->TrackB->setValue(0);
    QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("$FF8000"));
    QCOMPARE(f->WebOutEdit->text(), QStringLiteral("$FF9900"));
    QCOMPARE(f->EditR->text(), QStringLiteral("$FF"));
    QCOMPARE(f->EditG->text(), QStringLiteral("$80"));
    // Blue never changed, so its field still reads as created.
    QCOMPARE(f->EditB->text(), QStringLiteral("$00"));
}

void MainFormTest::programSetToSameValueRunsNothing() {
    TMainForm* f = m_form.get();
    watchCascade();
    f->TrackR->setValue(0);
    f->TrackG->setValue(-5); // clamped to 0: still no change
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("#000000"));
    f->TrackG->setValue(300); // clamped to 255
    QCOMPARE(f->TrackG->value(), 255);
    QCOMPARE(f->EditG->text(), QStringLiteral("$FF"));
}

void MainFormTest::userKeyNotifiesEvenWhenPositionStays() {
    TMainForm* f = m_form.get();
    QSignalSpy changes(f->TrackR, &TThinTrackBar::changed);
    f->TrackR->setFocus();
    // At 0, a step down cannot move; the press and the end of the key still notify, and
    // the first cascade replaces the design texts.
    QTest::keyClick(f->TrackR, Qt::Key_Left);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(f->TrackR->value(), 0);
    QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("$000000"));
    QCOMPARE(f->WebOutEdit->text(), QStringLiteral("$000000"));

    changes.clear();
    QTest::keyClick(f->TrackR, Qt::Key_Right);
    QCOMPARE(f->TrackR->value(), 4); // arrow step
    QCOMPARE(changes.size(), 2);
    QTest::keyClick(f->TrackR, Qt::Key_PageUp);
    QCOMPARE(f->TrackR->value(), 20); // page step
    QCOMPARE(f->EditR->text(), QStringLiteral("$14"));
    QCOMPARE(f->UpDownR->position(), 20);
}

void MainFormTest::thumbDragNotifiesEveryStepAndTwiceOnRelease() {
    TMainForm* f = m_form.get();
    TThinTrackBar* track = f->TrackG;
    QStyleOptionSlider option;
    option.initFrom(track);
    option.orientation = Qt::Horizontal;
    option.minimum = track->minimum();
    option.maximum = track->maximum();
    option.sliderPosition = track->sliderPosition();
    option.sliderValue = track->value();
    const QRect handle =
        track->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track);
    QSignalSpy changes(track, &TThinTrackBar::changed);
    const QPoint start = handle.center();
    QTest::mousePress(track, Qt::LeftButton, {}, start);
    QTest::mouseMove(track, start + QPoint(20, 0));
    QTest::mouseMove(track, start + QPoint(40, 0));
    const int value = track->value();
    QVERIFY(value > 0);
    const qsizetype duringDrag = changes.size();
    QCOMPARE(duringDrag, 2);
    QTest::mouseRelease(track, Qt::LeftButton, {}, start + QPoint(40, 0));
    QCOMPARE(changes.size(), duringDrag + 2);
    QCOMPARE(track->value(), value);
    QCOMPARE(f->EditG->text(), QString::fromStdString(ChannelText(value)));
}

void MainFormTest::spinnerAtLimitDoesNothing() {
    TMainForm* f = m_form.get();
    watchCascade();
    QSignalSpy clicks(f->UpDownR, &TUpDown::clicked);
    QTest::mouseClick(f->UpDownR->arrow(TUpDown::Button::Down), Qt::LeftButton);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(f->UpDownR->position(), 0);
    QVERIFY(m_log.isEmpty());

    f->TrackB->setValue(255);
    m_log.clear();
    QTest::mouseClick(f->UpDownB->arrow(TUpDown::Button::Up), Qt::LeftButton);
    QCOMPARE(f->UpDownB->position(), 255);
    QCOMPARE(f->TrackB->value(), 255);
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
}

void MainFormTest::spinnerOneBelowLimitMovesByOne() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(254);
    QTest::mouseClick(f->UpDownR->arrow(TUpDown::Button::Up), Qt::LeftButton);
    QCOMPARE(f->UpDownR->position(), 255);
    QCOMPARE(f->TrackR->value(), 255);
    QCOMPARE(f->EditR->text(), QStringLiteral("$FF"));
    QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("$FF0000"));

    QTest::mouseClick(f->UpDownG->arrow(TUpDown::Button::Up), Qt::LeftButton);
    QCOMPARE(f->TrackG->value(), 1);
    QTest::mouseClick(f->UpDownG->arrow(TUpDown::Button::Down), Qt::LeftButton);
    QCOMPARE(f->TrackG->value(), 0);
    QCOMPARE(f->EditG->text(), QStringLiteral("$00"));
}

void MainFormTest::typedTextNeverChangesColour() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(100);
    for (const char* typed : {"FF", "$7F", "zz", "", "255"}) {
        f->EditR->clear();
        QTest::keyClicks(f->EditR, QString::fromLatin1(typed));
        QCOMPARE(f->TrackR->value(), 100);
        QCOMPARE(f->HTMLOutEdit->text(), QStringLiteral("$640000"));
    }
    QCOMPARE(f->EditR->text().size(), 3); // at most three characters
}

void MainFormTest::gradientBarShowsOtherChannelsAndNever255() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(200);
    f->TrackG->setValue(255);
    f->TrackB->setValue(50);
    const QImage green = f->GreenBox->grab().toImage();
    QCOMPARE(green.size(), QSize(128, 7));
    for (int y = 0; y < green.height(); ++y) {
        QCOMPARE(green.pixelColor(0, y), QColor(200, 0, 50));
        QCOMPARE(green.pixelColor(64, y), QColor(200, 128, 50));
        QCOMPARE(green.pixelColor(127, y), QColor(200, 254, 50));
    }
    f->PaintGradientBar(0); // not a channel: nothing happens
    f->PaintGradientBar(4);
}

void MainFormTest::webSwatchMatchesWebTextAfterRepaint() {
    TMainForm* f = m_form.get();
    m_platform->useHighColour();
    f->TrackR->setValue(255);
    f->TrackG->setValue(128);
    // Uncovering the swatch repaints it; it must still show the web-safe colour of the
    // "Web:" text (as the screen can show it), not the exact colour.
    QCOMPARE(f->WebOutEdit->text(), QStringLiteral("$FF9900"));
    const QColor web = pixelOf(f->SolidColPnl, {10, 7});
    const ColourRef shown = m_platform->nearest(RGB(255, 153, 0));
    QCOMPARE(web, QColor(GetRValue(shown), GetGValue(shown), GetBValue(shown)));
    QCOMPARE(pixelOf(f->ColourPnl, {10, 7}), QColor(255, 128, 0));

    m_platform->nearest = [](ColourRef c) { return c; };
    QCOMPARE(pixelOf(f->SolidColPnl, {10, 7}), QColor(255, 153, 0));
}

void MainFormTest::doubleClickSnapsToNearestDisplayable() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(255);
    f->TrackG->setValue(128);
    f->TrackB->setValue(3);
    watchCascade();
    // True colour: the colour is its own nearest, so nothing moves.
    QTest::mouseDClick(f->SolidColPnl, Qt::LeftButton);
    QVERIFY(m_log.isEmpty());

    m_platform->useHighColour();
    QTest::mouseDClick(f->SolidColPnl, Qt::LeftButton);
    const ColourRef nearest = m_platform->nearest(RGB(255, 128, 3));
    QCOMPARE(f->CurrentColour(), nearest);
    QVERIFY(nearest != RGB(255, 128, 3));
    // Red was already displayable: only green and blue ran the cascade.
    QVERIFY(!m_log.contains(QStringLiteral("EditR=$FF")));
    QVERIFY(m_log.contains(QString::fromStdString("EditB=" + ChannelText(GetBValue(nearest)))));
}

void MainFormTest::closeGivesScreenContextBack() {
    QCOMPARE(m_platform->contextsReleased, 0);
    m_form->close();
    QCOMPARE(m_platform->contextsReleased, 1);
    QVERIFY(m_form->ScreenDC == nullptr);
    QVERIFY(m_form->GradientBitmap.isNull());
    m_form.reset();
    QCOMPARE(m_platform->contextsTaken, 1);
    QCOMPARE(m_platform->contextsReleased, 1);
}

void MainFormTest::controlsHaveAccessibleNames() {
    TMainForm* f = m_form.get();
    f->TrackR->setValue(255);
    f->TrackG->setValue(128);
    const auto name = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a != nullptr ? a->text(QAccessible::Name) : QString();
    };
    const auto value = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a != nullptr ? a->text(QAccessible::Value) : QString();
    };
    QCOMPARE(name(f->TrackR), QStringLiteral("Red"));
    QCOMPARE(name(f->TrackG), QStringLiteral("Green"));
    QCOMPARE(name(f->TrackB), QStringLiteral("Blue"));
    QCOMPARE(name(f->PFSBtn), QStringLiteral("Pick From Screen"));
    QCOMPARE(name(f->OptBtn), QStringLiteral("Options..."));
    QCOMPARE(name(f->HTMLOutEdit), QStringLiteral("RGB"));
    QCOMPARE(value(f->HTMLOutEdit), QStringLiteral("$FF8000"));
    QCOMPARE(name(f->WebOutEdit), QStringLiteral("Web"));
    QCOMPARE(value(f->WebOutEdit), QStringLiteral("$FF9900"));
    // Every control a user can reach or read has a name; the bars' frames only decorate.
    for (QWidget* w : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->metaObject() != &QFrame::staticMetaObject) {
            QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
        }
    }
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
