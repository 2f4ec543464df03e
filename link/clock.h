#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace hsq {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Lets a cancellable wait be ended early from another thread (the timer worker's stop). A clock
// may also wake a wall-clock wait through it without cancelling it, when its wall clock was set.
class Cancellation {
  public:
    Cancellation() = default;
    ~Cancellation();
    Cancellation(const Cancellation&) = delete;
    Cancellation& operator=(const Cancellation&) = delete;

    void Cancel();
    bool IsCancelled() const;

    // For clocks. The wall clock was set: a wall-clock wait on this ends and looks again.
    void Wake();
    std::uint64_t Wakes() const;
    // An eventfd that turns readable at Cancel and Wake; made on first use, -1 when it cannot be.
    int Descriptor();
    // Empties the descriptor after a Wake.
    void Drain();

  private:
    friend class SystemClock;
    friend class VirtualClock;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    std::uint64_t wakes_ = 0;
    int eventFd_ = -1;
};

// How a wait for a wall-clock moment ended.
enum class WallWait {
    Due,        // the local wall clock reads the moment or later
    ClockSet,   // the wall clock was set (stepped) meanwhile: look at it again
    Cancelled,  // cancelled before either
};

// Every pause, poll and "now" of the program goes through this, so tests run on virtual time.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual void SleepMs(int ms) = 0;
    // Waits ms unless cancelled first; returns false when it was cancelled.
    virtual bool WaitCancellable(Cancellation& cancel, int ms) = 0;
    // Monotonic milliseconds since an arbitrary start.
    virtual std::int64_t NowMs() = 0;
    virtual LocalTime LocalNow() = 0;
    // Waits until the local wall clock reads target or later, whatever it does meanwhile: a
    // clock set forward past target ends the wait at once, and any setting of the clock ends it
    // with ClockSet so the caller can look again. No time passes in polls while it waits.
    virtual WallWait WaitUntilLocal(Cancellation& cancel, const LocalTime& target) = 0;
    // Waits up to timeoutMs for events on a descriptor (poll semantics); returns the events seen,
    // 0 on time-out or failure.
    virtual short WaitDescriptor(int fd, short events, int timeoutMs) = 0;
};

// Real time. Wall-clock waits use a timerfd on CLOCK_REALTIME armed at the absolute moment with
// TFD_TIMER_CANCEL_ON_SET, so that they end both at the moment and whenever the system's clock is
// set (a time correction, a manual change, a resume); where no timerfd can be had, bounded
// waits that re-read the clock stand in.
class SystemClock final : public Clock {
  public:
    void SleepMs(int ms) override;
    bool WaitCancellable(Cancellation& cancel, int ms) override;
    std::int64_t NowMs() override;
    LocalTime LocalNow() override;
    WallWait WaitUntilLocal(Cancellation& cancel, const LocalTime& target) override;
    short WaitDescriptor(int fd, short events, int timeoutMs) override;
};

// Real time with a wall clock that a benchmark or a trial can step, as if the system's clock
// were set, without setting it: its waits are real, and a step wakes its wall-clock waits with
// ClockSet.
class ShiftedSystemClock final : public Clock {
  public:
    void SleepMs(int ms) override { system_.SleepMs(ms); }
    bool WaitCancellable(Cancellation& cancel, int ms) override {
        return system_.WaitCancellable(cancel, ms);
    }
    std::int64_t NowMs() override { return system_.NowMs(); }
    LocalTime LocalNow() override;
    WallWait WaitUntilLocal(Cancellation& cancel, const LocalTime& target) override;
    short WaitDescriptor(int fd, short events, int timeoutMs) override {
        return system_.WaitDescriptor(fd, events, timeoutMs);
    }

    // Moves the wall clock by ms (back when negative).
    void StepWallMs(std::int64_t ms);

  private:
    SystemClock system_;
    std::mutex mutex_;
    std::atomic<std::int64_t> offsetMs_{0};
    std::set<Cancellation*> waiting_;
};

// Advances instantly and records every pause. A hook may run at each pause so that a test can
// let a real peer (a thread behind a socket or a pseudo-terminal) catch up before time moves on.
// Its wall clock runs with its time and can also be set apart from it, as an operator or a time
// service sets a real one.
class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(LocalTime start = {2026, 1, 1, 12, 0, 0, 0});

    void SleepMs(int ms) override;
    bool WaitCancellable(Cancellation& cancel, int ms) override;
    std::int64_t NowMs() override;
    LocalTime LocalNow() override;
    // The hook runs with the wait's length; then the wait takes that time, unless the hook
    // cancelled it or set the wall clock. A target at or beyond the horizon is not reached: the
    // wait blocks (really) until it is cancelled, the wall clock is set or the horizon moves.
    WallWait WaitUntilLocal(Cancellation& cancel, const LocalTime& target) override;
    // Gives the real peer a short real moment to answer; when it does not, the whole time-out
    // passes on virtual time.
    short WaitDescriptor(int fd, short events, int timeoutMs) override;

    void SetPauseHook(std::function<void(int ms)> hook);
    std::vector<int> Pauses() const;
    void ClearPauses();
    std::int64_t ElapsedMs() const;

    // Sets the wall clock (a step forward or back), leaving the time that passed alone.
    void SetLocalTime(const LocalTime& now);
    void StepWallMs(std::int64_t ms);
    // Where wall-clock waits and cancellable waits stop, so that a test can run a scheduler up to
    // a moment and look.
    void SetHorizon(const LocalTime& horizon);
    // Waits (really) until a wait is blocked at the horizon, uncancelled.
    void WaitUntilParked();

  private:
    void Advance(int ms);
    void ParkLocked(Cancellation& cancel, std::unique_lock<std::mutex>& lock);
    std::int64_t WallMsLocked() const;
    void WakeWaitersLocked();
    bool ParkedLocked() const;

    mutable std::mutex mutex_;
    std::condition_variable parkedChanged_;
    std::int64_t startWallMs_ = 0;  // the start as milliseconds since 1970 on a zoneless scale
    std::int64_t nowMs_ = 0;
    std::int64_t wallOffsetMs_ = 0;
    std::uint64_t settings_ = 0;  // times the wall clock was set
    std::optional<std::int64_t> horizonMs_;
    std::map<Cancellation*, std::uint64_t> parked_;  // with its wakes when it parked
    std::vector<int> pauses_;
    std::function<void(int)> hook_;
};

}  // namespace hsq
