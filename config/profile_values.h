#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/window_rect.h"
#include "config/profile_store.h"

namespace hsq {

// One key of one configuration file.
struct ProfileKey {
    ConfigFileKind kind = ConfigFileKind::SystemInfo;
    std::uint8_t card = 0;  // only the output profiles use it
    std::string section;
    std::string key;
};

// An absent or empty value reads as "" and its numbers as 0.
std::string ReadProfileText(const ProfileStore& store, const ProfileKey& key);
int ReadProfileInt(const ProfileStore& store, const ProfileKey& key);
// Exactly count numbers: fields the stored list lacks read as 0 (and the file is reported as
// damaged), extra fields are ignored.
std::vector<int> ReadProfileInts(const ProfileStore& store, const ProfileKey& key,
                                 std::size_t count);
// Stored as "width,height,x,y".
WindowRect ReadProfileRect(const ProfileStore& store, const ProfileKey& key);

// The same from a value already read, for a file read once for many keys; a short list is not
// told here.
std::vector<int> ProfileInts(std::string_view text, std::size_t count);
WindowRect ProfileRect(std::string_view text);

bool WriteProfileText(ProfileStore& store, const ProfileKey& key, std::string_view value);
bool WriteProfileInt(ProfileStore& store, const ProfileKey& key, int value);
// Joined with "," and no spaces.
bool WriteProfileInts(ProfileStore& store, const ProfileKey& key, std::span<const int> values);
bool WriteProfileRect(ProfileStore& store, const ProfileKey& key, const WindowRect& rect);

std::string JoinProfileInts(std::span<const int> values);

// The same for the fixed-width fields of the records, truncating to the field's width on read.
template <typename Integer, std::size_t N>
void NarrowInto(const std::vector<int>& values, std::array<Integer, N>& fields) {
    for (std::size_t i = 0; i < N; ++i)
        fields[i] = static_cast<Integer>(values[i]);
}

template <typename Integer, std::size_t N>
void ReadProfileInts(const ProfileStore& store, const ProfileKey& key,
                     std::array<Integer, N>& fields) {
    NarrowInto(ReadProfileInts(store, key, N), fields);
}

template <typename Integer, std::size_t N>
bool WriteProfileInts(ProfileStore& store, const ProfileKey& key,
                      const std::array<Integer, N>& fields) {
    std::array<int, N> values{};
    for (std::size_t i = 0; i < N; ++i)
        values[i] = static_cast<int>(fields[i]);
    return WriteProfileInts(store, key, std::span<const int>(values));
}

}  // namespace hsq
