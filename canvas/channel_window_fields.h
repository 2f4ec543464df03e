#pragma once

#include <cstdint>

#include "canvas/painter.h"

namespace hsq {

// What a channel window stands for.
enum ChannelKind : std::uint8_t {
    kInputImageWindow = 1,   // an image layer of the output board dialog
    kInputCardWindow = 2,    // the main or picture-in-picture window of an input card
    kOutputChannelWindow = 3,
};

// Set by the owning dialog.
struct ChannelWindowSettings {
    // Processor pixels per canvas pixel.
    double ratioX = 0;
    double ratioY = 0;
    Color borderColor = kBlack;
    // The processor coordinate of the canvas origin, taken off the position label.
    std::int16_t originX = 0;
    std::int16_t originY = 0;
    std::uint8_t index = 0;
    std::uint8_t kind = 0;
    std::uint8_t splitMode = 0;
    // The whole output area on the canvas, which the pieces divide.
    std::uint16_t layoutWidth = 0;
    std::uint16_t layoutHeight = 0;
};

// Position and size in processor pixels.
struct ProcessorRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
    friend bool operator==(const ProcessorRect&, const ProcessorRect&) = default;
};

}  // namespace hsq
