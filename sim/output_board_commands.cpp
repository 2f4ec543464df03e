#include "sim/output_board_commands.h"

#include "config/output_resolution.h"
#include "sim/command_codes.h"
#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

bool IsPerBoardCommand(std::uint8_t code) {
    switch (code) {
        case kRecallMode:
        case kSetImageSource:
        case kSelectImage:
        case kSetImageInputWindow:
        case kSetImageOutputWindow:
        case kSetImageBorder:
        case kSetApplicationMode:
        case kSetOutputBrightness:
        case kCopyMode:
        case kSetMute:
        case kSetOverlay:
        case kShowAllImages:
        case kSetSwitchMode:
            return true;
        default:
            return false;
    }
}

void SelectImage(OutputBoardState& board, std::uint8_t image) {
    if (image < kChannels) {
        board.selectedImage = image;
        board.imageAll = false;
    }
}

void SetChannelWindow(OutputBoardState& board, const Frame& frame,
                      WindowRect ChannelState::*field) {
    const std::uint8_t image = frame[3];
    const WindowRect rect = WindowFromCommand(frame);
    if (image < kChannels && FitsChannelReport(rect))
        board.CurrentMode().channels[image].*field = rect;
}

void SetBorder(OutputBoardState& board, const Frame& frame) {
    const std::uint8_t image = frame[3];
    if (image < kChannels && IsFlag(frame[4]))
        board.borders[image] = {frame[4], frame[5], frame[6], frame[7], frame[8]};
}

void CopyMode(OutputBoardState& board, std::uint8_t from, std::uint8_t to) {
    if (from < kModes && to < kModes)
        board.modes[to] = board.modes[from];
}

void SetImageSource(OutputBoardState& board, std::uint8_t image, std::uint8_t port) {
    if (image < kChannels && port < kPortLimit)
        board.CurrentMode().channels[image].inputPort = port;
}

void ApplyFlagCommand(OutputBoardState& board, std::uint8_t code, std::uint8_t value) {
    if (!IsFlag(value))
        return;
    const bool on = value == 1;
    if (code == kSetMute)
        board.CurrentMode().channels[board.selectedImage].on = on;
    else if (code == kSetOverlay)
        board.overlayMatrix = on;
    else if (code == kShowAllImages)
        board.imageAll = on;
}

void ApplyToBoard(OutputBoardState& board, const Frame& frame) {
    const std::uint8_t d0 = frame[3];
    const std::uint8_t d1 = frame[4];
    switch (frame[2]) {
        case kRecallMode:
            if (d0 < kModes)
                board.displayMode = d0;
            break;
        case kSetImageSource:
            SetImageSource(board, d0, d1);
            break;
        case kSelectImage:
            SelectImage(board, d0);
            break;
        case kSetImageInputWindow:
            SetChannelWindow(board, frame, &ChannelState::crop);
            break;
        case kSetImageOutputWindow:
            SetChannelWindow(board, frame, &ChannelState::output);
            break;
        case kSetImageBorder:
            SetBorder(board, frame);
            break;
        case kSetApplicationMode:
            if (d0 < kApplicationModeLimit)
                board.applicationMode = d0;
            break;
        case kSetOutputBrightness:
            board.brightness = d0;
            break;
        case kCopyMode:
            CopyMode(board, d0, d1);
            break;
        case kSetSwitchMode:
            if (d0 < kSwitchLimit)
                board.CurrentMode().switchSeconds = d0;
            break;
        default:
            ApplyFlagCommand(board, frame[2], d0);
            break;
    }
}

void SelectOutputBoard(ProcessorState& state, std::uint8_t board, std::uint8_t image) {
    if (board >= kOutputBoards || image >= kChannels)
        return;
    state.selectedOutputBoard = board;
    if (state.present.outputs[board])
        SelectImage(state.outputs[board], image);
}

}  // namespace

bool ApplyOutputBoardCommand(ProcessorState& state, const Frame& frame) {
    const std::uint8_t code = frame[2];
    if (code == kSelectOutputBoard) {
        SelectOutputBoard(state, frame[3], frame[4]);
        return true;
    }
    if (!IsPerBoardCommand(code))
        return false;
    const int board = state.selectedOutputBoard;
    if (!state.present.outputs[board]) return true;
    ApplyToBoard(state.outputs[board], frame);
    if (code == kSetApplicationMode && frame[3] < kApplicationModeLimit)
        StartAfresh(state.outputs[board], state.outputFormat);
    return true;
}

void StartAfresh(OutputBoardState& board, std::uint8_t outputFormat) {
    board.displayMode = 0;
    const auto resolution = ResolutionOfFormat(outputFormat);
    if (!resolution) return;
    WindowRect whole;
    whole.width = resolution->width;
    whole.height = resolution->height;
    for (DisplayMode& mode : board.modes) {
        for (ChannelState& channel : mode.channels) channel.crop = channel.output = whole;
    }
}

}  // namespace hsq::sim
