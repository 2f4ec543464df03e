#include "scheduler/timer_runner.h"

namespace hsq {

TimerRunner::TimerRunner(DeviceCommands& commands, Clock& clock, TimerObserver* observer)
    : commands_(commands), clock_(clock), observer_(observer) {}

TimerRunner::~TimerRunner() { StopAll(); }

void TimerRunner::Start(TimerSection section, std::vector<TimerRecord> records) {
    const bool needsWorker = schedule_->Start(section, std::move(records), clock_.LocalNow());
    NotifyPendingChanged();
    if (!needsWorker) return;
    worker_.reset();  // one that ended by itself
    worker_ = std::make_unique<TimerWorker>(schedule_, schedule_->WorkerTicket(), commands_, clock_,
                                            inputCardAlsoResponds_, observer_);
}

void TimerRunner::Stop(TimerSection section) {
    const bool none = schedule_->Stop(section);
    NotifyPendingChanged();
    if (none) worker_.reset();
}

void TimerRunner::StopAll() {
    schedule_->StopAll();
    NotifyPendingChanged();
    worker_.reset();
}

void TimerRunner::NotifyPendingChanged() {
    if (observer_ != nullptr) observer_->PendingChanged();
}

}  // namespace hsq
