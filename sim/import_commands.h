#pragma once

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// The display mode import commands: each names its card, board, mode and channel itself.
// Returns false for a code that is not one of them. A command for an absent card or board, or
// with a value that cannot be read back, changes nothing.
bool ApplyImportCommand(ProcessorState& state, const Frame& frame);

}  // namespace hsq::sim
