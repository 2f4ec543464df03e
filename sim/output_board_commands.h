#pragma once

#include "link/command_frame.h"
#include "sim/processor_state.h"

namespace hsq::sim {

// SelectOutputBoard and the commands that act on the board it chose (and on its display mode in
// force). Returns false for a code that is not one of them. A command for an absent board, or
// with a value the board cannot hold, changes nothing.
bool ApplyOutputBoardCommand(ProcessorState& state, const Frame& frame);

// A card given an application mode, or a processor given an output format, initialises all its
// mode data, as it warns the operator: display mode 0, every window the whole picture of the
// output format.
void StartAfresh(OutputBoardState& board, std::uint8_t outputFormat);

}  // namespace hsq::sim
