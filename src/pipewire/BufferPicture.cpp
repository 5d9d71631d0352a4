#include "BufferPicture.h"

#include <algorithm>
#include <cstdint>

Result<std::optional<StreamFrames::View>> pictureIn(const spa_buffer& buffer, QSize size,
                                                    StreamFrames::Order order) {
    if (buffer.n_datas < 1 || buffer.datas == nullptr) {
        return std::optional<StreamFrames::View>();
    }
    const spa_data& plane = buffer.datas[0];
    const spa_chunk* chunk = plane.chunk;
    if (plane.data == nullptr || chunk == nullptr || chunk->size == 0 ||
        (chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) != 0) {
        return std::optional<StreamFrames::View>();
    }
    if (size.isEmpty()) {
        return Failure{QStringLiteral("a picture of %1x%2").arg(size.width()).arg(size.height())};
    }
    if (chunk->stride < 0) {
        return Failure{QStringLiteral("a negative stride, %1").arg(chunk->stride)};
    }
    const auto row = std::uint64_t(size.width()) * 4;
    const std::uint64_t stride = chunk->stride > 0 ? std::uint64_t(chunk->stride) : row;
    // PipeWire's offset is taken modulo the memory's size, as a ring buffer's is.
    const std::uint64_t offset = plane.maxsize > 0 ? chunk->offset % plane.maxsize : 0;
    const std::uint64_t picture = stride * std::uint64_t(size.height() - 1) + row;
    if (stride < row) {
        return Failure{
            QStringLiteral("rows of %1 bytes for %2 pixels").arg(stride).arg(size.width())};
    }
    if (offset + chunk->size > plane.maxsize || offset + picture > plane.maxsize) {
        return Failure{QStringLiteral("%1 bytes at %2 of a buffer of %3")
                           .arg(std::max<std::uint64_t>(chunk->size, picture))
                           .arg(offset)
                           .arg(plane.maxsize)};
    }
    return std::optional(StreamFrames::View{static_cast<const std::byte*>(plane.data) + offset,
                                            static_cast<std::size_t>(stride), size, order});
}
