#pragma once

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// Applies one frame that is not a query to the state. Codes the processor does not know, and
// values it cannot hold, change nothing.
void ApplyCommand(ProcessorState& state, const Frame& frame);

}  // namespace hsq::sim
