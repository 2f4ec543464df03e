#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace hsq {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Lets a cancellable wait be ended early from another thread (the timer worker's stop).
class Cancellation {
  public:
    void Cancel();
    bool IsCancelled() const;

  private:
    friend class SystemClock;
    friend class VirtualClock;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
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
    // Waits up to timeoutMs for events on a descriptor (poll semantics); returns the events seen,
    // 0 on time-out or failure.
    virtual short WaitDescriptor(int fd, short events, int timeoutMs) = 0;
};

class SystemClock final : public Clock {
  public:
    void SleepMs(int ms) override;
    bool WaitCancellable(Cancellation& cancel, int ms) override;
    std::int64_t NowMs() override;
    LocalTime LocalNow() override;
    short WaitDescriptor(int fd, short events, int timeoutMs) override;
};

// Advances instantly and records every pause. A hook may run at each pause so that a test can
// let a real peer (a thread behind a socket or a pseudo-terminal) catch up before time moves on.
class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(LocalTime start = {2026, 1, 1, 12, 0, 0, 0});

    void SleepMs(int ms) override;
    bool WaitCancellable(Cancellation& cancel, int ms) override;
    std::int64_t NowMs() override;
    LocalTime LocalNow() override;
    // Gives the real peer a short real moment to answer; when it does not, the whole time-out
    // passes on virtual time.
    short WaitDescriptor(int fd, short events, int timeoutMs) override;

    void SetPauseHook(std::function<void(int ms)> hook);
    std::vector<int> Pauses() const;
    void ClearPauses();
    std::int64_t ElapsedMs() const;

  private:
    void Advance(int ms);

    mutable std::mutex mutex_;
    LocalTime start_;
    std::int64_t nowMs_ = 0;
    std::vector<int> pauses_;
    std::function<void(int)> hook_;
};

}  // namespace hsq
