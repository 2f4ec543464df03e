// A writer killed at any moment leaves the file whole, holding the key's old or new value.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>

#include "config/ini_file.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

// What the writer has got to, shared with the parent across fork().
struct WriterProgress {
    std::atomic<int> attempting{0};  // the value being written now
    std::atomic<int> done{0};        // the last value whose write returned
};

constexpr int kKills = 240;
constexpr int kOtherKeys = 40;

std::string OtherKey(int i) { return "OutCH" + std::to_string(i) + "_OutputMap_Size"; }

void SeedFile(const std::filesystem::path& file) {
    std::vector<IniEdit> edits{{"BOARD", "Counter", "0"}};
    for (int i = 0; i < kOtherKeys; ++i) edits.push_back({"Mode0", OtherKey(i), "1920,1080,0,0"});
    ASSERT_TRUE(WriteIniValues(file, edits).written);
}

[[noreturn]] void WriteForever(const std::filesystem::path& file, WriterProgress& progress) {
    for (int value = progress.done + 1;; ++value) {
        progress.attempting = value;
        const IniEdit edit{"BOARD", "Counter", std::to_string(value)};
        if (!WriteIniValues(file, std::span(&edit, 1)).written) _exit(2);
        progress.done = value;
    }
}

bool WaitForWrites(const WriterProgress& progress, int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (progress.done < count) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        sched_yield();
    }
    return true;
}

TEST(IniFileCrashSafety, EveryKillLeavesTheOldOrTheNewValueAndEveryOtherKey) {
    testing::TempFolder folder;
    const auto file = folder / "Output1.ini";
    SeedFile(file);
    void* shared = mmap(nullptr, sizeof(WriterProgress), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* progress = new (shared) WriterProgress;
    std::mt19937 random(2600);
    int killedMidWrite = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        const int before = progress->done;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(file, *progress);
        ASSERT_TRUE(WaitForWrites(*progress, before + 1 + static_cast<int>(random() % 3)));
        for (unsigned spin = random() % 4000; spin > 0; --spin) sched_yield();
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed a write on round " << kill;

        const auto counter = ReadIniValue(file, "BOARD", "Counter");
        ASSERT_TRUE(counter) << "round " << kill;
        const int done = progress->done, attempting = progress->attempting;
        ASSERT_TRUE(*counter == std::to_string(done) || *counter == std::to_string(attempting))
            << "round " << kill << ": " << *counter << " is neither " << done << " nor "
            << attempting;
        killedMidWrite += attempting != done;
        for (int i = 0; i < kOtherKeys; ++i) {
            ASSERT_EQ(ReadIniValue(file, "Mode0", OtherKey(i)), "1920,1080,0,0") << "round " << kill;
        }
        progress->done = std::stoi(*counter);
    }
    munmap(shared, sizeof(WriterProgress));
    // Most kills land inside a write; if none did, the test proved nothing.
    EXPECT_GT(killedMidWrite, kKills / 4);
}

}  // namespace
}  // namespace hsq
