#include "service/board_actions.h"

#include <array>
#include <cctype>

#include "commands/reply_decoders.h"
#include "scheduler/timer_actions.h"

namespace hsq {
namespace {

bool CarryOut(DeviceCommands& commands, Clock& clock, const TimerRecord& record,
              bool inputCardAlsoResponds = false) {
    Cancellation never;
    return TimerActions(commands, clock, never).CarryOut(record, inputCardAlsoResponds);
}

TimerRecord Action(TimerSection section, int value, std::uint8_t board) {
    TimerRecord record;
    record.section = section;
    record.value = static_cast<std::int8_t>(value);
    record.boards = {board};
    return record;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    }
    return true;
}

}  // namespace

// The processor's configuration says whether the input cards follow a recall too, which needs
// the longer pause; without its answer the shorter one is kept.
bool BoardActions::Recall(int board, int mode) {
    Frame reply{};
    const auto system = commands_.Query(kQuerySystem, 0, reply) == kFrameSize
                            ? DecodeSystemReport(reply)
                            : std::nullopt;
    const bool inputCardsFollow = system && system->configFlag1;
    return CarryOut(
        commands_, clock_,
        Action(TimerSection::OutputMode, mode, static_cast<std::uint8_t>(kBoardK + board)),
        inputCardsFollow);
}

bool BoardActions::SwitchSource(int card, int signal) {
    return CarryOut(
        commands_, clock_,
        Action(TimerSection::InputSignal, signal, static_cast<std::uint8_t>(kBoardA + card)));
}

bool BoardActions::SetBrightness(int board, int value) {
    TimerRecord record =
        Action(TimerSection::Brightness, value, static_cast<std::uint8_t>(kBoardA + board));
    if (IsOutputCard(record.boards.front())) record.outBrightness = static_cast<std::int8_t>(value);
    return CarryOut(commands_, clock_, record);
}

std::optional<int> SignalCode(std::string_view name) {
    constexpr std::array<std::string_view, 4> kNames{"sdi", "dvi", "vga", "video"};
    for (std::size_t code = 0; code < kNames.size(); ++code) {
        if (SameLetters(name, kNames[code])) return static_cast<int>(code);
    }
    return std::nullopt;
}

std::optional<int> BoardIndex(std::string_view letter) {
    constexpr std::string_view kLetters = "abcdkl";
    if (letter.size() != 1) return std::nullopt;
    const auto at =
        kLetters.find(static_cast<char>(std::tolower(static_cast<unsigned char>(letter[0]))));
    if (at == std::string_view::npos) return std::nullopt;
    return static_cast<int>(at);
}

}  // namespace hsq
