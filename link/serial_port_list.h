#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hsq {

// The serial devices the kernel knows of, as device paths ("/dev/ttyUSB0"), sorted. A tty
// counts when it has a device behind it; a legacy port the kernel reserved without hardware
// (port type 0) does not.
std::vector<std::string> ListSerialPorts(
    const std::filesystem::path& ttyClassFolder = "/sys/class/tty");

}  // namespace hsq
