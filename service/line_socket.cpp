#include "service/line_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <system_error>

#include "link/serial_port_names.h"

namespace hsq {
namespace {

// A socket's path must fit sockaddr_un's 108 bytes.
constexpr std::size_t kLongestName = 64;

std::string LineName(const LineChoice& line) {
    if (line.kind == LineChoice::Kind::Tcp) return "tcp-" + line.address;
    std::error_code error;
    const std::filesystem::path device = SerialDevicePath(line.port);
    const std::filesystem::path real = std::filesystem::canonical(device, error);
    std::string name = "serial" + (error ? device : real).string();
    for (char& c : name) {
        if (c == '/') c = '-';
    }
    return name;
}

}  // namespace

std::filesystem::path LineSocketFolder(const char* runtimeFolder) {
    if (runtimeFolder != nullptr && *runtimeFolder == '/') return runtimeFolder;
    const std::filesystem::path own = "/tmp/hsq2600-" + std::to_string(::getuid());
    struct stat info {};
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
    // Someone else's folder, or one others may write in, is no place for this user's line.
    if (::lstat(own.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
        (info.st_mode & 077) != 0)
        return {};
    return own;
}

std::filesystem::path LineSocketPath(const std::filesystem::path& folder, const LineChoice& line) {
    std::string name = LineName(line);
    if (name.size() > kLongestName) name = "line-" + std::to_string(std::hash<std::string>{}(name));
    return folder / ("hsq2600-" + name + ".sock");
}

bool UnixAddress(const std::filesystem::path& socket, sockaddr_un& address) {
    const std::string path = socket.string();
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace hsq
