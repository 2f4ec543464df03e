#include "canvas/wire_rect.h"

namespace hsq {
namespace {

bool FitsWire(std::int32_t value) {
    return value >= 0 && value <= 0xFFFF;
}

}  // namespace

std::optional<WindowRect> ToWindowRect(const ProcessorRect& w) {
    if (!FitsWire(w.x) || !FitsWire(w.w) || !FitsWire(w.y) || !FitsWire(w.h)) return std::nullopt;
    return WindowRect{static_cast<std::uint16_t>(w.x), static_cast<std::uint16_t>(w.w),
                      static_cast<std::uint16_t>(w.y), static_cast<std::uint16_t>(w.h)};
}

ProcessorRect ToProcessorRect(const WindowRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

}  // namespace hsq
