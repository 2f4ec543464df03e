#pragma once

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <random>
#include <string>

namespace hsq::testing {

// How far the child got, shared with the parent across fork().
struct ChildProgress {
    std::atomic<int> attempting{0};  // the round under way
    std::atomic<int> done{0};        // the last round that finished
};

// Runs work in a forked child and cuts it off with SIGKILL at a random moment, as a power cut
// would: once the child has begun a round, after a random time within the length given. The
// seed comes from the environment variable named (random when unset) and is printed, so that a
// failure can be run again.
class PowerCut {
  public:
    explicit PowerCut(const char* seedVariable) : seed_(SeedFrom(seedVariable)), random_(seed_) {
        void* shared = mmap(nullptr, sizeof(ChildProgress), PROT_READ | PROT_WRITE,
                            MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (shared == MAP_FAILED)
            throw std::bad_alloc();
        progress_ = new (shared) ChildProgress;
        std::printf("%s=%u\n", seedVariable, seed_);
    }
    ~PowerCut() { munmap(progress_, sizeof(ChildProgress)); }
    PowerCut(const PowerCut&) = delete;
    PowerCut& operator=(const PowerCut&) = delete;

    // The count of cuts from the environment variable named, else the default.
    static int Count(const char* variable, int byDefault) {
        const char* text = std::getenv(variable);
        return text != nullptr ? std::atoi(text) : byDefault;
    }

    ChildProgress& Progress() { return *progress_; }
    std::mt19937& Random() { return random_; }

    // False when the child was not killed by the cut: it ended on its own, or never began a
    // round. work runs in the child and must never return.
    bool CutDuring(const std::function<void(ChildProgress&)>& work,
                   std::chrono::microseconds within) {
        const int before = progress_->done;
        progress_->attempting = before;
        const pid_t child = fork();
        if (child < 0)
            return false;
        if (child == 0) {
            work(*progress_);
            _exit(3);
        }
        const bool began = WaitForRoundBeyond(before);
        const auto cutAt = std::chrono::steady_clock::now() +
                           std::chrono::microseconds(random_() % (within.count() + 1));
        while (began && std::chrono::steady_clock::now() < cutAt)
            sched_yield();
        ::kill(child, SIGKILL);
        int status = 0;
        return waitpid(child, &status, 0) == child && began && WIFSIGNALED(status) &&
               WTERMSIG(status) == SIGKILL;
    }

  private:
    static unsigned SeedFrom(const char* variable) {
        const char* text = std::getenv(variable);
        return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                               : std::random_device{}();
    }
    bool WaitForRoundBeyond(int round) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (progress_->attempting <= round) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            sched_yield();
        }
        return true;
    }

    unsigned seed_;
    std::mt19937 random_;
    ChildProgress* progress_;
};

}  // namespace hsq::testing
