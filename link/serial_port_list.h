#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace hsq {

// Where the kernel and udev tell of serial devices; tests point these at folders of their own.
struct SerialDeviceFolders {
    std::filesystem::path ttyClass = "/sys/class/tty";
    std::filesystem::path byId = "/dev/serial/by-id";
};

// The serial devices the kernel knows of, sorted by device name. A tty counts when it has a
// device behind it; a legacy port the kernel reserved without hardware (port type 0) does not.
// A device is named by its by-id link when it has one, since that name stays the same whichever
// socket the adapter is plugged into, otherwise by its device path ("/dev/ttyS0").
std::vector<std::string> ListSerialPorts(const SerialDeviceFolders& folders = {});

}  // namespace hsq
