#include "link/clock.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <thread>

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

}  // namespace
}  // namespace hsq
