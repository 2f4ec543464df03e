#pragma once

#include <optional>

#include "canvas/channel_window_fields.h"
#include "commands/window_rect.h"

namespace hsq {

// The record's rectangles are the wire's; a value outside 0..65535 is refused, never wrapped.
std::optional<WindowRect> ToWindowRect(const ProcessorRect& window);
ProcessorRect ToProcessorRect(const WindowRect& rect);

}  // namespace hsq
