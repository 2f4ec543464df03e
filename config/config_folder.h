#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hsq {

// The folder holding the running program, from /proc/self/exe.
std::filesystem::path ExecutableFolder();

// "--config-dir DIR" (or "--config-dir=DIR") among the arguments, else the environment's
// HSQ2600_CONFIG_DIR when set and not empty, else "SystemINI" beside the program.
std::filesystem::path ResolveConfigFolder(std::span<const std::string> arguments,
                                          const char* environmentFolder);

// The entry of the folder whose name equals name without regard to ASCII case, preferring an
// exact match; empty when there is none.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace hsq
