#include "config/config_folder.h"

#include <system_error>

#include "config/ini_document.h"

namespace hsq {

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : program.parent_path();
}

std::filesystem::path ResolveConfigFolder(std::span<const std::string> arguments,
                                          const char* environmentFolder) {
    constexpr std::string_view kOption = "--config-dir";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == kOption && i + 1 < arguments.size()) return arguments[i + 1];
        if (argument.starts_with(kOption) && argument.size() > kOption.size() &&
            argument[kOption.size()] == '=') {
            return std::string(argument.substr(kOption.size() + 1));
        }
    }
    if (environmentFolder != nullptr && *environmentFolder != '\0') return environmentFolder;
    return ExecutableFolder() / "SystemINI";
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
