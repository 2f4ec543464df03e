#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace hsq {
namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";  // mkstemp's pattern

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

std::filesystem::path FollowLink(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) return file;
    std::filesystem::path target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

// Keeps the permissions of the file being replaced; a new file gets rw-r--r--. A private file
// is the owner's alone whatever it was before.
mode_t ModeFor(const std::filesystem::path& file, FileAccess access) {
    if (access == FileAccess::OwnerOnly) return 0600;
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) return status.st_mode & 07777;
    return 0644;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                           FileAccess access) {
    const std::filesystem::path target = FollowLink(file);
    const std::filesystem::path folder = FolderOf(target);
    std::string temporary =
        (folder / ("." + target.filename().string() + std::string(kTemporarySuffix))).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    const bool written = ::fchmod(fd, ModeFor(target, access)) == 0 && WriteAll(fd, bytes) &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(folder);
}

bool FolderTakesNewFiles(const std::filesystem::path& file) {
    return ::access(FolderOf(FollowLink(file)).c_str(), W_OK | X_OK) == 0;
}

NewFile CreateNewFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST ? NewFile::Exists : NewFile::Failed;
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && SyncFolder(FolderOf(file))) return NewFile::Created;
    ::unlink(file.c_str());
    return NewFile::Failed;
}

std::optional<std::string_view> TemporaryFileTarget(std::string_view name) {
    const std::size_t randomLength = kTemporarySuffix.size() - 1;
    if (name.size() < 2 + kTemporarySuffix.size() || name.front() != '.') return std::nullopt;
    const std::string_view random = name.substr(name.size() - randomLength);
    const bool fromMkstemp = std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
    if (!fromMkstemp || name[name.size() - randomLength - 1] != '.') return std::nullopt;
    return name.substr(1, name.size() - kTemporarySuffix.size() - 1);
}

void RemoveLeftTemporaries(const std::filesystem::path& folder,
                           const std::function<bool(std::string_view target)>& ofTarget) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const auto target = TemporaryFileTarget(name);
        std::error_code ignored;
        if (target && ofTarget(*target) && entry->is_regular_file(ignored) &&
            !entry->is_symlink(ignored)) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace hsq
