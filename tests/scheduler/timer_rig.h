#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "commands/device_commands.h"
#include "link/device_link.h"
#include "scheduler/timer_file.h"
#include "scheduler/timer_worker.h"
#include "scheduler/timer_runner.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "support/temp_folder.h"
#include "timer_examples.h"

namespace hsq::testing {

inline constexpr int kHourMs = 3600 * 1000;

// A frame the processor received, as "8D 00 00" (command and the first two data bytes), the
// virtual time it went out and what the wall clock read then ("mm-dd hh:mm:ss").
struct SentFrame {
    std::int64_t atMs;
    std::string command;
    std::string wall;
};

// Notes each frame on its way from the link to the simulated processor.
class TimedWire final : public LinkTransport {
  public:
    TimedWire(LinkTransport& inner, Clock& clock) : inner_(inner), clock_(clock) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        char text[12];
        std::snprintf(text, sizeof text, "%02X %02X %02X", bytes[2], bytes[3], bytes[4]);
        const LocalTime now = clock_.LocalNow();
        char wall[40];
        std::snprintf(wall, sizeof wall, "%02d-%02d %02d:%02d:%02d", now.month, now.day, now.hour,
                      now.minute, now.second);
        std::lock_guard lock(mutex_);
        frames_.push_back({clock_.NowMs(), text, wall});
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }

    std::vector<SentFrame> Frames() const {
        std::lock_guard lock(mutex_);
        return frames_;
    }
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        for (const SentFrame& frame : Frames()) commands.push_back(frame.command);
        return commands;
    }
    // "mm-dd hh:mm:ss 8E 03 01" of each frame.
    std::vector<std::string> WallCommands() const {
        std::vector<std::string> commands;
        for (const SentFrame& frame : Frames())
            commands.push_back(frame.wall + " " + frame.command);
        return commands;
    }

  private:
    LinkTransport& inner_;
    Clock& clock_;
    mutable std::mutex mutex_;
    std::vector<SentFrame> frames_;
};

// Counts the schedule's changes, so that a test can wait for the worker's. Armed, it also holds
// the worker in the first pause of each given length in turn (a wall-clock wait has the wait's
// length), each until Open: a test then changes the schedule, or the wall clock, while the worker
// waits or is in the middle of an exchange, before virtual time runs on.
class WaitGate final : public TimerObserver {
  public:
    void Arm(VirtualClock& clock, std::vector<int> lengths) {
        lengths_ = std::move(lengths);
        clock.SetPauseHook([this](int ms) { Pause(ms); });
    }
    void Arm(VirtualClock& clock, int waitMs) { Arm(clock, std::vector{waitMs}); }
    void WaitUntilHeld() { WaitFor([this] { return held_ > opened_; }); }
    void Open() {
        std::lock_guard lock(mutex_);
        ++opened_;
        changed_.notify_all();
    }
    void WaitForChanges(int changes) { WaitFor([this, changes] { return changes_ >= changes; }); }
    void PendingChanged() override {
        std::lock_guard lock(mutex_);
        ++changes_;
        changed_.notify_all();
    }

  private:
    void Pause(int ms) {
        std::unique_lock lock(mutex_);
        if (held_ >= lengths_.size() || ms != lengths_[held_]) return;
        const std::size_t hold = held_++;
        changed_.notify_all();
        changed_.wait(lock, [this, hold] { return opened_ > hold; });
    }
    template <typename Done>
    void WaitFor(Done done) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, done);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> lengths_;
    int changes_ = 0;
    std::size_t held_ = 0;
    std::size_t opened_ = 0;
};

// The runner with the simulated processor behind its link, on virtual time from start. Wall-clock
// waits stop at the midnight after the start unless a test moves the horizon.
struct TimerRig {
    explicit TimerRig(LocalTime start)
        : clock(start), transport(processor, clock), wire(transport, clock), link(clock),
          commands(link) {
        link.AttachTransport(&wire);
        clock.SetHorizon({start.year, start.month, start.day + 1, 0, 0, 0});
    }
    // Stopped workers may still be finishing an exchange with the processor and the clock here.
    ~TimerRig() {
        runner.StopAll();
        FinishStoppedTimerWorkers();
        EXPECT_EQ(processor.Violations(), std::vector<std::string>{});
    }

    // Lets the worker run until its wall-clock wait reaches the horizon.
    void RunUntil(const LocalTime& horizon) {
        clock.SetHorizon(horizon);
        clock.WaitUntilParked();
    }
    void RunUntilParked() { clock.WaitUntilParked(); }

    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport;
    TimedWire wire;
    DeviceLink link;
    DeviceCommands commands;
    WaitGate gate;
    TimerRunner runner{commands, clock, &gate};
};

// A timer file in a folder of its own.
class TimerStoreTest : public ::testing::Test {
  protected:
    std::string Stored(TimerSection section, const std::string& key) const {
        std::string value;
        store.ReadValue(ConfigFileKind::Timer, TimerFileSection(section), key, value);
        return value;
    }

    TempFolder folder;
    ProfileStore store{folder.path()};
};

}  // namespace hsq::testing
