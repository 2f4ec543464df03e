#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace hsq::sim {

inline constexpr int kInputCards = 4;    // A to D
inline constexpr int kOutputBoards = 2;  // K and L

// Which cards sit in the processor.
struct CardSet {
    std::array<bool, kInputCards> inputs{true, true, true, true};
    std::array<bool, kOutputBoards> outputs{true, true};

    static CardSet None() { return {{}, {}}; }
    friend bool operator==(const CardSet&, const CardSet&) = default;
};

// "A,B,C,D,K,L" or any part of it, letters separated by commas. Empty when the list names
// anything else or is empty.
std::optional<CardSet> ParseCardList(std::string_view list);

}  // namespace hsq::sim
