#pragma once

#include <array>
#include <cstdint>

#include "app/main_window_state.h"
#include "commands/window_rect.h"

namespace hsq {

// The setup bytes, board byte, clock byte, byte A and byte B mean something to the processor
// alone: they are carried unchanged between its replies, the mode file and the import commands.
struct BankInputCard {
    std::array<std::uint8_t, 3> setup{};
    WindowRect first;
    WindowRect second;
    friend bool operator==(const BankInputCard&, const BankInputCard&) = default;
};

struct BankOutputCard {
    std::uint8_t boardByte = 0;
    std::uint8_t clockByte = 0;
    friend bool operator==(const BankOutputCard&, const BankOutputCard&) = default;
};

struct BankChannel {
    WindowRect crop;
    WindowRect output;
    std::uint8_t inputPort = 0;
    bool on = false;
    friend bool operator==(const BankChannel&, const BankChannel&) = default;
};

struct BankMode {
    std::uint8_t byteA = 0;
    std::uint8_t byteB = 0;
    std::array<BankChannel, kOutputChannelCount> channels{};
    friend bool operator==(const BankMode&, const BankMode&) = default;
};

// Every display mode of every output card with the input cards' settings: what an export reads
// from the processor and writes to a mode file, and what an import reads from one and sends.
// The listed cards are the ones the file holds.
struct ModeBank {
    std::uint8_t outputFormat = 0;
    std::uint8_t clockSource = 0;  // first input of card L: 0 In-A, 1 K.Out1
    std::array<BankOutputCard, kOutputCardCount> outputs{};
    std::array<bool, kInputCardCount> inputListed{};
    std::array<bool, kOutputCardCount> outputListed{};
    std::array<BankInputCard, kInputCardCount> inputs{};
    // [mode][output card]
    std::array<std::array<BankMode, kOutputCardCount>, kDisplayModeCount> modes{};
    friend bool operator==(const ModeBank&, const ModeBank&) = default;
};

}  // namespace hsq
