#include "commands/window_rect.h"

namespace hsq {

std::array<std::uint8_t, 9> EncodeWindow(std::uint8_t selector, const WindowRect& rect) {
    auto high = [](std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); };
    auto low = [](std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); };
    return {selector,     high(rect.x), low(rect.x),       high(rect.width), low(rect.width),
            high(rect.y), low(rect.y),  high(rect.height), low(rect.height)};
}

std::uint8_t ImportChannelSelector(int mode, int channel, int board) {
    return static_cast<std::uint8_t>(mode * 16 + channel * 4 + board);
}

}  // namespace hsq
