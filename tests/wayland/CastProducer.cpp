#include "CastProducer.h"

#include <QDeadlineTimer>

CastProducer::CastProducer(const QList<QSize>& sizes) : m_sizes(sizes) {
    QStringList arguments;
    for (const QSize size : sizes) {
        arguments << QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(qEnvironmentVariable("TINTOR_CAST_PRODUCER"), arguments);
    QStringList nodes;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.waitForReadyRead(int(deadline.remainingTime()))) {
        while (m_process.canReadLine()) {
            const QStringList words = QString::fromUtf8(m_process.readLine()).split(' ');
            if (words.value(0).trimmed() == QLatin1String("ready")) {
                m_nodes = nodes;
                return;
            }
            nodes.append(words.value(2).trimmed());
        }
    }
}

CastProducer::~CastProducer() {
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString CastProducer::streams(const QList<QRect>& places) const {
    QStringList streams;
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        const QRect place = places.value(i);
        const QSize size = places.isEmpty() ? m_sizes.value(i) : place.size();
        const QString at = places.isEmpty()
                               ? QStringLiteral(":")
                               : QStringLiteral("@%1,%2,").arg(place.x()).arg(place.y());
        streams << m_nodes[i] + at + QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    }
    return streams.join(QLatin1Char(';'));
}

bool CastProducer::show(int stream, const QImage& picture) {
    const QString file = m_dir.filePath(QStringLiteral("%1.png").arg(stream));
    return picture.save(file) &&
           command("picture " + QByteArray::number(stream) + ' ' + file.toUtf8());
}

bool CastProducer::cursor(int stream, QPoint at) {
    return command("cursor " + QByteArray::number(stream) + ' ' + QByteArray::number(at.x()) + ' ' +
                   QByteArray::number(at.y()));
}

bool CastProducer::command(const QByteArray& line) {
    m_process.write(line + '\n');
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000)) {
            return false;
        }
    }
    return m_process.readLine().trimmed() == "ok";
}
