#include "link/serial_port_list.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace hsq {
namespace {

bool ReservedWithoutHardware(const std::filesystem::path& tty) {
    std::ifstream type(tty / "type");
    int code = -1;
    return type >> code && code == 0;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const std::filesystem::path& ttyClassFolder) {
    std::vector<std::string> ports;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(ttyClassFolder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::filesystem::path tty = entry->path();
        std::error_code missing;
        if (!std::filesystem::exists(tty / "device", missing)) continue;
        if (ReservedWithoutHardware(tty)) continue;
        ports.push_back("/dev/" + tty.filename().string());
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

}  // namespace hsq
