#include "scheduler/timer_worker.h"

#include <algorithm>
#include <climits>

#include "scheduler/calendar.h"

namespace hsq {
namespace {

constexpr int kAfterEntryMs = 200;

}  // namespace

TimerWorker::TimerWorker(TimerSchedule& schedule, DeviceCommands& commands, Clock& clock,
                         const std::atomic<bool>& inputCardAlsoResponds, TimerObserver* observer)
    : schedule_(schedule),
      clock_(clock),
      inputCardAlsoResponds_(inputCardAlsoResponds),
      observer_(observer),
      actions_(commands, clock, stop_),
      thread_([this] { Run(); }) {}

TimerWorker::~TimerWorker() {
    stop_.Cancel();
    Join();
}

void TimerWorker::Join() {
    if (thread_.joinable()) thread_.join();
}

void TimerWorker::Run() {
    while (const auto next = schedule_.NextOrEnd()) {
        const std::int64_t waitMs = next->entry.dueMs - MomentMilliseconds(clock_.LocalNow());
        if (waitMs > 0) {
            // A wait beyond what one call can take is taken in parts.
            schedule_.WaitWhileUnchanged(clock_, next->version,
                                         static_cast<int>(std::min<std::int64_t>(waitMs, INT_MAX)));
            continue;
        }
        actions_.CarryOut(next->entry.record, inputCardAlsoResponds_.load());
        schedule_.Remove(next->entry.serial);
        if (observer_ != nullptr) observer_->PendingChanged();
        clock_.WaitCancellable(stop_, kAfterEntryMs);
    }
}

}  // namespace hsq
