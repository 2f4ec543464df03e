#pragma once

#include <sys/un.h>

#include <filesystem>
#include <string>

#include "service/processor_connection.h"

namespace hsq {

// The folder of the services' sockets: $XDG_RUNTIME_DIR when set, else a folder of this user's
// own under /tmp (made with mode 0700). Empty when neither can be had.
std::filesystem::path LineSocketFolder(const char* runtimeFolder);

// Where the service that holds this line listens: one socket per line, so that a site with
// several processors runs one service for each. A serial port is named by its device, however
// the operator spelt it.
std::filesystem::path LineSocketPath(const std::filesystem::path& folder, const LineChoice& line);

// The socket address of a path; false when the path is empty or too long for one.
bool UnixAddress(const std::filesystem::path& socket, sockaddr_un& address);

}  // namespace hsq
