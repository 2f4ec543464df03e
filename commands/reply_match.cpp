#include "commands/reply_match.h"

#include "commands/reply_decoders.h"

namespace hsq {
namespace {

using BoardAddress = BoardQueryAddress;

int HighCardBits(const Frame& reply) {
    return reply[4] >> 6;
}
int LowBoardBits(const Frame& reply) {
    return reply[4] & 3;
}
int LowChannelBits(const Frame& reply) {
    return (reply[4] >> 2) & 3;
}

// Selectors 9, 10, 21 and 22: board in byte 4, channel in byte 6, mode in byte 8.
bool ChannelWindowAnswers(const BoardAddress& asked, const Frame& reply) {
    return HighCardBits(reply) == asked.board && reply[6] >> 6 == asked.channel &&
           reply[8] >> 4 == asked.mode;
}

bool EchoesSelector(std::uint8_t selector, const Frame& reply) {
    return reply[3] == selector;
}

bool ModeReportAnswers(std::uint8_t selector, const BoardAddress& asked, const Frame& reply) {
    if (!EchoesSelector(selector, reply)) return false;
    switch (selector) {
        case kQueryImageInputWindow:
        case kQueryImageOutputWindow: return ChannelWindowAnswers(asked, reply);
        case kQueryClockSource:
        case kQueryImageBorder:
            return LowBoardBits(reply) == asked.board && LowChannelBits(reply) == asked.channel;
        default: return LowBoardBits(reply) == asked.board;  // 11 and 14 name the board alone
    }
}

}  // namespace

BoardQueryAddress DecodeBoardQueryArgument(std::uint8_t argument) {
    return {argument & 3, (argument >> 2) & 3, argument >> 4};
}

bool AnswersQuery(std::uint8_t selector, std::uint8_t argument, const Frame& reply) {
    if (reply[0] != kDeviceAddress) return false;
    const BoardAddress asked = DecodeBoardQueryArgument(argument);
    switch (selector) {
        case kQueryInputMainWindow:
        case kQueryInputPipWindow:
        case kQueryInputCardInfo: return HighCardBits(reply) == argument;
        case kQueryImageInputWindow:
        case kQueryImageOutputWindow:
        case kQueryModeData:
        case kQueryClockSource:
        case kQueryImageBorder:
        case kQueryOutputBrightness: return ModeReportAnswers(selector, asked, reply);
        case kQueryBankBoardSetup: return LowBoardBits(reply) == argument;
        case kQueryBankModeSetup:
            return LowBoardBits(reply) == asked.board && reply[4] >> 4 == asked.mode;
        case kQueryBankChannelCrop:
        case kQueryBankChannelOutput: return ChannelWindowAnswers(asked, reply);
        default: return true;  // the other replies name nothing to hold them to
    }
}

}  // namespace hsq
