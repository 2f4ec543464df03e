#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_edit.h"

namespace hsq {

// A read returns at most this many characters, as the original 256-character buffer did.
inline constexpr std::size_t kMaxValueCharacters = 255;

// Reads one key from the file as it is on disk now, as UTF-8 text cut to kMaxValueCharacters.
// Empty when the file, the section or the key is missing.
std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        std::string_view section, std::string_view key);

struct IniWriteResult {
    // The file now holds every edit that could be stored; false, with the file unchanged, when
    // it could not be read or written.
    bool written = false;
    // The texts (values, or a section or key name) that the file's encoding cannot hold: their
    // edits are left out and those keys keep what they held.
    std::vector<std::string> unstorable;
};

// Applies the edits in order to the file as it is on disk now (a missing file starts empty) and
// replaces the file once.
IniWriteResult WriteIniValues(const std::filesystem::path& file, std::span<const IniEdit> edits);

}  // namespace hsq
