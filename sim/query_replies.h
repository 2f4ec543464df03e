#pragma once

#include <cstdint>

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// The reply to Query [selector, argument]: [0x86, 0x01, 0xFE, values..., checksum]. A selector
// the processor does not know, or a card that is not there, gets a reply without values.
Frame QueryReply(const ProcessorState& state, std::uint8_t selector, std::uint8_t argument);

}  // namespace hsq::sim
