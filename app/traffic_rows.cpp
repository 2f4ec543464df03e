#include "app/traffic_rows.h"

#include <cstdio>

#include "commands/command_names.h"

namespace hsq {
namespace {

// Column widths of a text line, in terminal columns.
constexpr int kTimeWidth = 9;
constexpr int kDirectionWidth = 4;
constexpr int kBytesWidth = 3 * kFrameSize - 1;
constexpr int kOutcomeWidth = 10;
constexpr int kWaitedWidth = 10;

std::string Hex(const Frame& bytes, int count) {
    std::string text;
    char byte[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : " %02x", bytes[static_cast<std::size_t>(i)]);
        text += byte;
    }
    return text;
}

std::string_view OutcomeText(TrafficOutcome outcome, LanguageFlag language) {
    switch (outcome) {
        case TrafficOutcome::Written: return {};
        case TrafficOutcome::NotWritten: return Bilingual{"未发出", "not sent"}.In(language);
        case TrafficOutcome::Complete: return Bilingual{"完整", "complete"}.In(language);
        case TrafficOutcome::Incomplete: return Bilingual{"不完整", "incomplete"}.In(language);
        case TrafficOutcome::NoReply: return Bilingual{"无应答", "no reply"}.In(language);
        case TrafficOutcome::Discarded: return Bilingual{"已丢弃", "dropped"}.In(language);
    }
    return {};
}

std::string CommandText(const TrafficEntry& entry, LanguageFlag language) {
    if (entry.outcome == TrafficOutcome::Discarded)
        return std::string(Bilingual{"（过时或迟到的字节）", "(stale or late bytes)"}.In(language));
    const auto name = NameOfCommand(entry.command);
    char unknown[8];
    std::snprintf(unknown, sizeof unknown, "0x%02X", entry.command);
    std::string text = name ? std::string(name->In(language)) : std::string(unknown);
    if (entry.command != kQueryCode) return text;
    const auto meaning = MeaningOfQuery(entry.selector);
    text += language == kChinese ? "：" : ": ";
    if (meaning) return text + std::string(meaning->In(language));
    return text + std::string(Bilingual{"选择码 ", "selector "}.In(language)) +
           std::to_string(entry.selector);
}

// A Chinese character takes two columns of a terminal, and three bytes of UTF-8.
int Columns(std::string_view text) {
    int columns = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80) columns += byte >= 0xE0 ? 2 : 1;
    }
    return columns;
}

std::string PadRight(std::string text, int width) {
    const int columns = Columns(text);
    if (columns < width) text.append(static_cast<std::size_t>(width - columns), ' ');
    return text;
}

std::string PadLeft(const std::string& text, int width) {
    const int columns = Columns(text);
    return columns < width ? std::string(static_cast<std::size_t>(width - columns), ' ') + text
                           : text;
}

std::string Line(const std::string& time, const std::string& direction, const std::string& bytes,
                 const std::string& outcome, const std::string& waited,
                 const std::string& command) {
    return PadLeft(time, kTimeWidth) + "  " + PadRight(direction, kDirectionWidth) + "  " +
           PadRight(bytes, kBytesWidth) + "  " + PadRight(outcome, kOutcomeWidth) + "  " +
           PadLeft(waited, kWaitedWidth) + "  " + command;
}

}  // namespace

TrafficRow RowOf(const TrafficEntry& entry, LanguageFlag language) {
    TrafficRow row;
    row.time = std::to_string(entry.timeMs);
    row.direction = entry.direction == TrafficDirection::Sent ? "->" : "<-";
    row.bytes = Hex(entry.bytes, entry.byteCount);
    row.outcome = std::string(OutcomeText(entry.outcome, language));
    const bool waited = entry.direction == TrafficDirection::Received &&
                        entry.outcome != TrafficOutcome::Discarded;
    if (waited)
        row.waited =
            std::to_string(entry.waitedMs) + std::string(Bilingual{" 毫秒", " ms"}.In(language));
    row.command = CommandText(entry, language);
    return row;
}

std::string LineOf(const TrafficRow& row) {
    std::string line =
        Line(row.time, row.direction, row.bytes, row.outcome, row.waited, row.command);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

std::string HeadingLine(LanguageFlag language) {
    return Line(std::string(kTimeColumn.In(language)), std::string(kDirectionColumn.In(language)),
                std::string(kBytesColumn.In(language)),
                std::string(kOutcomeColumn.In(language)), std::string(kWaitedColumn.In(language)),
                std::string(kCommandColumn.In(language)));
}

}  // namespace hsq
