#pragma once

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The test's screen cast (cast_producer, TINTOR_CAST_PRODUCER): a stream per output of the
// session, at the output's own pixels, and the fake portal's --cast-streams that offer them
// as GNOME would (placed) or as KDE would (size only).
class CastProducer {
public:
    explicit CastProducer(const QList<QSize>& sizes);
    ~CastProducer();
    CastProducer(const CastProducer&) = delete;
    CastProducer& operator=(const CastProducer&) = delete;

    [[nodiscard]] bool isReady() const { return m_nodes.size() > 0; }
    // "NODE@X,Y,WxH;..." with the places given, or "NODE:WxH;..." without.
    [[nodiscard]] QString streams(const QList<QRect>& places = {}) const;

    bool show(int stream, const QImage& picture);
    bool cursor(int stream, QPoint at);
    bool command(const QByteArray& line);

private:
    QProcess m_process;
    QTemporaryDir m_dir;
    QList<QSize> m_sizes;
    QStringList m_nodes;
};
