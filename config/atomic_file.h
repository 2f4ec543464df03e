#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hsq {

// The whole file; empty when it does not exist or cannot be read as a regular file.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Writes a temporary file beside the target, flushes it to disk, renames it over the target and
// flushes the folder, so that a crash leaves either the old or the new file, never a torn one.
// The folder must exist. A symbolic link is followed and its target replaced. A shared file keeps
// the permissions of the one it replaces (rw-r--r-- when new); an owner-only one gets rw-------.
enum class FileAccess { Shared, OwnerOnly };
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                           FileAccess access = FileAccess::Shared);
// Whether ReplaceFileAtomically could place its temporary beside the file: asked before long
// work whose result goes there.
bool FolderTakesNewFiles(const std::filesystem::path& file);

enum class NewFile { Created, Exists, Failed };
// Creates the file with the bytes, flushed to disk; never replaces anything already there.
NewFile CreateNewFile(const std::filesystem::path& file, std::string_view bytes);

// Removes from the folder the temporaries that writes killed midway left behind, of the targets
// ofTarget names.
void RemoveLeftTemporaries(const std::filesystem::path& folder,
                           const std::function<bool(std::string_view target)>& ofTarget);

// The name of the file a temporary of ReplaceFileAtomically stands in for (".Input.ini.a1B2c3"
// gives "Input.ini"); empty for any other name.
std::optional<std::string_view> TemporaryFileTarget(std::string_view name);

}  // namespace hsq
