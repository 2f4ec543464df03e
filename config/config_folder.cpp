#include "config/config_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "config/atomic_file.h"
#include "config/ini_document.h"

namespace hsq {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : program.parent_path();
}

ConfigFolderPlaces ConfigFolderPlaces::OfThisProcess(const char* namedFolder) {
    return {namedFolder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ExecutableFolder()};
}

namespace {

constexpr std::string_view kFolderName = "SystemINI";

// A build keeps its files beside its programs; an installed program has none there, or none
// the operator may write.
bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder, error) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Empty when the environment names no home.
std::filesystem::path UserConfigFolder(const ConfigFolderPlaces& places) {
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    if (places.configHome != nullptr && std::filesystem::path(places.configHome).is_absolute())
        return std::filesystem::path(places.configHome) / "hsq2600" / kFolderName;
    if (places.home != nullptr && *places.home != '\0')
        return std::filesystem::path(places.home) / ".config" / "hsq2600" / kFolderName;
    return {};
}

// Each default the folder lacks, written whole or not at all: a copy cut short would otherwise
// pass for the operator's own file from then on.
void AddMissingDefaults(const std::filesystem::path& folder,
                        const std::filesystem::path& defaults) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (std::filesystem::directory_iterator entry(defaults, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code notFile;
        if (!entry->is_regular_file(notFile) || FindFileIgnoringCase(folder, name)) continue;
        const std::optional<std::string> bytes = ReadFileBytes(entry->path());
        if (bytes) ReplaceFileAtomically(folder / name, *bytes);
    }
}

}  // namespace

std::filesystem::path ResolveConfigFolder(const std::string& givenFolder,
                                          const ConfigFolderPlaces& places) {
    if (!givenFolder.empty()) return givenFolder;
    if (places.namedFolder != nullptr && *places.namedFolder != '\0') return places.namedFolder;
    const std::filesystem::path besideProgram = places.programFolder / kFolderName;
    const std::filesystem::path userFolder = UserConfigFolder(places);
    if (IsWritableFolder(besideProgram) || userFolder.empty()) return besideProgram;
    // An installed program's defaults: <prefix>/share/hsq2600/SystemINI beside <prefix>/bin.
    const std::filesystem::path shipped = places.programFolder / ".." / "share" / "hsq2600";
    AddMissingDefaults(userFolder, (shipped / kFolderName).lexically_normal());
    return userFolder;
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) return folder / name;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (EqualsIgnoringAsciiCase(entry->path().filename().string(), name)) return entry->path();
    }
    return std::nullopt;
}

}  // namespace hsq
