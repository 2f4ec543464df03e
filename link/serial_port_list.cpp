#include "link/serial_port_list.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>

namespace hsq {
namespace {

// None when the folder cannot be read: no such devices.
std::vector<std::filesystem::path> SortedEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end;
         !error && entry != end; entry.increment(error)) {
        entries.push_back(entry->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool HasHardware(const std::filesystem::path& tty) {
    std::error_code missing;
    if (!std::filesystem::exists(tty / "device", missing)) return false;
    std::ifstream type(tty / "type");
    int code = -1;
    return !(type >> code && code == 0);
}

// Device name ("ttyUSB0") to the first by-id link that points at it ("../../ttyUSB0").
std::map<std::string, std::string> ByIdLinks(const std::filesystem::path& byId) {
    std::map<std::string, std::string> links;
    for (const std::filesystem::path& link : SortedEntries(byId)) {
        std::error_code notALink;
        const std::filesystem::path target = std::filesystem::read_symlink(link, notALink);
        if (!notALink) links.try_emplace(target.filename().string(), link.string());
    }
    return links;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const SerialDeviceFolders& folders) {
    const std::map<std::string, std::string> links = ByIdLinks(folders.byId);
    std::vector<std::string> ports;
    for (const std::filesystem::path& tty : SortedEntries(folders.ttyClass)) {
        if (!HasHardware(tty)) continue;
        const std::string device = tty.filename().string();
        const auto link = links.find(device);
        ports.push_back(link != links.end() ? link->second : "/dev/" + device);
    }
    return ports;
}

}  // namespace hsq
