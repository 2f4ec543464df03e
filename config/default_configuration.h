#pragma once

#include <filesystem>

namespace hsq {

// Writes the configuration files of a freshly initialised system at 1920 x 1080 into folder,
// creating it when needed: "2600Info.ini", "Input.ini", "Output1.ini", "Output2.ini" and
// "Timer.ini". Keys already in existing files that a fresh system lacks are left alone.
bool WriteDefaultConfiguration(const std::filesystem::path& folder);

}  // namespace hsq
