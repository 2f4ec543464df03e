#include "scheduler/timer_worker.h"

#include <mutex>
#include <utility>
#include <vector>

#include "scheduler/timer_actions.h"

namespace hsq {

constexpr int kAfterEntryMs = 200;

struct TimerWorker::Shared {
    Shared(std::shared_ptr<TimerSchedule> schedule, std::uint64_t ticket, DeviceCommands& commands,
           Clock& clock, std::shared_ptr<const std::atomic<bool>> inputCardAlsoResponds,
           TimerObserver* observer)
        : schedule(std::move(schedule)),
          ticket(ticket),
          clock(clock),
          inputCardAlsoResponds(std::move(inputCardAlsoResponds)),
          observer(observer),
          actions(commands, clock, stop) {}

    // Tells the observer unless the worker was stopped; the stop waits for a call under way.
    void Notify() {
        std::lock_guard hold(observerMutex);
        if (observer != nullptr) observer->PendingChanged();
    }
    void TellCarriedOut(const TimerRecord& record, bool confirmed) {
        std::lock_guard hold(observerMutex);
        if (observer != nullptr) observer->CarriedOut(record, confirmed);
    }
    void Stop() {
        {
            std::lock_guard hold(observerMutex);
            observer = nullptr;
        }
        stop.Cancel();
    }

    const std::shared_ptr<TimerSchedule> schedule;
    const std::uint64_t ticket;
    Clock& clock;
    const std::shared_ptr<const std::atomic<bool>> inputCardAlsoResponds;
    std::mutex observerMutex;
    TimerObserver* observer;
    Cancellation stop;
    TimerActions actions;
    std::atomic<bool> ended{false};
};

namespace {

// The stopped workers' threads, until they are joined. Never destroyed: a thread still running
// when the program ends must not end it with std::terminate.
struct StoppedWorkers {
    std::mutex mutex;
    std::vector<std::pair<std::thread, std::shared_ptr<const std::atomic<bool>>>> threads;
};

StoppedWorkers& Stopped() {
    static auto* stopped = new StoppedWorkers;
    return *stopped;
}

}  // namespace

TimerWorker::TimerWorker(std::shared_ptr<TimerSchedule> schedule, std::uint64_t ticket,
                         DeviceCommands& commands, Clock& clock,
                         std::shared_ptr<const std::atomic<bool>> inputCardAlsoResponds,
                         TimerObserver* observer)
    : shared_(std::make_shared<Shared>(std::move(schedule), ticket, commands, clock,
                                       std::move(inputCardAlsoResponds), observer)),
      thread_([shared = shared_] { Run(shared); }) {}

TimerWorker::~TimerWorker() {
    shared_->Stop();
    shared_->schedule->Interrupt();
    StoppedWorkers& stopped = Stopped();
    std::vector<std::thread> finished;
    {
        std::lock_guard hold(stopped.mutex);
        // Those that have ended are joined here, so the list stays short.
        std::erase_if(stopped.threads, [&finished](auto& entry) {
            if (!entry.second->load()) return false;
            finished.push_back(std::move(entry.first));
            return true;
        });
        const std::shared_ptr<const std::atomic<bool>> ended(shared_, &shared_->ended);
        stopped.threads.emplace_back(std::move(thread_), ended);
    }
    for (std::thread& thread : finished) thread.join();
}

void TimerWorker::Run(const std::shared_ptr<Shared>& shared) {
    TimerSchedule& schedule = *shared->schedule;
    while (!shared->stop.IsCancelled()) {
        const TimerSchedule::Step step = schedule.Next(shared->ticket, shared->clock.LocalNow());
        if (step.rebuilt) shared->Notify();
        if (step.what == TimerSchedule::Step::What::End) break;
        if (step.what == TimerSchedule::Step::What::Wait) {
            schedule.WaitUntil(shared->clock, step.version, step.until, shared->stop);
            continue;
        }
        const std::uint64_t serial = step.entry.serial;
        const bool confirmed =
            shared->actions.CarryOut(step.entry.record, shared->inputCardAlsoResponds->load(),
                                     [&schedule, serial] { return schedule.IsPending(serial); });
        if (shared->stop.IsCancelled()) break;
        shared->TellCarriedOut(step.entry.record, confirmed);
        schedule.Finish(step.entry);
        shared->Notify();
        shared->clock.WaitCancellable(shared->stop, kAfterEntryMs);
    }
    shared->ended = true;
}

void FinishStoppedTimerWorkers() {
    StoppedWorkers& stopped = Stopped();
    std::vector<std::thread> threads;
    {
        std::lock_guard hold(stopped.mutex);
        for (auto& entry : stopped.threads) threads.push_back(std::move(entry.first));
        stopped.threads.clear();
    }
    for (std::thread& thread : threads) thread.join();
}

}  // namespace hsq
