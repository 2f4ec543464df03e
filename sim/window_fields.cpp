#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

std::uint16_t WordAt(const Frame& frame, int index) {
    return static_cast<std::uint16_t>(frame[index] * 256 + frame[index + 1]);
}

std::uint8_t High(std::uint16_t value) {
    return static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t Low(std::uint16_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

WindowRect WindowFromCommand(const Frame& frame) {
    return {WordAt(frame, 4), WordAt(frame, 6), WordAt(frame, 8), WordAt(frame, 10)};
}

bool FitsInputReport(const WindowRect& rect) {
    return rect.x < 0x2000;
}

bool FitsChannelReport(const WindowRect& rect) {
    return rect.x < 0x4000 && rect.width < 0x4000 && rect.y < 0x1000;
}

std::array<std::uint8_t, 8> ChannelWindowBytes(const WindowRect& rect, int board, int channel,
                                               int mode) {
    return {static_cast<std::uint8_t>(board << 6 | High(rect.x)),
            Low(rect.x),
            static_cast<std::uint8_t>(channel << 6 | High(rect.width)),
            Low(rect.width),
            static_cast<std::uint8_t>(mode << 4 | High(rect.y)),
            Low(rect.y),
            High(rect.height),
            Low(rect.height)};
}

std::array<std::uint8_t, 8> InputWindowBytes(const WindowRect& rect, int cardBits) {
    return {static_cast<std::uint8_t>(cardBits << 6 | High(rect.x)),
            Low(rect.x),
            High(rect.width),
            Low(rect.width),
            High(rect.y),
            Low(rect.y),
            High(rect.height),
            Low(rect.height)};
}

}  // namespace hsq::sim
