#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dialog/bilingual.h"
#include "config/profile_store.h"

namespace hsq {

// The version dialog (CCVision): the firmware versions of the last system status read, as
// stored. It does not ask the processor.
struct VersionTexts {
    static constexpr Bilingual kTitle{"版本", "Version"};
    static constexpr Bilingual kProduct{"HSQ2600控制软件(V1.00)", "HSQ2600 Software Controller(V1.00)"};
    static constexpr Bilingual kMaker{"示例视频系统有限公司", "Example Video Systems Ltd."};
    // Our own page: nobody's real company.
    static constexpr Bilingual kLink{"https://example.com/zh/hsq2600", "https://example.com/hsq2600"};
    static constexpr std::array<std::string_view, 6> kLabels{
        "IN-A: ", "IN-B: ", "IN-C: ", "IN-D: ", "OUT-K: ", "OUT-L: "};

    // In the order of kLabels; a missing key is an empty text.
    static std::array<std::string, 6> Versions(const ProfileStore& store);
};

}  // namespace hsq
