// A writer killed at any moment leaves the file whole, holding the key's old or new value.
#include <gtest/gtest.h>

#include <string>

#include "config/ini_file.h"
#include "support/power_cut.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

constexpr int kKills = 240;
constexpr int kOtherKeys = 40;
// A few writes of the file long.
constexpr std::chrono::microseconds kWithin{3000};

std::string OtherKey(int i) { return "OutCH" + std::to_string(i) + "_OutputMap_Size"; }

void SeedFile(const std::filesystem::path& file) {
    std::vector<IniEdit> edits{{"BOARD", "Counter", "0"}};
    for (int i = 0; i < kOtherKeys; ++i) edits.push_back({"Mode0", OtherKey(i), "1920,1080,0,0"});
    ASSERT_TRUE(WriteIniValues(file, edits).written);
}

[[noreturn]] void WriteForever(const std::filesystem::path& file, testing::ChildProgress& progress) {
    for (int value = progress.done + 1;; ++value) {
        progress.attempting = value;
        const IniEdit edit{"BOARD", "Counter", std::to_string(value)};
        if (!WriteIniValues(file, std::span(&edit, 1)).written) _exit(2);
        progress.done = value;
    }
}

TEST(IniFileCrashSafety, EveryKillLeavesTheOldOrTheNewValueAndEveryOtherKey) {
    testing::TempFolder folder;
    const auto file = folder / "Output1.ini";
    SeedFile(file);
    testing::PowerCut cut("HSQ_CUT_SEED");
    testing::ChildProgress& progress = cut.Progress();
    int killedMidWrite = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(cut.CutDuring([&](auto& child) { WriteForever(file, child); }, kWithin))
            << "the writer failed a write on round " << kill;

        const auto counter = ReadIniValue(file, "BOARD", "Counter");
        ASSERT_TRUE(counter) << "round " << kill;
        const int done = progress.done, attempting = progress.attempting;
        ASSERT_TRUE(*counter == std::to_string(done) || *counter == std::to_string(attempting))
            << "round " << kill << ": " << *counter << " is neither " << done << " nor "
            << attempting;
        killedMidWrite += attempting != done;
        for (int i = 0; i < kOtherKeys; ++i) {
            ASSERT_EQ(ReadIniValue(file, "Mode0", OtherKey(i)), "1920,1080,0,0") << "round " << kill;
        }
        progress.done = std::stoi(*counter);
    }
    // Most kills land inside a write; if none did, the test proved nothing.
    EXPECT_GT(killedMidWrite, kKills / 4);
}

}  // namespace
}  // namespace hsq
