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
#include "scheduler/timer_runner.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "support/temp_folder.h"
#include "timer_examples.h"

namespace hsq::testing {

inline constexpr int kHourMs = 3600 * 1000;

// A frame the processor received, as "8D 00 00" (command and the first two data bytes), and the
// virtual time it went out.
struct SentFrame {
    std::int64_t atMs;
    std::string command;
};

// Notes each frame on its way from the link to the simulated processor.
class TimedWire final : public LinkTransport {
  public:
    TimedWire(LinkTransport& inner, Clock& clock) : inner_(inner), clock_(clock) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        char text[12];
        std::snprintf(text, sizeof text, "%02X %02X %02X", bytes[2], bytes[3], bytes[4]);
        std::lock_guard lock(mutex_);
        frames_.push_back({clock_.NowMs(), text});
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

  private:
    LinkTransport& inner_;
    Clock& clock_;
    mutable std::mutex mutex_;
    std::vector<SentFrame> frames_;
};

// Counts the schedule's changes, so that a test can wait for the worker's. Armed, it also holds
// the worker once inside the wait of the given length until the schedule has changed so many
// times more: the runner tells of a change after making it and before waiting for the worker to
// end, so the test's changes all land while the worker waits.
class WaitGate final : public TimerObserver {
  public:
    void Arm(VirtualClock& clock, int waitMs, int changesToOpen) {
        changesLeft_ = changesToOpen;
        clock.SetPauseHook([this, waitMs](int ms) {
            if (ms == waitMs) Hold();
        });
    }
    void WaitUntilHeld() { WaitFor([this] { return held_; }); }
    void WaitForChanges(int changes) { WaitFor([this, changes] { return changes_ >= changes; }); }
    void PendingChanged() override {
        std::lock_guard lock(mutex_);
        ++changes_;
        if (held_ && --changesLeft_ <= 0) open_ = true;  // once held, and the last change made
        changed_.notify_all();
    }

  private:
    void Hold() {
        std::unique_lock lock(mutex_);
        if (held_) return;  // once only
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    template <typename Done>
    void WaitFor(Done done) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, done);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    int changes_ = 0;
    int changesLeft_ = 0;
    bool held_ = false;
    bool open_ = false;
};

// The runner with the simulated processor behind its link, on virtual time from start.
struct TimerRig {
    explicit TimerRig(LocalTime start)
        : clock(start), transport(processor, clock), wire(transport, clock), link(clock),
          commands(link) {
        link.AttachTransport(&wire);
    }
    ~TimerRig() { EXPECT_EQ(processor.Violations(), std::vector<std::string>{}); }

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
