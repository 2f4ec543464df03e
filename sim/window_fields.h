#pragma once

#include <array>
#include <cstdint>

#include "commands/window_rect.h"
#include "link/command_frame.h"

namespace hsq::sim {

// X, W, Y, H in frame bytes 4 to 11, each high byte first.
WindowRect WindowFromCommand(const Frame& frame);

// The replies carry a window's values in fields narrower than 16 bits; a window that does not fit
// them could not be read back, so the processor refuses it.
bool FitsInputReport(const WindowRect& rect);    // main and PIP windows: x in 13 bits
bool FitsChannelReport(const WindowRect& rect);  // channel windows: x, W in 14 bits, y in 12

// The reply layout of a channel window: board, channel and mode in the spare high bits of
// x, width and y (bytes 4 to 11 of the reply, returned from index 0).
std::array<std::uint8_t, 8> ChannelWindowBytes(const WindowRect& rect, int board, int channel,
                                               int mode);

// The reply layout of an input card window: the card in the top bits of x (bytes 4 to 11).
std::array<std::uint8_t, 8> InputWindowBytes(const WindowRect& rect, int cardBits);

}  // namespace hsq::sim
