#include "config/output_resolution.h"

namespace hsq {

std::optional<OutputResolution> ResolutionOfFormat(int code) {
    switch (code) {
        case 0:
            return OutputResolution{0, 1024, 768};
        case 2:
            return OutputResolution{2, 1280, 1024};
        case 3:
            return OutputResolution{3, 1920, 1200};
        case 6:
            return OutputResolution{6, 1920, 1080};
        default:
            return std::nullopt;
    }
}

void ApplyOutputFormat(OutputResolution& resolution, int code) {
    if (const auto known = ResolutionOfFormat(code))
        resolution = *known;
}

}  // namespace hsq
