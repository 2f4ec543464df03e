#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "dialog/bilingual.h"
#include "link/clock.h"
#include "output/mode_layouts.h"
#include "scheduler/timer_record.h"
#include "service/board_requests.h"
#include "service/processor_status.h"
#include "service/remote_events.h"

namespace hsq {

// The HTTP interface's JSON: what it answers and what its event stream says.

nlohmann::json StatusJson(const ProcessorStatus& status, bool answering, LanguageFlag language);
// card: 0 K, 1 L; current: the mode in force, 0..15.
nlohmann::json ModesJson(int card, const CardModeLayouts& layouts,
                         std::optional<std::uint8_t> current);
// A change the processor confirmed, as the answer to the request that made it and as the data
// of its event.
nlohmann::json ChangeJson(const BoardRequest& change);
RemoteEvent ChangeEvent(const BoardRequest& change);
RemoteEvent HealthEvent(bool answering);

// "input", "output", "all" for the timer file's sections.
std::string_view SectionName(TimerSection section);
std::optional<TimerSection> SectionNamed(std::string_view name);
// The section, whether it runs and its entries still due today.
nlohmann::json SectionJson(TimerSection section, bool running,
                           const std::vector<TimerRecord>& pending, const LocalTime& today);
RemoteEvent SectionEvent(TimerSection section, bool running);
RemoteEvent TimerEvent(const TimerRecord& record, bool confirmed);

nlohmann::json ErrorJson(std::string_view english, std::string_view chinese);

// The text of the JSON; a name from a damaged file that is no UTF-8 gets replacement characters
// rather than ending the answer.
std::string JsonText(const nlohmann::json& json);

}  // namespace hsq
