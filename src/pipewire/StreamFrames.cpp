#include "StreamFrames.h"

#include <algorithm>
#include <cstring>

namespace {

Rgb colourOf(std::uint32_t value, StreamFrames::Order order) {
    const int low = static_cast<int>(value & 0xFFu);
    const int middle = static_cast<int>((value >> 8) & 0xFFu);
    const int high = static_cast<int>((value >> 16) & 0xFFu);
    // Little-endian words: BGRx reads 0xxxRRGGBB, RGBx 0xxxBBGGRR.
    return order == StreamFrames::Order::Bgrx ? Rgb(high, middle, low) : Rgb(low, middle, high);
}

} // namespace

void StreamFrames::store(const std::byte* data, std::size_t stride, QSize size, Order order) {
    const auto width = static_cast<std::size_t>(size.width());
    const auto height = static_cast<std::size_t>(size.height());
    m_back.pixels.resize(width * height);
    for (std::size_t row = 0; row < height; ++row) {
        std::memcpy(m_back.pixels.data() + row * width, data + row * stride, width * 4);
    }
    m_back.size = size;
    m_back.order = order;
    const std::lock_guard lock(m_mutex);
    std::swap(m_front, m_back);
}

void StreamFrames::storeCursor(std::optional<QPoint> at) {
    const std::lock_guard lock(m_mutex);
    m_cursor = Cursor{at, std::chrono::steady_clock::now()};
}

bool StreamFrames::hasFrame() const {
    const std::lock_guard lock(m_mutex);
    return !m_front.size.isEmpty();
}

QSize StreamFrames::size() const {
    const std::lock_guard lock(m_mutex);
    return m_front.size;
}

std::optional<StreamFrames::Cursor> StreamFrames::cursor() const {
    const std::lock_guard lock(m_mutex);
    return m_cursor;
}

void StreamFrames::read(QPoint topLeft, int side, std::span<Rgb> out) const {
    const auto count = static_cast<std::size_t>(std::max(side, 0) * std::max(side, 0));
    std::fill_n(out.begin(), std::min(count, out.size()), Rgb::offScreen());
    if (out.size() < count) {
        return;
    }
    const std::lock_guard lock(m_mutex);
    const QSize size = m_front.size;
    const int left = std::max(topLeft.x(), 0);
    const int right = std::min(topLeft.x() + side, size.width());
    const int top = std::max(topLeft.y(), 0);
    const int bottom = std::min(topLeft.y() + side, size.height());
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* line =
            m_front.pixels.data() + static_cast<std::size_t>(y) * size.width();
        for (int x = left; x < right; ++x) {
            out[static_cast<std::size_t>((y - topLeft.y()) * side + (x - topLeft.x()))] =
                colourOf(line[x], m_front.order);
        }
    }
}
