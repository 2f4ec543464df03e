// The traffic monitor's list: the catalogue's names, the filter, pause and clear, the saved file.
#include <gtest/gtest.h>

#include "app/traffic_monitor_logic.h"
#include "config/atomic_file.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

// A status query answered, a mute that got part of a reply, stale bytes, an unknown query.
void RecordSample(TrafficRing& ring) {
    using enum TrafficDirection;
    using enum TrafficOutcome;
    const Frame status = BuildFrame(kDeviceAddress, 0xFE, {});
    const Frame mute = BuildFrame(kDeviceAddress, 0xB4, std::vector<std::uint8_t>{1});
    ring.Record({.timeMs = 0, .bytes = status, .command = 0xFE});
    ring.Record({.timeMs = 200, .waitedMs = 200, .bytes = status, .command = 0xFE,
                 .direction = Received, .outcome = Complete});
    ring.Record({.timeMs = 200, .bytes = mute, .command = 0xB4, .selector = 1});
    ring.Record({.timeMs = 10400, .waitedMs = 10200, .bytes = {0x86, 0x01, 0xB4}, .byteCount = 3,
                 .command = 0xB4, .selector = 1, .direction = Received, .outcome = Incomplete});
    ring.Record({.timeMs = 10700, .bytes = {0x86, 0x01}, .byteCount = 2, .direction = Received,
                 .outcome = Discarded});
    ring.Record({.timeMs = 10700, .bytes = status, .command = 0xFE, .selector = 5,
                 .outcome = NotWritten});
}

class TrafficMonitorTest : public ::testing::Test {
  protected:
    TrafficRing ring;
    testing::ScriptedHost host;
    LanguageFlag language = kEnglish;
    TrafficMonitorLogic monitor{ring, host, language};
    testing::TempFolder folder;
};

TEST_F(TrafficMonitorTest, ListsNamesOutcomesAndWaitsAndSavesWhatItShows) {
    RecordSample(ring);
    ASSERT_TRUE(monitor.OnRefresh());
    EXPECT_EQ(monitor.Text(),
              "Time (ms)  Dir   Bytes                                   Outcome         Waited  Command\n"
              "        0  ->    86 01 fe 00 00 00 00 00 00 00 00 00 79                          Query: status\n"
              "      200  <-    86 01 fe 00 00 00 00 00 00 00 00 00 79  complete        200 ms  Query: status\n"
              "      200  ->    86 01 b4 01 00 00 00 00 00 00 00 00 32                          SetMute\n"
              "    10400  <-    86 01 b4                                incomplete    10200 ms  SetMute\n"
              "    10700  <-    86 01                                   dropped                 (stale or late bytes)\n"
              "    10700  ->    86 01 fe 00 00 00 00 00 00 00 00 00 79  not sent                Query: selector 5\n");
    EXPECT_FALSE(monitor.OnRefresh()) << "nothing new";

    // Only the command chosen, without the stale bytes; the file holds what the list shows.
    const auto choices = monitor.FilterChoices();
    const auto mute = std::find(choices.begin(), choices.end(), "B4 SetMute");
    ASSERT_NE(mute, choices.end());
    monitor.OnFilter(static_cast<int>(mute - choices.begin()));
    ASSERT_EQ(monitor.Rows().size(), 2u);
    const auto file = folder.path() / "traffic.txt";
    host.AnswerFile(file.string());
    monitor.OnSave();
    EXPECT_EQ(ReadFileBytes(file), monitor.Text());
    EXPECT_EQ(monitor.Text().find("Query"), std::string::npos);

    // A folder that is not there: told, and nothing written.
    host.AnswerFile((folder.path() / "none" / "traffic.txt").string());
    monitor.OnSave();
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"The file could not be written; it is unchanged"});

    language = kChinese;
    EXPECT_TRUE(monitor.OnRefresh()) << "the language changed";
    monitor.OnFilter(0);
    EXPECT_EQ(monitor.Rows()[3].outcome, "不完整");
    EXPECT_EQ(monitor.Rows()[3].waited, "10200 毫秒");
    EXPECT_EQ(monitor.Rows()[3].command, "静音");
    EXPECT_EQ(monitor.Rows()[0].command, "查询：状态");
    EXPECT_EQ(monitor.Text().substr(0, monitor.Text().find('\n')),
              "时间(毫秒)  方向  字节                                    结果              等待  命令");
}

TEST_F(TrafficMonitorTest, PauseHoldsTheListAndClearEmptiesItButNotTheRecord) {
    RecordSample(ring);
    monitor.OnRefresh();
    monitor.OnPause();
    RecordSample(ring);
    EXPECT_FALSE(monitor.OnRefresh());
    EXPECT_EQ(monitor.Rows().size(), 6u);
    monitor.OnPause();
    EXPECT_TRUE(monitor.OnRefresh());
    EXPECT_EQ(monitor.Rows().size(), 12u);

    monitor.OnClear();
    EXPECT_TRUE(monitor.Rows().empty());
    EXPECT_EQ(ring.All().size(), 12u);
    RecordSample(ring);
    monitor.OnRefresh();
    EXPECT_EQ(monitor.Rows().size(), 6u);
}

// The list never holds more than the record does, however long it runs.
TEST_F(TrafficMonitorTest, KeepsNoMoreRowsThanTheRecordHolds) {
    TrafficRing small(4);
    TrafficMonitorLogic bounded(small, host, language);
    for (int i = 0; i < 3; ++i) {
        RecordSample(small);
        bounded.OnRefresh();
    }
    ASSERT_EQ(bounded.Rows().size(), 4u);
    EXPECT_EQ(bounded.Rows().front().time, "200");
    EXPECT_EQ(bounded.Rows().back().command, "Query: selector 5");
}

}  // namespace
}  // namespace hsq
