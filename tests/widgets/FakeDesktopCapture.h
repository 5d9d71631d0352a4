#pragma once

#include "DesktopCapture.h"

#include <QImage>
#include <QStringList>

// Stands in for the desktop's screenshot and colour picker of a Wayland session: records
// every request in order ("screenshot", "colour", "cancel"), and answers only when the test
// says so.
class FakeDesktopCapture final : public DesktopCapture {
public:
    QStringList calls;

    void takeScreenshot() override { calls << QStringLiteral("screenshot"); }
    void pickColour() override { calls << QStringLiteral("colour"); }
    void cancel() override { calls << QStringLiteral("cancel"); }

    // The desktop's answers.
    void giveScreenshot(const QImage& picture) { emit screenshotTaken(picture); }
    void giveColour(Rgb colour) { emit colourPicked(colour); }
    void fail(Refusal refusal) { emit failed(refusal); }
};
