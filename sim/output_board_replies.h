#pragma once

#include <cstdint>

#include "sim/processor_state.h"
#include "sim/reply_bytes.h"

namespace hsq::sim {

// Selectors 9 to 14 and 19 to 22, about the output board (and mode, channel) the argument
// names. No values for a board that is not there or a selector that is none of these.
ReplyBytes OutputBoardReply(const ProcessorState& state, std::uint8_t selector,
                            std::uint8_t argument);

}  // namespace hsq::sim
