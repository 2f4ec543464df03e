#pragma once

#include <array>
#include <cstdint>

namespace hsq {

// A rectangle in processor pixels.
struct WindowRect {
    std::uint16_t x = 0;
    std::uint16_t width = 0;
    std::uint16_t y = 0;
    std::uint16_t height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The window layout on the wire: one selector byte, then X, W, Y, H, each high byte first.
std::array<std::uint8_t, 9> EncodeWindow(std::uint8_t selector, const WindowRect& rect);

// Byte 3 of the channel window import commands: mode x 16 + channel x 4 + board.
std::uint8_t ImportChannelSelector(int mode, int channel, int board);

}  // namespace hsq
