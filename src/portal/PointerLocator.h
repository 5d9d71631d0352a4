#pragma once

#include "CastLayout.h"
#include "ScreenCast.h"

#include <QPoint>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

// The one rule for where the pointer is while the screen is cast.  Two witnesses report it:
// Xwayland, which knows the place only while the pointer is over Tintor's windows (and keeps
// its last place there when the pointer jumps out), and each stream, which reports the place
// in its own pixels a frame late, and just off its picture over the edge it shares with the
// monitor beside.  Reports carry their time, so the newest witness is believed; over Tintor's
// windows the two must agree, and when they keep disagreeing the cast is given up.
class PointerLocator {
public:
    using Clock = std::chrono::steady_clock;
    // How long the witnesses may disagree, the pointer still, before the cast is given up:
    // the streams report the place a frame late, later still on a busy machine.
    static constexpr std::chrono::milliseconds patience{500};

    explicit PointerLocator(std::function<Clock::time_point()> now = &Clock::now);

    // A new cast of `certain.size()` streams, each of whose place is either certain from the
    // start or counts only once Xwayland's place confirms it.
    void reset(std::vector<bool> certain);
    // Where the streams lie now, and their pictures' sizes.
    void setLayout(CastLayout layout) { m_layout = std::move(layout); }
    // Xwayland saw the pointer move over Tintor's windows at `serverTime`, the X server's
    // 32-bit milliseconds.
    void xwaylandMoved(std::chrono::milliseconds serverTime);
    // A stream saw the pointer at `at`, in its pixels (nothing: it left the stream), at `when`.
    // A report older than the one held for the stream is news no more.
    void streamReported(int stream, std::optional<QPoint> at, Clock::time_point when);

    // The place under the pointer, where Xwayland has it at `pointer`; `known` says whether
    // that place is real (the pointer is over Tintor's windows).  Nothing while no witness
    // knows, or only on a stream whose place is not confirmed.
    [[nodiscard]] std::optional<ScreenCast::Place> placeUnder(QPoint pointer, bool known);
    // Whether the witnesses disagreed for long enough to give the cast up.
    [[nodiscard]] bool hasGivenUp() const { return m_givenUp; }

private:
    struct Report {
        std::optional<QPoint> at;
        Clock::time_point when;
    };
    struct Stream {
        std::optional<Report> report;
        bool confirmed = false;
    };

    [[nodiscard]] bool isConfirmed(int stream) const;
    // The newest place reported, as a pixel of the stream whose picture holds it; `when`
    // says when it was seen there.
    [[nodiscard]] std::optional<StreamPixel> newestSeen(Clock::time_point& when) const;
    // Whether a confirmed stream saw the pointer elsewhere than `pointer` after Xwayland
    // last saw it move.
    [[nodiscard]] bool xwaylandLagsBehind(const std::optional<StreamPixel>& seen,
                                          Clock::time_point when, QPoint pointer) const;
    // `screen` is where the pointer truly is: the streams, which last showed it at `seen`,
    // must show it there.
    void compare(const std::optional<StreamPixel>& seen, QPoint screen);

    std::function<Clock::time_point()> m_now;
    CastLayout m_layout;
    std::vector<Stream> m_streams;
    Clock::time_point m_xwaylandMoved;
    std::optional<Clock::duration> m_serverOffset; // this clock less the X server's
    std::optional<QPoint> m_lastKnown;
    std::optional<Clock::time_point> m_disagreeingSince;
    bool m_givenUp = false;
};
