#pragma once

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// SelectInputCard and the commands that act on the card it chose. Returns false for a code that
// is not one of them. A command for an absent card, or with a value the card cannot hold,
// changes nothing.
bool ApplyInputCardCommand(ProcessorState& state, const Frame& frame);

}  // namespace hsq::sim
