#include "link/clock.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "pty_pair.h"

namespace hsq {
namespace {

std::atomic<bool> signalled{false};

void NoteSignal(int) {
    signalled = true;
}

// The connect wait: a signal that lands inside it (no SA_RESTART, so poll stops early) must not
// end it as a time-out.
TEST(SystemClockTest, SignalInsideADescriptorWaitWaitsOn) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    struct sigaction note = {};
    note.sa_handler = NoteSignal;
    sigemptyset(&note.sa_mask);
    struct sigaction previous = {};
    ASSERT_EQ(sigaction(SIGUSR1, &note, &previous), 0);
    signalled = false;

    const pthread_t waiter = pthread_self();
    const pid_t waiterId = gettid();
    std::thread peer([&] {
        // Only the wait itself puts the waiter to sleep here.
        testing::Eventually([&] { return testing::ThreadIsSleeping(waiterId); });
        pthread_kill(waiter, SIGUSR1);
        testing::Eventually([&] { return signalled.load(); });
        const char byte = 'x';
        EXPECT_EQ(write(pipeEnds[1], &byte, 1), 1);
    });
    const short seen = SystemClock().WaitDescriptor(pipeEnds[0], POLLIN, 10000);
    peer.join();
    sigaction(SIGUSR1, &previous, nullptr);
    close(pipeEnds[0]);
    close(pipeEnds[1]);

    EXPECT_TRUE(signalled);
    EXPECT_EQ(seen & POLLIN, POLLIN);
}

constexpr std::int64_t kHourMs = 3600 * 1000;

auto Reading(const LocalTime& t) {
    return std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
}

LocalTime Plus(const LocalTime& t, int ms) {
    LocalTime later = t;
    later.millisecond += ms;
    later.second += later.millisecond / 1000;
    later.millisecond %= 1000;
    // Good enough away from the end of a minute.
    return later;
}

// On real time: the wait ends at its moment, a stop ends it at once, and a step of a shifted
// clock's wall time ends it as the system's clock being set does.
TEST(SystemClockTest, AWallClockWaitEndsAtItsMomentOrWhenCancelledOrWhenTheClockIsSet) {
    SystemClock clock;
    Cancellation never;
    const LocalTime soon = Plus(clock.LocalNow(), 300);
    if (soon.second >= 59)
        GTEST_SKIP() << "too close to the end of a minute";
    EXPECT_EQ(clock.WaitUntilLocal(never, soon), WallWait::Due);
    EXPECT_GE(Reading(clock.LocalNow()), Reading(soon));

    const pid_t waiterId = gettid();
    Cancellation stop;
    LocalTime later = clock.LocalNow();
    later.hour += 1;
    std::thread stopper([&] {
        testing::Eventually([&] { return testing::ThreadIsSleeping(waiterId); });
        stop.Cancel();
    });
    EXPECT_EQ(clock.WaitUntilLocal(stop, later), WallWait::Cancelled);
    stopper.join();

    ShiftedSystemClock shifted;
    Cancellation set;
    std::thread stepper([&] {
        testing::Eventually([&] { return testing::ThreadIsSleeping(waiterId); });
        shifted.StepWallMs(2 * kHourMs);
    });
    EXPECT_EQ(shifted.WaitUntilLocal(set, later), WallWait::ClockSet);
    stepper.join();
    EXPECT_EQ(shifted.WaitUntilLocal(set, later), WallWait::Due);
}

}  // namespace
}  // namespace hsq
