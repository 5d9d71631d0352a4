#include "StreamFrames.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

Rgb colourAt(const std::byte* pixel, StreamFrames::Order order) {
    std::uint32_t value = 0;
    std::memcpy(&value, pixel, sizeof value);
    const int low = static_cast<int>(value & 0xFFu);
    const int middle = static_cast<int>((value >> 8) & 0xFFu);
    const int high = static_cast<int>((value >> 16) & 0xFFu);
    // Little-endian words: BGRx reads 0xxxRRGGBB, RGBx 0xxxBBGGRR.
    return order == StreamFrames::Order::Bgrx ? Rgb(high, middle, low) : Rgb(low, middle, high);
}

} // namespace

void StreamFrames::show(std::optional<View> view) {
    const std::lock_guard lock(m_mutex);
    m_view = view;
}

void StreamFrames::storeCursor(std::optional<QPoint> at) {
    const std::lock_guard lock(m_mutex);
    // Every buffer repeats the place: it is news only when it changes.
    if (!m_cursor || m_cursor->at != at) {
        m_cursor = Cursor{at, std::chrono::steady_clock::now()};
    }
}

QSize StreamFrames::size() const {
    const std::lock_guard lock(m_mutex);
    return m_view ? m_view->size : QSize();
}

std::optional<StreamFrames::Cursor> StreamFrames::cursor() const {
    const std::lock_guard lock(m_mutex);
    return m_cursor;
}

void StreamFrames::read(QPoint topLeft, int side, std::span<ScreenPixel> out) const {
    const auto count = static_cast<std::size_t>(std::max(side, 0) * std::max(side, 0));
    std::fill_n(out.begin(), std::min(count, out.size()), std::nullopt);
    const std::lock_guard lock(m_mutex);
    if (out.size() < count || !m_view) {
        return;
    }
    const View& view = *m_view;
    const int left = std::max(topLeft.x(), 0);
    const int right = std::min(topLeft.x() + side, view.size.width());
    const int top = std::max(topLeft.y(), 0);
    const int bottom = std::min(topLeft.y() + side, view.size.height());
    for (int y = top; y < bottom; ++y) {
        const std::byte* line = view.data + static_cast<std::size_t>(y) * view.stride;
        for (int x = left; x < right; ++x) {
            out[static_cast<std::size_t>((y - topLeft.y()) * side + (x - topLeft.x()))] =
                colourAt(line + static_cast<std::size_t>(x) * 4, view.order);
        }
    }
}
