#include "scheduler/timer_actions.h"

#include <optional>

namespace hsq {
namespace {

constexpr int kAfterSelectionMs = 100;
constexpr int kAfterCommandMs = 100;
constexpr int kAfterRecallMs = 500;
// The input cards follow a recalled mode too, and need the longer time.
constexpr int kAfterRecallWithInputCardsMs = 6000;

struct BoardCommand {
    std::function<std::uint8_t(DeviceCommands&)> send;
    int pauseAfterMs = kAfterCommandMs;
};

bool Within(int value, int highest) { return value >= 0 && value <= highest; }

std::optional<BoardCommand> BrightnessFor(const TimerRecord& record, std::uint8_t board) {
    if (IsInputCard(board) && Within(record.value, kMaxInputBrightness)) {
        const auto value = static_cast<std::uint8_t>(record.value);
        return BoardCommand{[value](DeviceCommands& c) { return c.SetInputBrightness(value); }};
    }
    if (IsOutputCard(board) && Within(record.outBrightness, kMaxOutputBrightness)) {
        const auto value = static_cast<std::uint8_t>(record.outBrightness);
        return BoardCommand{[value](DeviceCommands& c) { return c.SetOutputBrightness(value); }};
    }
    return std::nullopt;
}

std::optional<BoardCommand> CommandFor(const TimerRecord& record, std::uint8_t board,
                                       bool inputCardAlsoResponds) {
    const auto value = static_cast<std::uint8_t>(record.value);
    switch (record.section) {
        case TimerSection::InputSignal:
            if (!IsInputCard(board) || !Within(record.value, kSignalCount - 1)) break;
            return BoardCommand{[value](DeviceCommands& c) { return c.SetMainSource(value); }};
        case TimerSection::OutputMode:
            if (!IsOutputCard(board) || !Within(record.value, kTimerModeCount - 1)) break;
            return BoardCommand{
                [value](DeviceCommands& c) { return c.RecallMode(value, true); },
                inputCardAlsoResponds ? kAfterRecallWithInputCardsMs : kAfterRecallMs};
        case TimerSection::Brightness: return BrightnessFor(record, board);
    }
    return std::nullopt;
}

}  // namespace

bool TimerActions::CarryOut(const TimerRecord& record, bool inputCardAlsoResponds,
                            const std::function<bool()>& stillWanted) {
    if (record.IsDamaged()) return false;
    bool confirmed = true;
    for (std::uint8_t board : record.boards) {
        if (stop_.IsCancelled() || (stillWanted && !stillWanted())) return false;
        const auto command = CommandFor(record, board, inputCardAlsoResponds);
        if (!command) {
            confirmed = false;
            continue;
        }
        const Sent sent = Send(board, command->send, command->pauseAfterMs);
        if (sent == Sent::CutShort) return false;
        confirmed = confirmed && sent == Sent::Confirmed;
    }
    return confirmed;
}

TimerActions::Sent TimerActions::Send(std::uint8_t board,
                                      const std::function<std::uint8_t(DeviceCommands&)>& command,
                                      int pauseAfterMs) {
    // Another program's or thread's selection between ours and the command would turn the
    // command to its card.
    const auto hold = commands_.link().HoldLine();
    const std::uint8_t selected =
        IsInputCard(board)
            ? commands_.SelectInputCard(static_cast<std::uint8_t>(board - kBoardA))
            : commands_.SelectOutputBoard(static_cast<std::uint8_t>(board - kBoardK), 0);
    if (!Pause(kAfterSelectionMs)) return Sent::CutShort;
    const std::uint8_t done = command(commands_);
    if (!Pause(pauseAfterMs)) return Sent::CutShort;
    return selected == kFrameSize && done == kFrameSize ? Sent::Confirmed : Sent::Unconfirmed;
}

bool TimerActions::Pause(int ms) { return clock_.WaitCancellable(stop_, ms); }

}  // namespace hsq
