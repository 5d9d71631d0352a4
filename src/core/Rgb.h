#pragma once

#include <QRgb>

#include <cstdint>

enum class Channel { Red, Green, Blue };

inline constexpr Channel AllChannels[]{Channel::Red, Channel::Green, Channel::Blue};

// A colour as the screen reads and draws it, eight bits a channel.
class Rgb {
public:
    constexpr Rgb() = default;
    // Keeps only the low 8 bits of each channel value.
    constexpr Rgb(int red, int green, int blue)
        : m_value((static_cast<std::uint32_t>(red) & 0xFFu) |
                  ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
                  ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16)) {}

    [[nodiscard]] constexpr int red() const { return byte(0); }
    [[nodiscard]] constexpr int green() const { return byte(1); }
    [[nodiscard]] constexpr int blue() const { return byte(2); }
    [[nodiscard]] constexpr int channel(Channel c) const { return byte(static_cast<int>(c)); }

    // The same colour with one channel replaced (low 8 bits).
    [[nodiscard]] constexpr Rgb withChannel(Channel c, int value) const {
        return {c == Channel::Red ? value : red(), c == Channel::Green ? value : green(),
                c == Channel::Blue ? value : blue()};
    }

    // Qt's form of the colour, opaque.
    [[nodiscard]] constexpr QRgb toQRgb() const { return qRgb(red(), green(), blue()); }
    // Qt's colour without its alpha.
    static constexpr Rgb fromQRgb(QRgb colour) {
        return Rgb(qRed(colour), qGreen(colour), qBlue(colour));
    }

    // 0xRRGGBB: the order in which the hexadecimal text reads the channels.
    [[nodiscard]] constexpr std::uint32_t hexValue() const {
        return (static_cast<std::uint32_t>(red()) << 16) |
               (static_cast<std::uint32_t>(green()) << 8) | static_cast<std::uint32_t>(blue());
    }

    constexpr bool operator==(const Rgb&) const = default;

private:
    [[nodiscard]] constexpr int byte(int index) const {
        return static_cast<int>((m_value >> (8 * index)) & 0xFFu);
    }

    std::uint32_t m_value = 0; // 0x00BBGGRR
};
