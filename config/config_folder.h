#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hsq {

// The folder holding the running program, from /proc/self/exe.
std::filesystem::path ExecutableFolder();

// Where a program's configuration may live besides the folder its command line names.
struct ConfigFolderPlaces {
    const char* namedFolder = nullptr;    // HSQ2600_CONFIG_DIR
    const char* configHome = nullptr;     // XDG_CONFIG_HOME
    const char* home = nullptr;           // HOME
    std::filesystem::path programFolder;  // the folder of the running program

    // This process's: HSQ2600_CONFIG_DIR as given, the rest from its environment and
    // /proc/self/exe.
    static ConfigFolderPlaces OfThisProcess(const char* namedFolder);
};

// The folder given on the command line when not empty, else HSQ2600_CONFIG_DIR when set and not
// empty, else "SystemINI" beside the program when it is there and writable (a build), else the
// user's own "$XDG_CONFIG_HOME/hsq2600/SystemINI" (by default "~/.config/hsq2600/SystemINI"),
// which first receives each shipped default ("../share/hsq2600/SystemINI" from the program) it
// lacks: a file already there, under any letter case, is never replaced. With neither HOME nor
// XDG_CONFIG_HOME, "SystemINI" beside the program all the same.
std::filesystem::path ResolveConfigFolder(const std::string& givenFolder,
                                          const ConfigFolderPlaces& places);

// The entry of the folder whose name equals name without regard to ASCII case, preferring an
// exact match; empty when there is none.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

}  // namespace hsq
