// The output profiles: device report recording, initialisation, load and save.
#include "config/output_board_profile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "config/overlay_order_table.h"
#include "config/profile_values.h"
#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;
using testing::Numbers;
using testing::Reply;

constexpr OutputResolution kFullHd{6, 1920, 1080};

std::string OutputValue(const ProfileTestFolder& folder, std::uint8_t card,
                        std::string_view section, std::string_view key) {
    return folder.Value(ConfigFileKind::Output, section, key, card);
}

std::string ModeSection(int mode) {
    return "Mode" + std::to_string(mode);
}

TEST(OutputReportRecorder, ModeReportFillsBoardAndTheReportedModeSection) {
    ProfileTestFolder folder;
    // Card L; configuration mode 3, display mode 5; order index 1 with fade 3; ports 1,2,3,0;
    // channels 1 and 3 on; overlay matrix, image-all, image channel 2.
    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(11, {1, 0x53, 0x0B, 0x21, 3, 5, 0x0B})));
    EXPECT_EQ(folder.File("Output2.ini"),
              "[BOARD]\r\nConfig_Mode=3\r\nDisplay_Mode=5\r\nOverlay_matrix=1\r\nImg_all=1\r\n"
              "Img_Ch=2\r\n[Mode5]\r\nOverlay_Mode=1\r\naOverlay=2,1,3,4\r\nSwitch_Mode=3\r\n"
              "OutCH_Map_InPort=1,2,3,0\r\nOutCH_YN=1,0,1,0\r\n");
    EXPECT_EQ(folder.Files(), std::set<std::string>{"Output2.ini"});
    EXPECT_EQ(folder.store().FileReplacements(), 1u);
}

TEST(OutputReportRecorder, OrderIndexPastTheTableStoresAnEmptyOrder) {
    for (int index = 24; index <= 31; ++index) {
        ProfileTestFolder folder;
        const auto b6 = static_cast<std::uint8_t>(index << 3 | 2);
        RecordOutputReport(folder.store(), Reply(11, {0x00, 0x00, b6}));
        const std::string mode0 = "[Mode0]\r\nOverlay_Mode=" + std::to_string(index) +
                                  "\r\naOverlay=\r\nSwitch_Mode=2\r\n";
        EXPECT_NE(folder.File("Output1.ini").find(mode0), std::string::npos) << index;
    }
    EXPECT_EQ(OverlayOrderTable(23), "3,2,4,1");
}

// Each report goes to one key of one file, that of the card in its board bits.
TEST(OutputReportRecorder, EachReportWritesItsKeyInItsCardsFile) {
    struct Case {
        Frame report;
        const char* file;
        const char* section;
        const char* key;
        const char* value;
    };
    // Card bits 01 over x 0x0705; channel bits 10 over width 0x0580; mode 9 over y 0x0210.
    const Frame cropWindow = Reply(9, {0x47, 0x05, 0x85, 0x80, 0x92, 0x10, 0x04, 0x38});
    // The dispatcher reads byte 3 as the selector, which the versions also use as a number.
    const Case cases[] = {
        {cropWindow, "Output2.ini", "Mode9", "OutCH3_Jiequ_InputMap_Size", "1408,1080,1797,528"},
        {cropWindow, "Output2.ini", "Mode9", "OutCH3_OutputMap_Size", ""},
        {Reply(10, {0x40, 0x00, 0xC1, 0x00, 0xF0, 0x20}), "Output2.ini", "Mode15",
         "OutCH4_OutputMap_Size", "256,0,0,32"},
        {Reply(12, {0x08, 7, 2}), "Output1.ini", "BOARD", "Out_PLL_Source", "7"},
        {Reply(12, {0x08, 7, 2}), "Output1.ini", "BOARD", "OutCH_Framesynch_Inport3", "2"},
        {Reply(13, {0x0D, 1, 2, 3, 4, 255}), "Output2.ini", "BOARD", "OutCH4_Form", "1,2,3,4,255"},
        {Reply(14, {0xF0, 200}), "Output1.ini", "BOARD", "OutCH_Brightness", "200"},
        {Reply(23, {4, 9, 10}), "2600Info.ini", "Version", "OUTK", "V 23.4"},
        {Reply(23, {4, 9, 10}), "2600Info.ini", "Version", "OUTL", "V 9.10"},
        {Reply(24, {0x23, 2, 0x45}), "2600Info.ini", "Version", "INA", "V 24.3.2"},
        {Reply(24, {0x23, 2, 0x45}), "2600Info.ini", "Version", "INB", "V 2.5.4"},
        {Reply(24, {0x23, 2, 0x45}), "2600Info.ini", "Version", "IND", "V 0.0.0"},
    };
    for (const Case& c : cases) {
        ProfileTestFolder folder;
        EXPECT_TRUE(RecordOutputReport(folder.store(), c.report)) << c.key;
        EXPECT_EQ(folder.Files(), std::set<std::string>{c.file}) << c.key;
        std::string value;
        ProfileStore(folder.path()).ReadValueAt(c.section, c.key, value, folder.path() / c.file);
        EXPECT_EQ(value, c.value) << c.key;
    }
}

// Cards 3 and 4 have no profile; other selectors are no reports.
TEST(OutputReportRecorder, ReportsForOtherBoardsOrSelectorsWriteNothing) {
    ProfileTestFolder folder;
    for (std::uint8_t selector : {9, 10, 11, 12, 13, 14}) {
        const std::uint8_t board3 = selector < 11 ? 0x80 : 0x02;
        const std::uint8_t board4 = selector < 11 ? 0xC0 : 0x03;
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {board3, 0x11, 0x08})));
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {board4, 0x11, 0x08})));
    }
    for (std::uint8_t selector : {0, 1, 8, 15, 22, 25, 255})
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {0x00, 0x11, 0x08})));
    EXPECT_TRUE(folder.IsEmpty());
}

// A fresh profile's keys, in the order they are written: the board keys, then every mode
// covering the whole output.
std::string FreshKeys(int configMode, const char* ports, const std::string& size) {
    std::string keys = "Config_Mode=" + std::to_string(configMode) +
                       "\r\nDisplay_Mode=0\r\nOutCH_Brightness=0\r\nOut_PLL_Source=0\r\n"
                       "OutCH_Framesynch_Delayphase=16,16,16,16\r\n";
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        keys += "OutCH" + std::to_string(channel) + "_Form=0,128,128,128,4\r\n";
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        keys += "[" + ModeSection(mode) + "]\r\nOverlay_Mode=0\r\nSwitch_Mode=0\r\n" +
                "aOverlay=4,3,2,1\r\nOutCH_Map_InPort=" + ports + "\r\nOutCH_YN=1,1,1,1\r\n";
        for (const char* suffix : {"_Jiequ_InputMap_Size=", "_OutputMap_Size="}) {
            for (int channel = 1; channel <= kOutputChannelCount; ++channel)
                keys += "OutCH" + std::to_string(channel) + suffix + size + ",0,0\r\n";
        }
    }
    return keys;
}

// Ports follow the configuration mode; keys already there keep their place and the mode names.
TEST(OutputProfileInitialise, WritesTheBoardKeysThenEveryModeAndKeepsTheRest) {
    ProfileTestFolder folder;
    folder.Write("Output1.ini", "[MODENAME]\r\nMode2=Wall\r\n[BOARD]\r\nImg_all=1\r\n");
    ASSERT_TRUE(InitialiseOutputProfile(folder.store(), 1, {}, {0, 1024, 768}));
    EXPECT_EQ(folder.store().FileReplacements(), 1u);
    EXPECT_EQ(folder.File("Output1.ini"), "[MODENAME]\r\nMode2=Wall\r\n[BOARD]\r\nImg_all=1\r\n" +
                                              FreshKeys(0, "0,0,0,0", "1024,768"));
    OutputBoardRecord quad;
    quad.configMode = 3;
    ASSERT_TRUE(InitialiseOutputProfile(folder.store(), 2, quad, kFullHd));
    EXPECT_EQ(folder.File("Output2.ini"), "[BOARD]\r\n" + FreshKeys(3, "0,1,2,3", "1920,1080"));
}

// Every field a profile holds, so two records compare in one check.
auto Fields(const OutputBoardRecord& r) {
    return std::tuple(Numbers(r.configMode, r.displayMode, r.overlayMode, r.clockSource,
                              r.switchMode, r.overlayMatrix, r.imageAll, r.imageChannel,
                              r.brightness, r.firmwareMajor, r.firmwareMinor),
                      r.layerOrder, r.inputPort, r.channelOn, r.cropRect, r.outputRect, r.form,
                      r.modeNames);
}

// Saving is one file replacement, of the card's own file; loading gives the record back.
TEST(OutputProfileLoad, SaveThenLoadGivesTheRecordBackInTheCardsOwnFile) {
    ProfileTestFolder folder;
    OutputBoardRecord saved{.configMode = 4, .displayMode = 7, .overlayMode = 19,
                            .clockSource = 2, .switchMode = 5, .overlayMatrix = true,
                            .imageChannel = 3, .layerOrder = {3, 4, 2, 1},
                            .inputPort = {0, 3, 1, 2}, .channelOn = {1, 1, 0, 1},
                            .brightness = 31, .firmwareMajor = 2, .firmwareMinor = 6,
                            .cropRect = {}, .outputRect = {}, .form = {}, .modeNames = {},
                            .loaded = false};
    saved.cropRect[2] = {100, 960, 50, 540};
    saved.outputRect[3] = {960, 960, 540, 540};
    saved.form[0] = {1, 100, 120, 140, 3};
    saved.modeNames[0] = "会议室";
    saved.modeNames[15] = "Wall, left";
    // A record never loaded is never saved, a record loaded from a missing file neither.
    EXPECT_FALSE(SaveOutputProfile(folder.store(), 2, saved));
    OutputBoardRecord fromNothing;
    ASSERT_TRUE(LoadOutputProfile(folder.store(), 2, fromNothing));
    EXPECT_FALSE(SaveOutputProfile(folder.store(), 2, fromNothing));
    EXPECT_FALSE(folder.Exists("Output2.ini"));
    saved.loaded = true;
    const std::uint64_t before = folder.store().FileReplacements();
    ASSERT_TRUE(SaveOutputProfile(folder.store(), 2, saved));
    EXPECT_EQ(folder.store().FileReplacements() - before, 1u);
    EXPECT_FALSE(folder.Exists("Output1.ini"));
    EXPECT_EQ(OutputValue(folder, 2, "Mode7", "OutCH3_Jiequ_InputMap_Size"), "960,540,100,50");
    EXPECT_EQ(OutputValue(folder, 2, "Mode0", "aOverlay"), "");

    OutputBoardRecord loaded;
    ASSERT_TRUE(LoadOutputProfile(folder.store(), 2, loaded));
    EXPECT_EQ(Fields(loaded), Fields(saved));
}

TEST(OutputProfileLoad, CardsOtherThanKAndLAreRefused) {
    ProfileTestFolder folder;
    folder.Write("Output3.ini", "[BOARD]\r\nDisplay_Mode=4\r\n");
    OutputBoardRecord record;
    record.displayMode = 9;
    for (std::uint8_t card : {0, 3, 255}) {
        EXPECT_FALSE(LoadOutputProfile(folder.store(), card, record));
        EXPECT_FALSE(SaveOutputProfile(folder.store(), card, record));
        EXPECT_FALSE(InitialiseOutputProfile(folder.store(), card, record, kFullHd));
    }
    EXPECT_EQ(record.displayMode, 9);
    EXPECT_EQ(folder.File("Output3.ini"), "[BOARD]\r\nDisplay_Mode=4\r\n");
    EXPECT_FALSE(folder.Exists("Output0.ini"));
}

}  // namespace
}  // namespace hsq
