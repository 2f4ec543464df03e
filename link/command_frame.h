#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace hsq {

inline constexpr int kFrameSize = 13;
inline constexpr int kMaxDataBytes = 9;
inline constexpr std::uint8_t kDeviceAddress = 0x86;

using Frame = std::array<std::uint8_t, kFrameSize>;

// XOR of bytes 0 to 11.
std::uint8_t Checksum(const Frame& frame);

// [address, 0x01, command, data..., zeros, checksum]. Data longer than nine bytes is a
// programming error: callers check the length first.
Frame BuildFrame(std::uint8_t address, std::uint8_t command, std::span<const std::uint8_t> data);

}  // namespace hsq
