#include "sim/output_board_replies.h"

#include "commands/reply_decoders.h"
#include "commands/reply_match.h"
#include "sim/window_fields.h"

namespace hsq::sim {

namespace {

using ModeAddress = BoardQueryAddress;

std::uint8_t OnBits(const DisplayMode& mode) {
    std::uint8_t bits = 0;
    for (int channel = 0; channel < kChannels; ++channel)
        bits |= static_cast<std::uint8_t>(mode.channels[channel].on ? 1 << channel : 0);
    return bits;
}

ReplyBytes ChannelWindowReply(const WindowRect& rect, const ModeAddress& at) {
    ReplyBytes reply;
    reply.Put(4, ChannelWindowBytes(rect, at.board, at.channel, at.mode));
    return reply;
}

// Whichever mode is asked about, the report is of the display mode in force.
ReplyBytes ModeDataReply(const OutputBoardState& board, const ModeAddress& at) {
    const DisplayMode& mode = board.modes[board.displayMode];
    const auto port = [&](int channel) { return mode.channels[channel].inputPort; };
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.board);
    reply[5] = static_cast<std::uint8_t>(board.displayMode << 4 | (board.applicationMode & 7));
    reply[6] = static_cast<std::uint8_t>(mode.overlayIndex << 3 | (mode.switchSeconds & 7));
    reply[7] = static_cast<std::uint8_t>(port(1) << 4 | port(0));
    reply[8] = static_cast<std::uint8_t>(port(3) << 4 | port(2));
    reply[9] = OnBits(mode);
    reply[10] = static_cast<std::uint8_t>((board.overlayMatrix ? 1 : 0) | (board.imageAll ? 2 : 0) |
                                          board.selectedImage << 2);
    return reply;
}

ReplyBytes ClockSourceReply(const OutputBoardState& board, const ModeAddress& at) {
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.channel << 2 | at.board);
    reply[5] = board.pllSource;
    reply[6] = board.framesyncInport[at.channel];
    return reply;
}

ReplyBytes BorderReply(const OutputBoardState& board, const ModeAddress& at) {
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.channel << 2 | at.board);
    reply.Put(5, board.borders[at.channel]);
    return reply;
}

ReplyBytes BrightnessReply(const OutputBoardState& board, const ModeAddress& at) {
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.board);
    reply[5] = board.brightness;
    return reply;
}

ReplyBytes BoardSetupReply(const OutputBoardState& board, const ModeAddress& at) {
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.board);
    reply[5] = board.boardByte;
    reply[7] = board.clockByte;
    return reply;
}

ReplyBytes ModeSetupReply(const OutputBoardState& board, const ModeAddress& at) {
    const DisplayMode& mode = board.modes[at.mode];
    ReplyBytes reply;
    reply[4] = static_cast<std::uint8_t>(at.mode << 4 | at.board);
    reply[5] = mode.byteA;
    for (int channel = 0; channel < kChannels; ++channel)
        reply[6 + channel] = mode.channels[channel].inputPort;
    reply[10] = OnBits(mode);
    return reply;
}

// The replies that the output board window reads back repeat their selector in byte 3.
ReplyBytes Echoed(ReplyBytes reply, std::uint8_t selector) {
    reply[3] = selector;
    return reply;
}

ReplyBytes BoardReply(const OutputBoardState& board, std::uint8_t selector, const ModeAddress& at) {
    const ChannelState& channel = board.modes[at.mode].channels[at.channel];
    switch (selector) {
        case kQueryImageInputWindow:
            return Echoed(ChannelWindowReply(channel.crop, at), selector);
        case kQueryImageOutputWindow:
            return Echoed(ChannelWindowReply(channel.output, at), selector);
        case kQueryModeData:
            return Echoed(ModeDataReply(board, at), selector);
        case kQueryClockSource:
            return Echoed(ClockSourceReply(board, at), selector);
        case kQueryImageBorder:
            return Echoed(BorderReply(board, at), selector);
        case kQueryOutputBrightness:
            return Echoed(BrightnessReply(board, at), selector);
        case kQueryBankBoardSetup:
            return BoardSetupReply(board, at);
        case kQueryBankModeSetup:
            return ModeSetupReply(board, at);
        case kQueryBankChannelCrop:
            return ChannelWindowReply(channel.crop, at);
        case kQueryBankChannelOutput:
            return ChannelWindowReply(channel.output, at);
        default:
            return {};
    }
}

}  // namespace

ReplyBytes OutputBoardReply(const ProcessorState& state, std::uint8_t selector,
                            std::uint8_t argument) {
    // The board setup query names the board alone.
    if (selector == kQueryBankBoardSetup && argument >= kOutputBoards)
        return {};
    const ModeAddress at = DecodeBoardQueryArgument(argument);
    if (at.board >= kOutputBoards || !state.present.outputs[at.board])
        return {};
    return BoardReply(state.outputs[at.board], selector, at);
}

}  // namespace hsq::sim
