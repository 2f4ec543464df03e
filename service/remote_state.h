#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "service/confirmed_changes.h"
#include "service/processor_status.h"
#include "service/remote_events.h"

namespace hsq {

// What the remote control reports of the processor, kept without asking it at every request:
// its status read once (and again when it answers after a silence), then kept current from the
// commands it confirmed on this link, whoever sent them. Each change is told to the events.
class RemoteState {
  public:
    RemoteState(DeviceCommands& commands, RemoteEvents& events);
    // Stops watching.
    ~RemoteState();
    RemoteState(const RemoteState&) = delete;
    RemoteState& operator=(const RemoteState&) = delete;

    // Reads the status, holding the line; false when the processor does not answer.
    bool Refresh();
    // One look at the traffic and the health since the last: the record follows, the events
    // are told.
    void Look();
    // Looks every periodMs on its own thread until StopWatching.
    void StartWatching(Clock& clock, int periodMs);
    void StopWatching();

    // The status as last known; none before the processor first answered.
    std::optional<ProcessorStatus> Status() const;
    bool Answering() const;

  private:
    DeviceCommands& commands_;
    RemoteEvents& events_;
    mutable std::mutex mutex_;
    std::optional<ProcessorStatus> status_;
    std::mutex looking_;  // one look at a time, so that changes are told once and in order
    bool answering_ = true;
    std::uint64_t seen_;
    ConfirmedChanges changes_;
    Cancellation stop_;
    std::thread watcher_;
};

}  // namespace hsq
