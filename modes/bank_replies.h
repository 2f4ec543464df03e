#pragma once

#include <cstdint>

#include "link/command_frame.h"
#include "modes/mode_bank.h"

namespace hsq {

// Fills the bank's fields from the processor's answer to the mode bank query [selector,
// argument] (selectors 15 to 22). False, with the bank unchanged, for a reply the layout does
// not accept (byte 0 not 0x86 where it must be, a card, mode or channel out of range).
bool RecordBankReply(ModeBank& bank, std::uint8_t selector, std::uint8_t argument,
                     const Frame& reply);

}  // namespace hsq
