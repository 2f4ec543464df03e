#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/main_window_state.h"
#include "commands/device_commands.h"
#include "config/output_resolution.h"

namespace hsq {

// What the processor says of itself, read without writing any file: for the front ends that
// only ask (the command line's status, the remote status).
struct ProcessorStatus {
    CardPresence presence;
    std::uint8_t outputFormat = 0;
    std::optional<OutputResolution> resolution;  // none for a format code that names none
    std::uint8_t clockSource = 0;                // 0 In-A, 1 K.Out1
    std::array<std::uint8_t, kOutputCardCount> applicationModes{};
    // The display mode in force, 0..15, of each present output card that answered.
    std::array<std::optional<std::uint8_t>, kOutputCardCount> displayModes{};
    std::array<std::string, kInputCardCount> inputVersions;
    std::array<std::string, kOutputCardCount> outputVersions;
};

// The status query, once more when it goes unanswered: which cards the processor holds; empty
// when it does not answer.
std::optional<CardPresence> Handshake(DeviceCommands& commands);

// The status query, then the system, each present output card's mode data and the firmware
// versions. Empty when the status query or the system query goes unanswered; a card that does
// not answer is left without its display mode.
std::optional<ProcessorStatus> ReadProcessorStatus(DeviceCommands& commands);

}  // namespace hsq
