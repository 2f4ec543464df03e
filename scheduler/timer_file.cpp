#include "scheduler/timer_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <charconv>
#include <optional>
#include <utility>

#include "config/atomic_file.h"
#include "config/comma_list.h"
#include "config/ini_document.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "scheduler/calendar.h"
#include "scheduler/timer_order.h"

namespace hsq {
namespace {

constexpr std::string_view kCountKey = "Timer";

std::string RecordKey(std::size_t index) { return "Timer" + std::to_string(index); }

bool HasDayField(TimerKind kind) { return kind == TimerKind::Week || kind == TimerKind::Month; }

std::int8_t DayField(const TimerRecord& record) {
    return record.kind == TimerKind::Week ? record.weekday : record.monthDay;
}

// As the INI engine trims lines.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Decimal digits alone, at most maxDigits of them.
std::optional<int> Digits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.front() == '+' ||
        text.front() == '-')
        return std::nullopt;
    return number;
}

// A whole decimal number between low and high, blanks around it allowed.
std::optional<int> Number(std::string_view text, int low, int high) {
    text = Trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const auto digits = Digits(text, 10);
    if (!digits) return std::nullopt;
    const int number = negative ? -*digits : *digits;
    if (number < low || number > high) return std::nullopt;
    return number;
}

// Exactly three fields split at separator.
std::optional<std::array<std::string_view, 3>> ThreeFields(std::string_view text, char separator) {
    std::array<std::string_view, 3> fields;
    text = Trimmed(text);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t end = text.find(separator);
        if ((end == std::string_view::npos) != (i == fields.size() - 1)) return std::nullopt;
        fields[i] = text.substr(0, end);
        if (end != std::string_view::npos) text.remove_prefix(end + 1);
    }
    return fields;
}

std::optional<TimeOfDay> ReadTime(std::string_view text) {
    const auto fields = ThreeFields(text, ':');
    if (!fields) return std::nullopt;
    const auto hour = Digits((*fields)[0], 2), minute = Digits((*fields)[1], 2),
               second = Digits((*fields)[2], 2);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return TimeOfDay{*hour, *minute, *second};
}

std::optional<CalendarDate> ReadDate(std::string_view text) {
    const auto fields = ThreeFields(text, '-');
    if (!fields) return std::nullopt;
    const auto year = Digits((*fields)[0], 4), month = Digits((*fields)[1], 2),
               day = Digits((*fields)[2], 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    if (DayNumber(*year, *month, *day) >= DayNumber(*year, *month + 1, 1)) return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

struct SectionRange {
    int highestValue;
    std::uint8_t lowestBoard, highestBoard;
};

SectionRange RangeOf(TimerSection section) {
    switch (section) {
        case TimerSection::InputSignal: return {kSignalCount - 1, kBoardA, kBoardD};
        case TimerSection::OutputMode: return {kTimerModeCount - 1, kBoardK, kBoardL};
        case TimerSection::Brightness: break;
    }
    return {kMaxInputBrightness, kBoardA, kBoardL};
}

// Fills the record from the fields, or says that they are no timer of the section.
bool ReadFields(const std::vector<std::string>& fields, TimerRecord& record) {
    const SectionRange range = RangeOf(record.section);
    std::size_t next = 0;
    const auto field = [&]() -> std::optional<std::string_view> {
        if (next >= fields.size()) return std::nullopt;
        return fields[next++];
    };
    const auto number = [&](int low, int high) -> std::optional<int> {
        const auto text = field();
        return text ? Number(*text, low, high) : std::nullopt;
    };
    const auto kind = number(1, 4);
    const auto value = number(0, range.highestValue);
    if (!kind || !value) return false;
    record.kind = static_cast<TimerKind>(*kind);
    record.value = static_cast<std::int8_t>(*value);
    if (record.section == TimerSection::Brightness) {
        const auto output = number(0, kMaxOutputBrightness);
        if (!output) return false;
        record.outBrightness = static_cast<std::int8_t>(*output);
    }
    if (HasDayField(record.kind)) {
        const auto day = record.kind == TimerKind::Week ? number(1, 7) : number(1, 31);
        if (!day) return false;
        (record.kind == TimerKind::Week ? record.weekday : record.monthDay) =
            static_cast<std::int8_t>(*day);
    }
    if (record.kind == TimerKind::Once) {
        const auto text = field();
        const auto date = text ? ReadDate(*text) : std::nullopt;
        if (!date) return false;
        record.date = FormatDate(*date);
    }
    const auto timeText = field();
    const auto time = timeText ? ReadTime(*timeText) : std::nullopt;
    if (!time) return false;
    record.time = FormatTime(*time);
    for (; next < fields.size(); ++next) {
        if (Trimmed(fields[next]).empty()) continue;
        const auto board = Number(fields[next], range.lowestBoard, range.highestBoard);
        if (!board) return false;
        record.boards.push_back(static_cast<std::uint8_t>(*board));
    }
    return true;
}

// What the engine reads back as the text itself: one outer pair of quotes is removed on reading
// and blanks at either end are trimmed, so such a text goes into quotes.
std::string StoredValue(const std::string& text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    const bool blankEnds = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
    return quoted || blankEnds ? '"' + text + '"' : text;
}

// As ProfileStore::ReadValue reads a value of the file.
std::string ValueAsRead(std::string_view value, TextEncoding encoding) {
    std::string text(value);
    if (encoding == TextEncoding::Gbk) {
        if (auto decoded = GbkToUtf8(value)) text = std::move(*decoded);
    }
    return std::string(FirstCharacters(text, kMaxValueCharacters));
}

// The index of a record key ("Timer12", in any case, the number written as Save writes it).
std::optional<std::uint64_t> RecordIndex(std::string_view key) {
    if (key.size() <= kCountKey.size() ||
        !EqualsIgnoringAsciiCase(key.substr(0, kCountKey.size()), kCountKey))
        return std::nullopt;
    const std::string_view digits = key.substr(kCountKey.size());
    if (digits.size() > 18 || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    std::uint64_t index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return index;
}

}  // namespace

std::string TimerRecordText(const TimerRecord& record) {
    if (record.damaged) return *record.damaged;
    std::string text = std::to_string(static_cast<int>(record.kind)) + ',';
    text += std::to_string(record.value) + ',';
    if (record.section == TimerSection::Brightness) text += std::to_string(record.outBrightness) + ',';
    if (HasDayField(record.kind)) text += std::to_string(DayField(record)) + ',';
    if (record.kind == TimerKind::Once) text += record.date + ',';
    text += record.time + ',';
    for (std::size_t i = 0; i < record.boards.size(); ++i) {
        if (i > 0) text += ',';
        text += std::to_string(record.boards[i]);
    }
    return text;
}

TimerRecord ParseTimerRecord(TimerSection section, std::string_view text) {
    std::vector<std::string> fields;
    SplitCommaList(text, fields);
    TimerRecord record;
    record.section = section;
    if (ReadFields(fields, record)) return record;
    TimerRecord damaged;
    damaged.section = section;
    damaged.damaged = std::string(text);
    return damaged;
}

// The file is read once and its keys looked up by number: a key at a time, each reading the file
// again and searching the section from its start, took half a minute for 10,000 records.
std::vector<TimerRecord> LoadTimerSection(const ProfileStore& store, TimerSection section,
                                          const LocalTime& now) {
    std::vector<TimerRecord> records;
    const std::optional<std::string> bytes = ReadFileBytes(store.FilePath(ConfigFileKind::Timer));
    if (!bytes) return records;
    const TextEncoding encoding = DetectEncoding(*bytes);
    const IniDocument document(*bytes);
    std::optional<std::string_view> countText;
    std::vector<std::pair<std::uint64_t, std::string_view>> keyed;  // the first of each key
    for (const auto& [key, value] : document.KeysOf(TimerFileSection(section))) {
        if (EqualsIgnoringAsciiCase(key, kCountKey)) {
            if (!countText) countText = value;
        } else if (const auto index = RecordIndex(key)) {
            keyed.emplace_back(*index, value);
        }
    }
    if (!countText || countText->empty()) return records;
    const std::string countValue = ValueAsRead(*countText, encoding);
    const int count = DecimalValue(countValue);
    bool damaged = !Number(countValue, 0, INT32_MAX);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::uint64_t read = 0;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        const auto [index, value] = keyed[i];
        if (index >= static_cast<std::uint64_t>(std::max(count, 0))) break;
        if (i > 0 && keyed[i - 1].first == index) continue;  // the first of a repeated key counts
        if (value.empty()) continue;                          // as good as missing
        records.push_back(ParseTimerRecord(section, ValueAsRead(value, encoding)));
        damaged = damaged || records.back().IsDamaged();
        ++read;
    }
    if (read < static_cast<std::uint64_t>(std::max(count, 0))) damaged = true;
    // Told, and kept aside before the next Save writes the list without what could not be read.
    if (damaged) store.ReportShortList(ConfigFileKind::Timer, 0);
    SortByNextFiring(records, now);
    return records;
}

bool SaveTimerSection(ProfileStore& store, TimerSection section,
                      std::span<const TimerRecord> records) {
    const std::string_view fileSection = TimerFileSection(section);
    ProfileBatch batch(store);
    bool written = store.WriteInt(ConfigFileKind::Timer, fileSection, kCountKey,
                                  static_cast<int>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        written = store.WriteValue(ConfigFileKind::Timer, fileSection, RecordKey(i),
                                   StoredValue(TimerRecordText(records[i]))) && written;
    }
    return batch.Commit() && written;
}

}  // namespace hsq
