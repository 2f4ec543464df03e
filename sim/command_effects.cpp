#include "sim/command_effects.h"

#include "sim/command_codes.h"
#include "sim/import_commands.h"
#include "sim/input_card_commands.h"
#include "sim/output_board_commands.h"

namespace hsq::sim {

namespace {

// [format, application mode of K, application mode of L]; a board that is absent keeps its mode,
// each present one starts its data afresh.
void SetOutputFormat(ProcessorState& state, const Frame& frame) {
    if (frame[4] >= kApplicationModeLimit || frame[5] >= kApplicationModeLimit)
        return;
    state.outputFormat = frame[3];
    for (int board = 0; board < kOutputBoards; ++board) {
        if (!state.present.outputs[board]) continue;
        state.outputs[board].applicationMode = frame[4 + board];
        StartAfresh(state.outputs[board], state.outputFormat);
    }
}

// Commands that concern the whole processor. The HDMI reset, ADC calibration and EDID writing
// leave nothing that can be read back.
void ApplySystemCommand(ProcessorState& state, const Frame& frame) {
    switch (frame[2]) {
        case kSetSynchronization:
            if (IsFlag(frame[3]))
                state.synchronization = frame[3] == 1;
            break;
        case kSetOutputFormat:
            SetOutputFormat(state, frame);
            break;
        case kSetMatrixReference:
            if (IsFlag(frame[3]))
                state.matrixReference = frame[3];
            break;
        default:
            break;
    }
}

}  // namespace

void ApplyCommand(ProcessorState& state, const Frame& frame) {
    if (ApplyInputCardCommand(state, frame) || ApplyOutputBoardCommand(state, frame) ||
        ApplyImportCommand(state, frame))
        return;
    ApplySystemCommand(state, frame);
}

}  // namespace hsq::sim
