#include "service/remote_state.h"

#include "service/remote_json.h"

namespace hsq {

RemoteState::RemoteState(DeviceCommands& commands, RemoteEvents& events)
    : commands_(commands), events_(events), seen_(commands.link().Traffic().LastNumber()) {}

RemoteState::~RemoteState() { StopWatching(); }

bool RemoteState::Refresh() {
    std::optional<ProcessorStatus> read;
    {
        const auto hold = commands_.link().HoldLine();
        read = ReadProcessorStatus(commands_);
    }
    if (!read) return false;
    std::lock_guard lock(mutex_);
    status_ = std::move(read);
    return true;
}

void RemoteState::Look() {
    std::lock_guard looking(looking_);
    DeviceLink& link = commands_.link();
    const auto entries = link.Traffic().Since(seen_);
    if (!entries.empty()) seen_ = entries.back().number;
    const bool answering = link.Answering();
    bool cameBack = false;
    {
        std::lock_guard lock(mutex_);
        for (const BoardRequest& change : changes_.Follow(entries)) {
            if (change.kind == BoardRequest::Kind::Recall && status_)
                status_->displayModes[change.board - kInputCardCount] =
                    static_cast<std::uint8_t>(change.value);
            events_.Publish(ChangeEvent(change));
        }
        if (answering != answering_) {
            answering_ = answering;
            cameBack = answering;
            events_.Publish(HealthEvent(answering));
        }
        cameBack = cameBack || (answering && !status_);
    }
    if (cameBack) Refresh();
}

void RemoteState::StartWatching(Clock& clock, int periodMs) {
    watcher_ = std::thread([this, &clock, periodMs] {
        while (clock.WaitCancellable(stop_, periodMs)) Look();
    });
}

void RemoteState::StopWatching() {
    stop_.Cancel();
    if (watcher_.joinable()) watcher_.join();
}

std::optional<ProcessorStatus> RemoteState::Status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

bool RemoteState::Answering() const {
    std::lock_guard lock(mutex_);
    return answering_;
}

}  // namespace hsq
