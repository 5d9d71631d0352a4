#pragma once

// Picks through the desktop, as in a Wayland session where no program may read the screen: a
// fake of the desktop's screenshot and colour picker that answers when the test says so.  The
// cases with a screenshot are in tst_desktoppick.cpp, those without in tst_desktopfallback.cpp.

#include "FakeDesktopCapture.h"
#include "WidgetTestCase.h"

class DesktopPickTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void init();

    void pickWaitsForScreenshotThenFreezesIt_data();
    void pickWaitsForScreenshotThenFreezesIt();
    void tickSamplesScreenshotInPicturePixels_data();
    void tickSamplesScreenshotInPicturePixels();
    void answerAfterPickEndedShowsNothing_data();
    void answerAfterPickEndedShowsNothing();
    void outsidePickOnlyOwnWindowsAreRead();
    void placeShownOnceFrozen_data();
    void placeShownOnceFrozen();
    void endingRemovesFrozenScreen_data();
    void endingRemovesFrozenScreen();

    void desktopColourWhereNoScreenshot();
    void neitherWorksSaysWhy_data();
    void neitherWorksSaysWhy();
    void stalePointerIsNotReadUntilItMoves();
    void escapeWhileDesktopIsBusy_data();
    void escapeWhileDesktopIsBusy();

private:
    void start(InterfaceLanguage language);
    void freezeThenPoint(const QImage& picture, QPoint pointer);

    FakeDesktopCapture* m_picker = nullptr; // the fixture's
};

inline void DesktopPickTest::start(InterfaceLanguage language) {
    auto picker = std::make_unique<FakeDesktopCapture>();
    m_picker = picker.get();
    m_test.reset();
    m_test = std::make_unique<WidgetTest>(language, std::move(picker));
}
