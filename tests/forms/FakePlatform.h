#pragma once

#include "core/ColourMaths.h"
#include "platform/PlatformServices.h"

#include <functional>

// Stands in for the X11 services in widget tests: counts contexts handed out and given
// back, and answers the nearest-colour question with whatever the test sets.
class FakePlatform final : public PlatformServices {
public:
    std::function<ColourRef(ColourRef)> nearest = [](ColourRef c) { return c; };
    int contextsTaken = 0;
    int contextsReleased = 0;

    // A 16-bit screen, where most colours have a displayable neighbour instead.
    void useHighColour() {
        nearest = [](ColourRef c) { return NearestTrueColour(c, 0xF800, 0x07E0, 0x001F); };
    }

    std::unique_ptr<ScreenContext> GetDC() override {
        ++contextsTaken;
        return std::make_unique<Context>(*this);
    }

private:
    class Context final : public ScreenContext {
    public:
        explicit Context(FakePlatform& owner) : m_owner(owner) {}
        ~Context() override { ++m_owner.contextsReleased; }
        [[nodiscard]] ColourRef GetNearestColor(ColourRef colour) const override {
            return m_owner.nearest(colour);
        }

    private:
        FakePlatform& m_owner;
    };
};
