#include "link/clock.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <thread>

namespace hsq {
namespace {

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t FloorModulo(std::int64_t a, std::int64_t b) {
    return a - FloorDivide(a, b) * b;
}

std::tm PartsOf(const LocalTime& time) {
    std::tm parts{};
    parts.tm_year = time.year - 1900;
    parts.tm_mon = time.month - 1;
    parts.tm_mday = time.day;
    parts.tm_hour = time.hour;
    parts.tm_min = time.minute;
    parts.tm_sec = time.second;
    parts.tm_isdst = -1;  // for mktime: whichever the zone has then
    return parts;
}

// Local readings on a scale without zones (as if the local time were UTC), in milliseconds:
// only differences between readings matter, and these have no gaps or repeats.
std::int64_t ZonelessMs(const LocalTime& time) {
    std::tm parts = PartsOf(time);
    return static_cast<std::int64_t>(timegm(&parts)) * 1000 + time.millisecond;
}

LocalTime FromParts(const std::tm& parts, std::int64_t ms) {
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,       parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     static_cast<int>(ms)};
}

LocalTime ZonelessTime(std::int64_t ms) {
    const std::time_t seconds = FloorDivide(ms, 1000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    return FromParts(parts, FloorModulo(ms, 1000));
}

std::int64_t RealtimeMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

LocalTime LocalTimeAtRealtime(std::int64_t realMs) {
    const std::time_t seconds = FloorDivide(realMs, 1000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return FromParts(parts, FloorModulo(realMs, 1000));
}

// What the local wall clock reads at a real moment, on the zoneless scale.
std::int64_t LocalReadingMs(std::int64_t realMs) {
    return ZonelessMs(LocalTimeAtRealtime(realMs));
}

std::int64_t LocalReadingSeconds(std::int64_t realSeconds) {
    return FloorDivide(LocalReadingMs(realSeconds * 1000), 1000);
}

// The first real moment after nowMs at which the local wall clock reads targetMs or later. A
// time skipped by the spring change is reached when the clock jumps past it; a time that the
// autumn change repeats is reached the first time.
std::int64_t FirstRealtimeReading(std::int64_t targetMs, std::int64_t nowMs) {
    const std::int64_t target = FloorDivide(targetMs, 1000);
    std::tm parts = PartsOf(ZonelessTime(target * 1000));
    std::int64_t at = mktime(&parts);
    const std::int64_t nowSeconds = FloorDivide(nowMs, 1000);
    if (LocalReadingSeconds(at) > target) {
        // Skipped: the first instant past it is the change itself, within the hours before.
        std::int64_t below = std::max(nowSeconds, at - 3 * 3600);
        if (LocalReadingSeconds(below) < target) {
            while (at - below > 1) {
                const std::int64_t middle = below + (at - below) / 2;
                (LocalReadingSeconds(middle) >= target ? at : below) = middle;
            }
        } else {
            at = below;
        }
    } else {
        for (const std::int64_t back : {3600, 1800}) {
            if (at - back > nowSeconds && LocalReadingSeconds(at - back) == target)
                at -= back;
        }
    }
    const std::int64_t atMs = at * 1000 + FloorModulo(targetMs, 1000);
    // Never a moment already passed while the clock reads earlier: that would spin.
    return atMs > nowMs ? atMs : nowMs + 1000;
}

// Waits on the real clock until realMs, a setting of the clock, a wake or the cancellation. Due
// only means the moment came; the caller reads the clock again.
WallWait WaitForRealtime(Cancellation& cancel, int cancelFd, std::int64_t realMs) {
    const int timer = cancelFd < 0 ? -1 : timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC);
    itimerspec when{};
    when.it_value.tv_sec = static_cast<std::time_t>(FloorDivide(realMs, 1000));
    when.it_value.tv_nsec = static_cast<long>(FloorModulo(realMs, 1000) * 1000000);
    if (timer < 0 ||
        timerfd_settime(timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) != 0) {
        if (timer >= 0)
            close(timer);
        // No timerfd: a bounded wait, after which the caller reads the clock again.
        const std::int64_t left = std::clamp<std::int64_t>(realMs - RealtimeMs(), 1, 1000);
        return SystemClock().WaitCancellable(cancel, static_cast<int>(left)) ? WallWait::Due
                                                                             : WallWait::Cancelled;
    }
    pollfd entries[2] = {{timer, POLLIN, 0}, {cancelFd, POLLIN, 0}};
    int ready = 0;
    do {
        ready = poll(entries, 2, -1);
    } while (ready < 0 && errno == EINTR);
    WallWait end = WallWait::Due;
    if (entries[1].revents != 0) {
        // Cancelled, or woken by a step of a shifted clock's wall time.
        if (cancel.IsCancelled()) {
            end = WallWait::Cancelled;
        } else {
            cancel.Drain();
            end = WallWait::ClockSet;
        }
    } else if (entries[0].revents != 0) {
        std::uint64_t expiries = 0;
        if (read(timer, &expiries, sizeof expiries) < 0 && errno == ECANCELED)
            end = WallWait::ClockSet;
    }
    close(timer);
    return end;
}

}  // namespace

Cancellation::~Cancellation() {
    if (eventFd_ >= 0)
        close(eventFd_);
}

void Cancellation::Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (eventFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(eventFd_, &one, sizeof one);
    }
    changed_.notify_all();
}

bool Cancellation::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

void Cancellation::Wake() {
    std::lock_guard lock(mutex_);
    ++wakes_;
    if (eventFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(eventFd_, &one, sizeof one);
    }
    changed_.notify_all();
}

std::uint64_t Cancellation::Wakes() const {
    std::lock_guard lock(mutex_);
    return wakes_;
}

int Cancellation::Descriptor() {
    std::lock_guard lock(mutex_);
    if (eventFd_ < 0) {
        eventFd_ = eventfd(cancelled_ ? 1 : 0, EFD_CLOEXEC | EFD_NONBLOCK);
    }
    return eventFd_;
}

void Cancellation::Drain() {
    std::lock_guard lock(mutex_);
    std::uint64_t count = 0;
    if (eventFd_ >= 0 && !cancelled_) {
        [[maybe_unused]] const auto got = read(eventFd_, &count, sizeof count);
    }
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
    return LocalTimeAtRealtime(RealtimeMs());
}

WallWait SystemClock::WaitUntilLocal(Cancellation& cancel, const LocalTime& target) {
    const std::int64_t targetMs = ZonelessMs(target);
    const int cancelFd = cancel.Descriptor();
    for (;;) {
        if (cancel.IsCancelled())
            return WallWait::Cancelled;
        const std::int64_t nowMs = RealtimeMs();
        if (LocalReadingMs(nowMs) >= targetMs)
            return WallWait::Due;
        const WallWait end =
            WaitForRealtime(cancel, cancelFd, FirstRealtimeReading(targetMs, nowMs));
        if (end != WallWait::Due)
            return end;
    }
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

LocalTime ShiftedSystemClock::LocalNow() {
    return LocalTimeAtRealtime(RealtimeMs() + offsetMs_.load());
}

// The shift is taken after the wait is known to the stepper, so no step goes unseen.
WallWait ShiftedSystemClock::WaitUntilLocal(Cancellation& cancel, const LocalTime& target) {
    const std::int64_t targetMs = ZonelessMs(target);
    const int cancelFd = cancel.Descriptor();
    {
        std::lock_guard lock(mutex_);
        waiting_.insert(&cancel);
    }
    WallWait end = WallWait::Due;
    for (;;) {
        if (cancel.IsCancelled()) {
            end = WallWait::Cancelled;
            break;
        }
        const std::int64_t offset = offsetMs_.load();
        const std::int64_t nowMs = RealtimeMs() + offset;
        if (LocalReadingMs(nowMs) >= targetMs)
            break;
        end = WaitForRealtime(cancel, cancelFd, FirstRealtimeReading(targetMs, nowMs) - offset);
        if (end != WallWait::Due)
            break;
    }
    std::lock_guard lock(mutex_);
    waiting_.erase(&cancel);
    return end;
}

void ShiftedSystemClock::StepWallMs(std::int64_t ms) {
    std::lock_guard lock(mutex_);
    offsetMs_ += ms;
    for (Cancellation* waiter : waiting_)
        waiter->Wake();
}

VirtualClock::VirtualClock(LocalTime start) : startWallMs_(ZonelessMs(start)) {}

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

// A wait that would take the wall clock to the horizon stops there, as wall-clock waits do.
bool VirtualClock::WaitCancellable(Cancellation& cancel, int ms) {
    {
        std::unique_lock lock(mutex_);
        while (!cancel.IsCancelled() && horizonMs_ && WallMsLocked() + ms >= *horizonMs_)
            ParkLocked(cancel, lock);
    }
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
    return ZonelessTime(WallMsLocked());
}

// Lock order: the clock's mutex, then a cancellation's; a cancellation never takes the clock's.
WallWait VirtualClock::WaitUntilLocal(Cancellation& cancel, const LocalTime& target) {
    const std::int64_t targetMs = ZonelessMs(target);
    std::unique_lock lock(mutex_);
    const std::uint64_t settingsAtStart = settings_;
    for (;;) {
        if (cancel.IsCancelled())
            return WallWait::Cancelled;
        if (settings_ != settingsAtStart)
            return WallWait::ClockSet;
        const std::int64_t remaining = targetMs - WallMsLocked();
        if (remaining <= 0)
            return WallWait::Due;
        if (horizonMs_ && targetMs >= *horizonMs_) {
            ParkLocked(cancel, lock);
            continue;
        }
        const std::function<void(int)> hook = hook_;
        lock.unlock();
        if (hook)
            hook(static_cast<int>(std::min<std::int64_t>(remaining, INT_MAX)));
        lock.lock();
        if (cancel.IsCancelled())
            return WallWait::Cancelled;
        if (settings_ != settingsAtStart)
            return WallWait::ClockSet;
        const std::int64_t left = targetMs - WallMsLocked();
        if (left > 0) {
            pauses_.push_back(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
            nowMs_ += left;
        }
        return WallWait::Due;
    }
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

void VirtualClock::SetLocalTime(const LocalTime& now) {
    std::lock_guard lock(mutex_);
    wallOffsetMs_ = ZonelessMs(now) - startWallMs_ - nowMs_;
    ++settings_;
    WakeWaitersLocked();
}

void VirtualClock::StepWallMs(std::int64_t ms) {
    std::lock_guard lock(mutex_);
    wallOffsetMs_ += ms;
    ++settings_;
    WakeWaitersLocked();
}

void VirtualClock::SetHorizon(const LocalTime& horizon) {
    std::lock_guard lock(mutex_);
    horizonMs_ = ZonelessMs(horizon);
    WakeWaitersLocked();
}

void VirtualClock::WaitUntilParked() {
    std::unique_lock lock(mutex_);
    parkedChanged_.wait(lock, [this] { return ParkedLocked(); });
}

void VirtualClock::Advance(int ms) {
    std::lock_guard lock(mutex_);
    pauses_.push_back(ms);
    if (ms > 0)
        nowMs_ += ms;
}

std::int64_t VirtualClock::WallMsLocked() const {
    return startWallMs_ + nowMs_ + wallOffsetMs_;
}

// Blocks (really) until the wait is cancelled or woken by the wall clock or the horizon.
void VirtualClock::ParkLocked(Cancellation& cancel, std::unique_lock<std::mutex>& lock) {
    const std::uint64_t wakes = cancel.Wakes();
    parked_[&cancel] = wakes;
    parkedChanged_.notify_all();
    lock.unlock();
    {
        std::unique_lock waiting(cancel.mutex_);
        cancel.changed_.wait(waiting, [&] { return cancel.cancelled_ || cancel.wakes_ != wakes; });
    }
    lock.lock();
    parked_.erase(&cancel);
    parkedChanged_.notify_all();
}

void VirtualClock::WakeWaitersLocked() {
    for (const auto& [waiter, wakes] : parked_)
        waiter->Wake();
}

// A waiter woken or cancelled is on its way out and no longer counts.
bool VirtualClock::ParkedLocked() const {
    return std::any_of(parked_.begin(), parked_.end(), [](const auto& parked) {
        return !parked.first->IsCancelled() && parked.first->Wakes() == parked.second;
    });
}

}  // namespace hsq
