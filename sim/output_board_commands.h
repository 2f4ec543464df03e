#pragma once

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// SelectOutputBoard and the commands that act on the board it chose (and on its display mode in
// force). Returns false for a code that is not one of them. A command for an absent board, or
// with a value the board cannot hold, changes nothing.
bool ApplyOutputBoardCommand(ProcessorState& state, const Frame& frame);

}  // namespace hsq::sim
