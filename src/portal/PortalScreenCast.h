#pragma once

#include "CastFrameSet.h"
#include "CastLayout.h"
#include "ScreenCast.h"
#include "ScreenCastPortal.h"

#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class PipeWireCapture;

// The screen cast of a Wayland session: the portal's session, its streams read through
// PipeWire, and where they lie on the screen.
class PortalScreenCast final : public ScreenCast {
    Q_OBJECT
public:
    // At most this many frames a second: the follower shows 20 a second, and the desktop
    // draws every frame it sends (GNOME also sends the pointer's place no more often).
    static constexpr int maxFramerate = 20;
    static constexpr std::chrono::milliseconds firstFrameTimeout{1000};

    explicit PortalScreenCast(QObject* parent = nullptr);
    explicit PortalScreenCast(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalScreenCast() override;

    [[nodiscard]] bool isOffered() const override { return m_offered; }
    void open(const QString& token) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] std::optional<Pointer> pointer() override;
    [[nodiscard]] std::optional<QPoint> toFrame(QPoint screen) const override;
    void confirmPlace(QPoint screen) override;
    [[nodiscard]] std::unique_ptr<ScreenReader> screenReader() override;

private:
    void onOpened(const QList<ScreenCastPortal::Stream>& streams, const QString& token,
                  const QDBusUnixFileDescriptor& remote);
    void onFirstFrame(int stream);
    void fail(ScreenCast::Failure failure);
    void stop();
    // Where the pointer was last reported, on whichever stream reported last.
    [[nodiscard]] std::optional<CastLayout::Located> newestCursor() const;

    ScreenCastPortal m_portal;
    std::shared_ptr<CastFrameSet> m_frames = std::make_shared<CastFrameSet>();
    std::unique_ptr<PipeWireCapture> m_capture;
    CastLayout m_layout;
    std::vector<bool> m_framed;
    QTimer m_firstFrames;
    QString m_token;
    bool m_offered = false;
    bool m_open = false;
    // The place last confirmed, and how many ticks in a row the streams disagreed there.
    std::optional<QPoint> m_lastConfirmed;
    int m_disagreements = 0;
};
