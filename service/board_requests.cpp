#include "service/board_requests.h"

#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "scheduler/timer_record.h"

namespace hsq {
namespace {

CheckedRequest Refused(bool unknownCard, std::string english, std::string chinese) {
    return {std::nullopt, {unknownCard, std::move(english), std::move(chinese)}};
}

CheckedRequest Accepted(BoardRequest::Kind kind, int board, int value) {
    return {BoardRequest{kind, board, value}, {}};
}

CheckedRequest OutOfRange(std::string_view what, long long value, int lowest, int highest) {
    const std::string range = std::to_string(lowest) + " .. " + std::to_string(highest);
    return Refused(false,
                   std::string(what) + " " + std::to_string(value) + " is not " + range,
                   std::string(what == "mode" ? "模式 " : "亮度 ") + std::to_string(value) +
                       " 不在 " + range + " 之内");
}

}  // namespace

CheckedRequest CheckRecall(std::string_view board, long long mode) {
    const auto at = BoardIndex(board);
    if (!at || *at < kInputCardCount)
        return Refused(true, std::string(board) + " is not an output card (K or L)",
                       std::string(board) + " 不是输出卡 (K 或 L)");
    if (mode < 1 || mode > kDisplayModeCount) return OutOfRange("mode", mode, 1, kDisplayModeCount);
    return Accepted(BoardRequest::Kind::Recall, *at, static_cast<int>(mode - 1));
}

CheckedRequest CheckSource(std::string_view card, std::string_view signal) {
    const auto at = BoardIndex(card);
    if (!at || *at >= kInputCardCount)
        return Refused(true, std::string(card) + " is not an input card (A to D)",
                       std::string(card) + " 不是输入卡 (A 到 D)");
    const auto code = SignalCode(signal);
    if (!code)
        return Refused(false, "signal " + std::string(signal) + " is not sdi, dvi, vga or video",
                       "信号 " + std::string(signal) + " 不是 sdi、dvi、vga 或 video");
    return Accepted(BoardRequest::Kind::Source, *at, *code);
}

CheckedRequest CheckBrightness(std::string_view board, long long value) {
    const auto at = BoardIndex(board);
    if (!at)
        return Refused(true, std::string(board) + " is not a card (A to D, K or L)",
                       std::string(board) + " 不是板卡 (A 到 D、K 或 L)");
    const int highest = *at < kInputCardCount ? kMaxInputBrightness : kMaxOutputBrightness;
    if (value < 0 || value > highest) return OutOfRange("brightness", value, 0, highest);
    return Accepted(BoardRequest::Kind::Brightness, *at, static_cast<int>(value));
}

bool CarryOut(BoardActions& actions, const BoardRequest& request) {
    switch (request.kind) {
        case BoardRequest::Kind::Recall:
            return actions.Recall(request.board - kInputCardCount, request.value);
        case BoardRequest::Kind::Source: return actions.SwitchSource(request.board, request.value);
        case BoardRequest::Kind::Brightness:
            return actions.SetBrightness(request.board, request.value);
    }
    return false;
}

std::string BoardLetter(int board) {
    constexpr std::string_view kLetters = "ABCDKL";
    return board >= 0 && board < static_cast<int>(kLetters.size())
               ? std::string(1, kLetters[board])
               : std::string();
}

}  // namespace hsq
