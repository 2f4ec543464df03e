#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "dialog/bilingual.h"

namespace hsq {

inline constexpr std::uint8_t kQueryCode = 0xFE;

// One command of the processor by its code, named as DeviceCommands names its operation.
struct CommandName {
    std::uint8_t code;
    Bilingual name;
};

// Every command the program sends, in the order of their codes.
std::span<const CommandName> CommandNames();
// The command's name; none for a code the program never sends.
std::optional<Bilingual> NameOfCommand(std::uint8_t code);
// What a query (0xFE) with this selector asks for; none for a selector the program never sends.
std::optional<Bilingual> MeaningOfQuery(std::uint8_t selector);

}  // namespace hsq
