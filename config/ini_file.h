#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_document.h"
#include "config/ini_edit.h"
#include "config/text_encoding.h"

namespace hsq {

// A read returns at most this many characters, as the original 256-character buffer did.
inline constexpr std::size_t kMaxValueCharacters = 255;

// Reads one key from the file as it is on disk now, as UTF-8 text cut to kMaxValueCharacters.
// Empty when the file, the section or the key is missing.
std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        std::string_view section, std::string_view key);

// A file read once, for reading many of its keys: each read as ReadIniValue would.
class IniSnapshot {
  public:
    // Empty when the file is missing or cannot be read.
    static std::optional<IniSnapshot> Read(const std::filesystem::path& file);
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  private:
    explicit IniSnapshot(std::string bytes);

    TextEncoding encoding_;
    IniDocument document_;
};

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
