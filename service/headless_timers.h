#pragma once

#include <filesystem>
#include <array>
#include <functional>
#include <mutex>
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
    // Told of each timer carried out (from the worker's thread) and of each section started or
    // stopped (from the caller's), for a remote control that follows them.
    struct Events {
        std::function<void(const TimerRecord& record, bool confirmed)> carriedOut;
        std::function<void(TimerSection section, bool running)> sectionChanged;
    };

    HeadlessTimers(DeviceCommands& commands, Clock& clock, ProfileStore& store, Log log);
    // Stops every section.
    ~HeadlessTimers() override;
    HeadlessTimers(const HeadlessTimers&) = delete;
    HeadlessTimers& operator=(const HeadlessTimers&) = delete;

    // Reads the file and starts its sections the first time, and again whenever the file has
    // changed since; otherwise leaves them running.
    void StartOrReload();
    // One section, its timers read from the file now; a stopped section stays stopped when the
    // file changes. Callable from any thread.
    void Start(TimerSection section);
    void Stop(TimerSection section);
    bool Running(TimerSection section) const { return runner_.IsRunning(section); }
    std::vector<TimerRecord> Pending() const { return runner_.Pending(); }
    // Empty events tell nothing; once this returns, the ones replaced are not called any more.
    void SetEvents(Events events);

  private:
    void PendingChanged() override {}
    void CarriedOut(const TimerRecord& record, bool confirmed) override;
    void Report(const ProfileProblemReport& report) override;
    void AskWhetherInputCardsFollow();
    void StartSection(TimerSection section);
    void TellSection(TimerSection section, bool running);
    std::optional<std::filesystem::file_time_type> FileTime() const;
    std::string Now() const;

    DeviceCommands& commands_;
    Clock& clock_;
    ProfileStore& store_;
    Log log_;
    std::mutex eventsLock_;  // the worker tells while another thread may replace them
    Events events_;
    TimerRunner runner_;
    std::mutex control_;
    std::array<bool, kTimerSections.size()> wanted_{};
    bool started_ = false;
    std::optional<std::filesystem::file_time_type> loaded_;
};

}  // namespace hsq
