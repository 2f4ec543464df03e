#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace hsq {

// An edit box's whole text as a signed decimal number that fits in Integer; nothing for anything
// else (an empty field, "-", "4x", " 4", "+4", a number too large for Integer).
template <typename Integer = int>
std::optional<int> NumberFromText(std::string_view text) {
    Integer value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

}  // namespace hsq
