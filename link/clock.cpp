#include "link/clock.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

namespace hsq {

void Cancellation::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
}

bool Cancellation::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

void SystemClock::SleepMs(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool SystemClock::WaitCancellable(Cancellation& cancel, int ms) {
    std::unique_lock lock(cancel.mutex_);
    return !cancel.changed_.wait_for(lock, std::chrono::milliseconds(ms),
                                     [&] { return cancel.cancelled_; });
}

std::int64_t SystemClock::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

LocalTime SystemClock::LocalNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,       parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     static_cast<int>(ms)};
}

namespace {

short PollOnce(int fd, short events, int timeoutMs) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(std::max(timeoutMs, 0));
    pollfd entry{fd, events, 0};
    for (;;) {
        const auto left = ceil<milliseconds>(deadline - steady_clock::now()).count();
        const int ready = poll(&entry, 1, static_cast<int>(std::max<decltype(left)>(left, 0)));
        if (ready == 1)
            return entry.revents;
        // A signal is no time-out: wait on for what is left.
        if (ready < 0 && errno == EINTR)
            continue;
        return 0;
    }
}

// Long enough for a loopback peer to answer, short enough to keep tests quick.
constexpr int kVirtualRealPollCapMs = 200;

}  // namespace

short SystemClock::WaitDescriptor(int fd, short events, int timeoutMs) {
    return PollOnce(fd, events, timeoutMs);
}

VirtualClock::VirtualClock(LocalTime start) : start_(start) {}

void VirtualClock::SleepMs(int ms) {
    std::function<void(int)> hook;
    {
        std::lock_guard lock(mutex_);
        hook = hook_;
    }
    if (hook)
        hook(ms);
    Advance(ms);
}

bool VirtualClock::WaitCancellable(Cancellation& cancel, int ms) {
    if (cancel.IsCancelled())
        return false;
    SleepMs(ms);
    return !cancel.IsCancelled();
}

std::int64_t VirtualClock::NowMs() {
    std::lock_guard lock(mutex_);
    return nowMs_;
}

LocalTime VirtualClock::LocalNow() {
    std::lock_guard lock(mutex_);
    std::tm parts{};
    parts.tm_year = start_.year - 1900;
    parts.tm_mon = start_.month - 1;
    parts.tm_mday = start_.day;
    parts.tm_hour = start_.hour;
    parts.tm_min = start_.minute;
    parts.tm_sec = start_.second;
    parts.tm_isdst = -1;
    const std::int64_t totalMs = start_.millisecond + nowMs_;
    parts.tm_sec += static_cast<int>(totalMs / 1000);
    const std::time_t seconds = timegm(&parts);
    std::tm out{};
    gmtime_r(&seconds, &out);
    return {out.tm_year + 1900,
            out.tm_mon + 1,
            out.tm_mday,
            out.tm_hour,
            out.tm_min,
            out.tm_sec,
            static_cast<int>(totalMs % 1000)};
}

short VirtualClock::WaitDescriptor(int fd, short events, int timeoutMs) {
    const short seen = PollOnce(fd, events, std::min(timeoutMs, kVirtualRealPollCapMs));
    if (seen == 0)
        Advance(timeoutMs);
    return seen;
}

void VirtualClock::SetPauseHook(std::function<void(int)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

std::vector<int> VirtualClock::Pauses() const {
    std::lock_guard lock(mutex_);
    return pauses_;
}

void VirtualClock::ClearPauses() {
    std::lock_guard lock(mutex_);
    pauses_.clear();
}

std::int64_t VirtualClock::ElapsedMs() const {
    std::lock_guard lock(mutex_);
    return nowMs_;
}

void VirtualClock::Advance(int ms) {
    std::lock_guard lock(mutex_);
    pauses_.push_back(ms);
    if (ms > 0)
        nowMs_ += ms;
}

}  // namespace hsq
