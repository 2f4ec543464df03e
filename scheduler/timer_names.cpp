#include "scheduler/timer_names.h"

#include <array>

namespace hsq {
namespace {

// The name at a 1-based or 0-based position of a table, "" outside it.
template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int position) {
    return position >= 0 && position < static_cast<int>(N) ? names[position] : "";
}

constexpr std::array<std::string_view, 4> kKindNames{"Day", "Week", "Month", "Once"};
constexpr std::array<std::string_view, 6> kBoardNames{"A", "B", "C", "D", "K", "L"};
constexpr std::array<std::string_view, 4> kSignalNames{"SDI", "DVI", "VGA", "VIDEO"};
constexpr std::array<std::string_view, 7> kChineseWeekdays{
    "1星期一", "2星期二", "3星期三", "4星期四", "5星期五", "6星期六", "7星期日"};
constexpr std::array<std::string_view, 7> kEnglishWeekdays{"1Mon", "2Tue", "3Wed", "4Thu",
                                                           "5Fri", "6Sat", "7Sun"};

}  // namespace

std::string_view TimerKindName(TimerKind kind) {
    return NameAt(kKindNames, static_cast<int>(kind) - 1);
}

std::string_view BoardName(std::uint8_t board) { return NameAt(kBoardNames, board - 1); }

std::string_view SignalName(int signal) { return NameAt(kSignalNames, signal); }

std::string ModeName(int modeIndex) {
    if (modeIndex < 0 || modeIndex >= kTimerModeCount) return "";
    return "Mode" + std::to_string(modeIndex + 1);
}

std::string BrightnessText(int input, int output) {
    return std::to_string(input) + "/" + std::to_string(output);
}

std::string_view WeekdayName(int weekday, LanguageFlag language) {
    return NameAt(language == kChinese ? kChineseWeekdays : kEnglishWeekdays, weekday - 1);
}

std::string BoardsText(const TimerRecord& record) {
    std::string text;
    for (std::uint8_t board : record.boards) {
        const std::string_view name = BoardName(board);
        if (name.empty()) continue;
        if (!text.empty()) text += ',';
        text += name;
    }
    return text;
}

std::string ActionText(const TimerRecord& record) {
    switch (record.section) {
        case TimerSection::InputSignal: return std::string(SignalName(record.value));
        case TimerSection::OutputMode: return ModeName(record.value);
        case TimerSection::Brightness: return BrightnessText(record.value, record.outBrightness);
    }
    return "";
}

}  // namespace hsq
