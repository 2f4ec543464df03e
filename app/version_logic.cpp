#include "app/version_logic.h"

namespace hsq {

std::array<std::string, 6> VersionTexts::Versions(const ProfileStore& store) {
    constexpr std::array<std::string_view, 6> kKeys{"INA", "INB", "INC", "IND", "OUTK", "OUTL"};
    std::array<std::string, 6> versions;
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        store.ReadValue(ConfigFileKind::SystemInfo, "Version", kKeys[i], versions[i]);
    }
    return versions;
}

}  // namespace hsq
