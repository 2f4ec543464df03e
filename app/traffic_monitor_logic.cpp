#include "app/traffic_monitor_logic.h"

#include "commands/command_names.h"
#include "config/atomic_file.h"

namespace hsq {
namespace {

constexpr FileFilter kTextFileFilters[] = {{"Text Files", "*.txt"}, {"All Files", "*.*"}};

}  // namespace

TrafficMonitorLogic::TrafficMonitorLogic(TrafficRing& ring, DialogHost& host,
                                         const LanguageFlag& language)
    : ring_(ring), host_(host), language_(language), rowsLanguage_(language) {}

bool TrafficMonitorLogic::OnRefresh() {
    const bool languageChanged = rowsLanguage_ != language_;
    if (languageChanged) Rebuild();
    if (paused_) return languageChanged;
    const std::vector<TrafficEntry> entries = ring_.Since(seen_);
    Take(entries);
    return languageChanged || !entries.empty();
}

// Rows come and go with their entries, so that the list never formats more than what is new.
void TrafficMonitorLogic::Take(const std::vector<TrafficEntry>& entries) {
    for (const TrafficEntry& entry : entries) {
        if (entries_.size() == ring_.Capacity()) {
            if (Shown(entries_.front())) rows_.pop_front();
            entries_.pop_front();
        }
        entries_.push_back(entry);
        if (Shown(entry)) rows_.push_back(RowOf(entry, rowsLanguage_));
        seen_ = entry.number;
    }
}

void TrafficMonitorLogic::Rebuild() {
    rowsLanguage_ = language_;
    rows_.clear();
    for (const TrafficEntry& entry : entries_) {
        if (Shown(entry)) rows_.push_back(RowOf(entry, rowsLanguage_));
    }
}

bool TrafficMonitorLogic::Shown(const TrafficEntry& entry) const {
    if (filter_ == 0) return true;
    return entry.command == CommandNames()[static_cast<std::size_t>(filter_ - 1)].code &&
           entry.outcome != TrafficOutcome::Discarded;
}

void TrafficMonitorLogic::OnPause() { paused_ = !paused_; }

// The link's record stays whole: only what this list shows is cleared.
void TrafficMonitorLogic::OnClear() {
    entries_.clear();
    rows_.clear();
    seen_ = ring_.LastNumber();
}

void TrafficMonitorLogic::OnFilter(int choice) {
    if (choice < 0 || choice > static_cast<int>(CommandNames().size())) return;
    filter_ = choice;
    Rebuild();
}

std::vector<std::string> TrafficMonitorLogic::FilterChoices() const {
    std::vector<std::string> choices{std::string(CaptionText(Caption::AllCommands))};
    char code[8];
    for (const CommandName& command : CommandNames()) {
        std::snprintf(code, sizeof code, "%02X ", command.code);
        choices.push_back(code + std::string(command.name.In(language_)));
    }
    return choices;
}

std::string TrafficMonitorLogic::Text() const {
    std::string text = HeadingLine(rowsLanguage_) + "\n";
    for (const TrafficRow& row : rows_) text += LineOf(row) + "\n";
    return text;
}

void TrafficMonitorLogic::OnSave() {
    const std::string file =
        host_.AskSaveFile(CaptionText(Caption::Title), "traffic.txt", kTextFileFilters);
    if (file.empty()) return;
    if (ReplaceFileAtomically(file, Text())) return;
    constexpr Bilingual kNotWritten{"无法写入文件，文件未改变", "The file could not be written; it is "
                                                                "unchanged"};
    host_.ShowMessage(kSystemInformation.In(language_), kNotWritten.In(language_));
}

std::string_view TrafficMonitorLogic::CaptionText(Caption caption) const {
    switch (caption) {
        case Caption::Title: return Bilingual{"通讯监视", "Traffic monitor"}.In(language_);
        case Caption::Pause: return Bilingual{"暂停", "Pause"}.In(language_);
        case Caption::Resume: return Bilingual{"继续", "Resume"}.In(language_);
        case Caption::Clear: return Bilingual{"清除", "Clear"}.In(language_);
        case Caption::FilterLabel: return Bilingual{"命令:", "Command:"}.In(language_);
        case Caption::AllCommands: return Bilingual{"全部命令", "All commands"}.In(language_);
        case Caption::Save: return Bilingual{"保存...", "Save..."}.In(language_);
    }
    return {};
}

}  // namespace hsq
