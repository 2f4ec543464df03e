#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "app/traffic_rows.h"
#include "dialog/dialog_host.h"
#include "link/traffic_ring.h"

namespace hsq {

// The traffic monitor: what of the link's traffic record its list shows. It takes copies from
// the ring on the window's timer, never per frame, and keeps at most as many entries as the ring.
class TrafficMonitorLogic {
  public:
    static constexpr int kRefreshMs = 500;
    enum class Caption { Title, Pause, Resume, Clear, FilterLabel, AllCommands, Save };

    TrafficMonitorLogic(TrafficRing& ring, DialogHost& host, const LanguageFlag& language);

    // Takes what was recorded since the last time, unless paused; true when the list changed
    // (also when the language did).
    bool OnRefresh();
    void OnPause();  // pauses, or takes up again with everything recorded meanwhile
    void OnClear();
    // 0: every command; i: the i-th of FilterChoices().
    void OnFilter(int choice);
    // Writes what the list shows into a file the operator names, whole or not at all.
    void OnSave();

    bool Paused() const { return paused_; }
    int Filter() const { return filter_; }
    std::vector<std::string> FilterChoices() const;
    // The rows the list shows, oldest first.
    const std::deque<TrafficRow>& Rows() const { return rows_; }
    // The rows as the file holds them: a heading, then one line each.
    std::string Text() const;
    std::string_view CaptionText(Caption caption) const;
    LanguageFlag Language() const { return language_; }

  private:
    bool Shown(const TrafficEntry& entry) const;
    void Take(const std::vector<TrafficEntry>& entries);
    void Rebuild();

    TrafficRing& ring_;
    DialogHost& host_;
    const LanguageFlag& language_;
    LanguageFlag rowsLanguage_;
    std::uint64_t seen_ = 0;
    std::deque<TrafficEntry> entries_;
    std::deque<TrafficRow> rows_;
    bool paused_ = false;
    int filter_ = 0;
};

}  // namespace hsq
