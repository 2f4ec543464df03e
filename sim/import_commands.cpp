#include "sim/import_commands.h"

#include "sim/command_codes.h"
#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

InputCardState* PresentInput(ProcessorState& state, std::uint8_t card) {
    if (card >= kInputCards || !state.present.inputs[card])
        return nullptr;
    return &state.inputs[card];
}

OutputBoardState* PresentBoard(ProcessorState& state, std::uint8_t board) {
    if (board >= kOutputBoards || !state.present.outputs[board])
        return nullptr;
    return &state.outputs[board];
}

void ImportSystem(ProcessorState& state, const Frame& frame) {
    if (!IsFlag(frame[4]))
        return;
    state.outputFormat = frame[3];
    state.matrixReference = frame[4];
}

void ImportInputSetup(ProcessorState& state, const Frame& frame) {
    if (InputCardState* card = PresentInput(state, frame[3]))
        card->setup = {frame[4], frame[5], frame[6]};
}

void ImportInputWindow(ProcessorState& state, const Frame& frame,
                       WindowRect InputCardState::*field) {
    const WindowRect rect = WindowFromCommand(frame);
    InputCardState* card = PresentInput(state, frame[3]);
    if (card != nullptr && FitsInputReport(rect))
        card->*field = rect;
}

void ImportOutputSetup(ProcessorState& state, const Frame& frame) {
    if (OutputBoardState* board = PresentBoard(state, frame[3])) {
        board->boardByte = frame[4];
        board->clockByte = frame[6];
    }
}

// [board, mode, byte A, port of channels 0..3, on/off flags as bits 0..3]
void ImportModeSetup(ProcessorState& state, const Frame& frame) {
    OutputBoardState* board = PresentBoard(state, frame[3]);
    const std::uint8_t mode = frame[4];
    if (board == nullptr || mode >= kModes)
        return;
    for (int channel = 0; channel < kChannels; ++channel) {
        if (frame[6 + channel] >= kPortLimit)
            return;
    }
    DisplayMode& target = board->modes[mode];
    target.byteA = frame[5];
    for (int channel = 0; channel < kChannels; ++channel) {
        target.channels[channel].inputPort = frame[6 + channel];
        target.channels[channel].on = ((frame[10] >> channel) & 1) != 0;
    }
}

// Byte 3 is mode x 16 + channel x 4 + board.
void ImportChannelWindow(ProcessorState& state, const Frame& frame,
                         WindowRect ChannelState::*field) {
    const std::uint8_t selector = frame[3];
    OutputBoardState* board = PresentBoard(state, selector & 3);
    const WindowRect rect = WindowFromCommand(frame);
    if (board == nullptr || !FitsChannelReport(rect))
        return;
    board->modes[selector >> 4].channels[(selector >> 2) & 3].*field = rect;
}

}  // namespace

bool ApplyImportCommand(ProcessorState& state, const Frame& frame) {
    switch (frame[2]) {
        case kImportBegin:
        case kImportEnd:
            state.importing = frame[2] == kImportBegin;
            return true;
        case kImportSystem:
            ImportSystem(state, frame);
            return true;
        case kImportInputSetup:
            ImportInputSetup(state, frame);
            return true;
        case kImportInputWindow:
            ImportInputWindow(state, frame, &InputCardState::mainWindow);
            return true;
        case kImportInputWindow2:
            ImportInputWindow(state, frame, &InputCardState::pipWindow);
            return true;
        case kImportOutputSetup:
            ImportOutputSetup(state, frame);
            return true;
        case kImportModeSetup:
            ImportModeSetup(state, frame);
            return true;
        case kImportChannelOutputWindow:
            ImportChannelWindow(state, frame, &ChannelState::output);
            return true;
        case kImportChannelCropWindow:
            ImportChannelWindow(state, frame, &ChannelState::crop);
            return true;
        default:
            return false;
    }
}

}  // namespace hsq::sim
