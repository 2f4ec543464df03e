#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hsq {

// The whole file; empty when it does not exist or cannot be read as a regular file.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Writes a temporary file beside the target, flushes it to disk, renames it over the target and
// flushes the folder, so that a crash leaves either the old or the new file, never a torn one.
// The folder must exist. A symbolic link is followed and its target replaced.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace hsq
