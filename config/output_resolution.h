#pragma once

#include <cstdint>
#include <optional>

namespace hsq {

// The output picture size that an "outformat" code stands for.
struct OutputResolution {
    std::uint8_t code = 0;  // the code these dimensions came from
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    friend bool operator==(const OutputResolution&, const OutputResolution&) = default;
};

// Empty for a code that names no resolution.
std::optional<OutputResolution> ResolutionOfFormat(int code);

// Codes that name no resolution leave it as it was.
void ApplyOutputFormat(OutputResolution& resolution, int code);

}  // namespace hsq
