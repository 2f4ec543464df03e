#pragma once

#include <cstdint>

#include "sim/processor_state.h"
#include "sim/reply_bytes.h"

namespace hsq::sim {

// Selectors 6, 7, 8 and 16 to 18, about the input card named by the argument. No values for a
// card that is not there.
ReplyBytes InputCardReply(const ProcessorState& state, std::uint8_t selector, std::uint8_t card);

}  // namespace hsq::sim
