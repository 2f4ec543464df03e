#pragma once

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/profile_store.h"
#include "link/command_frame.h"
#include "support/numbers.h"
#include "support/temp_folder.h"

namespace hsq::testing {

// A store on a fresh temporary folder (removed with its files at the end), and ways to look at
// what reached the disk.
class ProfileTestFolder {
  public:
    ProfileStore& store() { return store_; }
    const std::filesystem::path& path() const { return folder_.path(); }

    // The value as a separate store reads it from the file now.
    std::string Value(ConfigFileKind kind, std::string_view section, std::string_view key,
                      std::uint8_t card = 0) const {
        std::string value;
        ProfileStore(folder_.path()).ReadValue(kind, section, key, value, card);
        return value;
    }
    std::string File(std::string_view name) const { return folder_.Read(name); }
    bool Exists(std::string_view name) const { return folder_.Exists(name); }
    void Write(std::string_view name, std::string_view bytes) const { folder_.Write(name, bytes); }
    bool IsEmpty() const { return std::filesystem::is_empty(folder_.path()); }
    std::set<std::string> Files() const { return FileNames(folder_.path()); }
    static std::set<std::string> FileNames(const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

  private:
    TempFolder folder_;
    ProfileStore store_{folder_.path()};
};

// A reply from the processor to a query: byte 3 the selector, then the given bytes from byte 4.
inline Frame Reply(std::uint8_t selector, std::initializer_list<std::uint8_t> fromByte4) {
    Frame frame{};
    frame[0] = kDeviceAddress;
    frame[1] = 0x01;
    frame[3] = selector;
    std::size_t index = 4;
    for (std::uint8_t byte : fromByte4) {
        if (index >= frame.size())
            break;
        frame[index++] = byte;
    }
    return frame;
}

}  // namespace hsq::testing
