#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "link/clock.h"
#include "scheduler/timer_observer.h"
#include "scheduler/timer_runner.h"

namespace hsq {

// The timers of "Timer.ini" with no window: every section started, day after day, the file read
// again when it has changed, and each timer carried out told with its time. Lines go to the log
// as they happen, from the worker's thread too.
class HeadlessTimers final : private TimerObserver, private ProfileProblemSink {
  public:
    using Log = std::function<void(const std::string& line)>;

    HeadlessTimers(DeviceCommands& commands, Clock& clock, ProfileStore& store, Log log);
    // Stops every section.
    ~HeadlessTimers() override;
    HeadlessTimers(const HeadlessTimers&) = delete;
    HeadlessTimers& operator=(const HeadlessTimers&) = delete;

    // Reads the file and starts its sections the first time, and again whenever the file has
    // changed since; otherwise leaves them running.
    void StartOrReload();
    std::vector<TimerRecord> Pending() const { return runner_.Pending(); }

  private:
    void PendingChanged() override {}
    void CarriedOut(const TimerRecord& record, bool confirmed) override;
    void Report(const ProfileProblemReport& report) override;
    std::optional<std::filesystem::file_time_type> FileTime() const;
    std::string Now() const;

    DeviceCommands& commands_;
    Clock& clock_;
    ProfileStore& store_;
    Log log_;
    TimerRunner runner_;
    bool started_ = false;
    std::optional<std::filesystem::file_time_type> loaded_;
};

}  // namespace hsq
