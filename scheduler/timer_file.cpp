#include "scheduler/timer_file.h"

#include "config/comma_list.h"
#include "scheduler/timer_order.h"

namespace hsq {
namespace {

constexpr std::string_view kCountKey = "Timer";

std::string RecordKey(std::size_t index) { return "Timer" + std::to_string(index); }

bool HasDayField(TimerKind kind) { return kind == TimerKind::Week || kind == TimerKind::Month; }

// The fields before the boards: kind, value(s), day or date, time.
std::size_t FixedFieldCount(TimerSection section, TimerKind kind) {
    const std::size_t values = section == TimerSection::Brightness ? 2 : 1;
    const std::size_t dayOrDate = HasDayField(kind) || kind == TimerKind::Once ? 1 : 0;
    return 1 + values + dayOrDate + 1;
}

std::int8_t DayField(const TimerRecord& record) {
    return record.kind == TimerKind::Week ? record.weekday : record.monthDay;
}

}  // namespace

std::string TimerRecordText(const TimerRecord& record) {
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
    std::size_t next = 0;
    const auto number = [&] {
        const std::size_t at = next++;
        return at < fields.size() ? DecimalValue(fields[at]) : 0;
    };
    TimerRecord record;
    record.section = section;
    record.kind = static_cast<TimerKind>(number());
    const bool complete = fields.size() >= FixedFieldCount(section, record.kind);
    record.value = static_cast<std::int8_t>(number());
    if (section == TimerSection::Brightness) record.outBrightness = static_cast<std::int8_t>(number());
    if (record.kind == TimerKind::Week) record.weekday = static_cast<std::int8_t>(number());
    if (record.kind == TimerKind::Month) record.monthDay = static_cast<std::int8_t>(number());
    if (!complete) return record;
    if (record.kind == TimerKind::Once) record.date = fields[next++];
    record.time = fields[next++];
    for (; next < fields.size(); ++next) {
        // The list ends with a "," when it has no boards.
        if (!fields[next].empty()) record.boards.push_back(static_cast<std::uint8_t>(DecimalValue(fields[next])));
    }
    return record;
}

std::vector<TimerRecord> LoadTimerSection(const ProfileStore& store, TimerSection section,
                                          const LocalTime& now) {
    const std::string_view fileSection = TimerFileSection(section);
    std::vector<TimerRecord> records;
    std::string value;
    if (!store.ReadValue(ConfigFileKind::Timer, fileSection, kCountKey, value)) return records;
    const int count = DecimalValue(value);
    for (int i = 0; i < count; ++i) {
        // Stops at the first missing record, so that a huge count cannot read on for ever.
        if (!store.ReadValue(ConfigFileKind::Timer, fileSection, RecordKey(i), value)) break;
        records.push_back(ParseTimerRecord(section, value));
    }
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
                                   TimerRecordText(records[i])) && written;
    }
    return batch.Commit() && written;
}

}  // namespace hsq
