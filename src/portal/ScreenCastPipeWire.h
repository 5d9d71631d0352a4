#pragma once

#include "CastLayout.h"
#include "CastStream.h"
#include "FollowInterval.h"
#include "PointerLocator.h"
#include "ScreenCast.h"
#include "ScreenCastSession.h"

#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class PipeWireCapture;

// The screen cast of a Wayland session: the portal's session, its streams read through
// PipeWire, and where they lie on the screen.  Where the pointer is, its PointerLocator
// alone says, from Xwayland's moves and the streams' reports.
class ScreenCastPipeWire final : public ScreenCast {
    Q_OBJECT
public:
    // At most as many frames a second as the follower shows: the desktop draws every frame
    // it sends (GNOME also sends the pointer's place no more often).
    static constexpr int maxFramerate = std::chrono::seconds(1) / followInterval;
    static constexpr std::chrono::milliseconds firstFrameTimeout{1000};

    explicit ScreenCastPipeWire(QObject* parent = nullptr);
    explicit ScreenCastPipeWire(const QDBusConnection& bus, QObject* parent = nullptr);
    ~ScreenCastPipeWire() override;

    [[nodiscard]] bool isOffered() const override { return m_offered; }
    void open(const QString& token) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] std::optional<Place> placeUnder(QPoint pointer, bool known) override;
    [[nodiscard]] Place moved(const Place& from, QPoint steps) const override;
    void setMethod(SamplingMethod method) override;
    [[nodiscard]] PointerSample sampleAt(const Place& place) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onOpened(const QList<PortalStream>& streams, const QString& token,
                  const QDBusUnixFileDescriptor& remote);
    void onFirstFrame(int stream);
    void fail(ScreenCast::Failure failure);
    void stop();
    // Where the streams lie, with their pictures' sizes as they are now.
    [[nodiscard]] CastLayout layout() const;

    ScreenCastSession m_portal;
    std::vector<CastStream> m_streams;
    PipeWireCapture* m_capture = nullptr; // a child, dropped later when stopped
    PointerLocator m_locator;
    SamplingMethod m_method = SamplingMethod::SinglePixel;
    QTimer m_firstFrames;
    QString m_token;
    bool m_offered = false;
    bool m_open = false;
};
