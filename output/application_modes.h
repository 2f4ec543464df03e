#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "dialog/bilingual.h"

namespace hsq {

// The application modes an output card offers, in the order the operator is shown them.
inline constexpr std::array<std::uint8_t, 4> kApplicationModes{0, 1, 5, 6};
inline constexpr std::array<Bilingual, 4> kApplicationModeCaptions{{
    {"4路拼接或4:4矩阵", "4 Outputs Splitter/4:4 Matrix"},
    {"2路双画面", "4:2 Overlay Matrix"},
    {"4画面", "4 Image Overlay"},
    {"4:2无缝切换", "Dual PIP/POP"},
}};

// Nothing for a mode no card offers.
inline std::optional<Bilingual> ApplicationModeCaption(int mode) {
    for (std::size_t i = 0; i < kApplicationModes.size(); ++i) {
        if (kApplicationModes[i] == mode) return kApplicationModeCaptions[i];
    }
    return std::nullopt;
}

}  // namespace hsq
