#include "service/remote_json.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/main_window_state.h"
#include "config/input_profile.h"
#include "scheduler/timer_names.h"

namespace hsq {
namespace {

using Json = nlohmann::json;

constexpr std::array<std::string_view, 4> kSignalNames{"sdi", "dvi", "vga", "video"};

Json OrNull(const std::optional<std::uint8_t>& mode) {
    return mode ? Json(*mode + 1) : Json(nullptr);
}

Json ChannelJson(const ChannelLayout& channel) {
    return {{"number", channel.number}, {"x", channel.x},         {"y", channel.y},
            {"width", channel.width},   {"height", channel.height}, {"on", channel.on}};
}

Json ModeJson(int mode, const ModeLayout& layout) {
    const auto dashes = layout.caption.find("---");
    Json channels = Json::array();
    for (const ChannelLayout& channel : layout.channels) channels.push_back(ChannelJson(channel));
    Json order = Json::array();
    for (auto number : layout.order) order.push_back(number);
    return {{"mode", mode + 1},
            {"name", dashes == std::string::npos ? layout.caption : layout.caption.substr(dashes + 3)},
            {"caption", layout.caption},
            {"channels", channels},
            {"order", order}};
}

std::string DayAndTime(const LocalTime& day, const std::string& time) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", day.year, day.month, day.day);
    return date + time;
}

}  // namespace

Json StatusJson(const ProcessorStatus& status, bool answering, LanguageFlag language) {
    Json inputs = Json::array();
    for (int card = 0; card < kInputCardCount; ++card) {
        inputs.push_back({{"card", BoardLetter(card)},
                          {"present", status.presence.input[card]},
                          {"version", status.inputVersions[card]}});
    }
    Json outputs = Json::array();
    for (int card = 0; card < kOutputCardCount; ++card) {
        outputs.push_back({{"board", BoardLetter(kInputCardCount + card)},
                           {"present", status.presence.output[card]},
                           {"version", status.outputVersions[card]},
                           {"applicationMode", status.applicationModes[card]},
                           {"displayMode", OrNull(status.displayModes[card])}});
    }
    Json resolution = nullptr;
    if (status.resolution)
        resolution = {{"width", status.resolution->width}, {"height", status.resolution->height}};
    return {{"answering", answering},
            {"language", language == kChinese ? "zh" : "en"},
            {"inputs", inputs},
            {"outputs", outputs},
            {"outputFormat", status.outputFormat},
            {"resolution", resolution},
            {"clockSource", status.clockSource}};
}

Json ModesJson(int card, const CardModeLayouts& layouts, std::optional<std::uint8_t> current) {
    Json modes = Json::array();
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        modes.push_back(ModeJson(mode, layouts.modes[mode]));
    return {{"board", BoardLetter(kInputCardCount + card)},
            {"outputWidth", layouts.outputWidth},
            {"outputHeight", layouts.outputHeight},
            {"current", OrNull(current)},
            {"modes", modes}};
}

// A brightness names its card as "board" (any of A..D, K, L) and, for an input card, as
// "card" too, as the other input card answers do.
Json ChangeJson(const BoardRequest& change) {
    const std::string letter = BoardLetter(change.board);
    switch (change.kind) {
        case BoardRequest::Kind::Recall: return {{"board", letter}, {"mode", change.value + 1}};
        case BoardRequest::Kind::Source:
            return {{"card", letter}, {"signal", kSignalNames[change.value % kSignalNames.size()]}};
        case BoardRequest::Kind::Brightness: {
            Json json = {{"board", letter}, {"value", change.value}};
            if (change.board < kInputCardCount) json["card"] = letter;
            return json;
        }
    }
    return Json::object();
}

RemoteEvent ChangeEvent(const BoardRequest& change) {
    constexpr std::array<std::string_view, 3> kNames{"recall", "source", "brightness"};
    return {std::string(kNames[static_cast<std::size_t>(change.kind)]), JsonText(ChangeJson(change))};
}

RemoteEvent HealthEvent(bool answering) {
    return {"health", JsonText(Json{{"answering", answering}})};
}

std::string_view SectionName(TimerSection section) {
    switch (section) {
        case TimerSection::InputSignal: return "input";
        case TimerSection::OutputMode: return "output";
        case TimerSection::Brightness: return "all";
    }
    return {};
}

std::optional<TimerSection> SectionNamed(std::string_view name) {
    const auto found = std::find_if(kTimerSections.begin(), kTimerSections.end(),
                                    [&](TimerSection s) { return SectionName(s) == name; });
    if (found == kTimerSections.end()) return std::nullopt;
    return *found;
}

Json SectionJson(TimerSection section, bool running, const std::vector<TimerRecord>& pending,
                 const LocalTime& today) {
    Json entries = Json::array();
    for (const TimerRecord& record : pending) {
        if (record.section != section) continue;
        entries.push_back({{"time", DayAndTime(today, record.time)},
                           {"text", BoardsText(record) + " " + ActionText(record)}});
    }
    return {{"name", SectionName(section)}, {"running", running}, {"pending", entries}};
}

RemoteEvent SectionEvent(TimerSection section, bool running) {
    return {"timers", JsonText(Json{{"name", SectionName(section)}, {"running", running}})};
}

RemoteEvent TimerEvent(const TimerRecord& record, bool confirmed) {
    return {"timer", JsonText(Json{{"section", SectionName(record.section)},
                                   {"text", BoardsText(record) + " " + ActionText(record)},
                                   {"confirmed", confirmed}})};
}

Json ErrorJson(std::string_view english, std::string_view chinese) {
    return {{"error", {{"en", english}, {"zh", chinese}}}};
}

std::string JsonText(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace hsq
