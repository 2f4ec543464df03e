// The output profiles: device report recording, initialisation, load and save.
#include "config/output_board_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "config/overlay_order_table.h"
#include "config/profile_values.h"
#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;
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
    const Frame report = Reply(11, {0x01, 0x53, 0x0B, 0x21, 0x03, 0x05, 0x0B});
    EXPECT_TRUE(RecordOutputReport(folder.store(), report));

    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Config_Mode"), "3");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Display_Mode"), "5");
    EXPECT_EQ(OutputValue(folder, 2, "Mode5", "Switch_Mode"), "3");
    EXPECT_EQ(OutputValue(folder, 2, "Mode5", "aOverlay"), "2,1,3,4");
    EXPECT_EQ(OutputValue(folder, 2, "Mode5", "Overlay_Mode"), "1");
    EXPECT_EQ(OutputValue(folder, 2, "Mode5", "OutCH_Map_InPort"), "1,2,3,0");
    EXPECT_EQ(OutputValue(folder, 2, "Mode5", "OutCH_YN"), "1,0,1,0");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Overlay_matrix"), "1");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Img_all"), "1");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Img_Ch"), "2");
    EXPECT_FALSE(folder.Exists("Output1.ini"));

    // What the output dialog then loads agrees with the report.
    OutputBoardRecord record;
    ASSERT_TRUE(LoadOutputProfile(folder.store(), 2, record));
    EXPECT_EQ(record.displayMode, 5);
    EXPECT_EQ(record.overlayMode, 1);
    EXPECT_EQ(record.switchMode, 3);
    EXPECT_EQ(record.layerOrder, (std::array<std::uint8_t, 4>{2, 1, 3, 4}));
    EXPECT_EQ(record.inputPort, (std::array<std::uint8_t, 4>{1, 2, 3, 0}));
    EXPECT_EQ(record.channelOn, (std::array<std::uint8_t, 4>{1, 0, 1, 0}));
    EXPECT_TRUE(record.overlayMatrix);
    EXPECT_TRUE(record.imageAll);
    EXPECT_EQ(record.imageChannel, 2);
}

TEST(OutputReportRecorder, OrderIndexPastTheTableStoresAnEmptyOrder) {
    for (int index = 24; index <= 31; ++index) {
        ProfileTestFolder folder;
        const auto b6 = static_cast<std::uint8_t>(index << 3 | 2);
        RecordOutputReport(folder.store(), Reply(11, {0x00, 0x00, b6}));
        EXPECT_NE(
            folder.File("Output1.ini")
                .find("[Mode0]\r\nOverlay_Mode=" + std::to_string(index) + "\r\naOverlay=\r\n"),
            std::string::npos)
            << index;
        EXPECT_EQ(OutputValue(folder, 1, "Mode0", "Switch_Mode"), "2");
    }
    EXPECT_EQ(OverlayOrderTable(23), "3,2,4,1");
    EXPECT_EQ(OverlayOrderTable(24), "");
}

TEST(OutputReportRecorder, ChannelWindowsGoToTheirModeAndChannel) {
    ProfileTestFolder folder;
    // Board bits 01 (card L) over x 0x0705; channel bits 10 (OutCH3) over width 0x0580;
    // mode 9 over y 0x0210; height 0x0438.
    const std::initializer_list<std::uint8_t> window{0x47, 0x05, 0x85, 0x80,
                                                     0x92, 0x10, 0x04, 0x38};
    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(9, window)));
    EXPECT_EQ(OutputValue(folder, 2, "Mode9", "OutCH3_Jiequ_InputMap_Size"), "1408,1080,1797,528");
    EXPECT_EQ(OutputValue(folder, 2, "Mode9", "OutCH3_OutputMap_Size"), "");

    EXPECT_TRUE(
        RecordOutputReport(folder.store(), Reply(10, {0x40, 0x00, 0xC1, 0x00, 0xF0, 0x20})));
    EXPECT_EQ(OutputValue(folder, 2, "Mode15", "OutCH4_OutputMap_Size"), "256,0,0,32");

    // Cards 3 and 4 have no profile.
    EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(9, {0x80})));
    EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(10, {0xC0})));
    EXPECT_FALSE(folder.Exists("Output1.ini"));
    EXPECT_FALSE(folder.Exists("Output3.ini"));
    EXPECT_FALSE(folder.Exists("Output4.ini"));
}

TEST(OutputReportRecorder, ClockBorderAndBrightnessReportsWriteBoardKeys) {
    ProfileTestFolder folder;
    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(12, {0x08, 7, 2})));
    EXPECT_EQ(OutputValue(folder, 1, "BOARD", "Out_PLL_Source"), "7");
    EXPECT_EQ(OutputValue(folder, 1, "BOARD", "OutCH_Framesynch_Inport3"), "2");

    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(13, {0x0D, 1, 2, 3, 4, 255})));
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "OutCH4_Form"), "1,2,3,4,255");

    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(14, {0xF0, 200})));
    EXPECT_EQ(OutputValue(folder, 1, "BOARD", "OutCH_Brightness"), "200");
}

TEST(OutputReportRecorder, ReportsForOtherBoardsOrSelectorsWriteNothing) {
    ProfileTestFolder folder;
    for (std::uint8_t selector : {11, 12, 13, 14}) {
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {0x02, 0x11, 0x08})));
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {0x03, 0x11, 0x08})));
    }
    for (std::uint8_t selector : {0, 1, 8, 15, 22, 25, 255})
        EXPECT_FALSE(RecordOutputReport(folder.store(), Reply(selector, {0x00, 0x11, 0x08})));
    EXPECT_TRUE(folder.IsEmpty());
}

TEST(OutputReportRecorder, VersionReportsGoToTheSystemInformationFile) {
    ProfileTestFolder folder;
    // The dispatcher reads byte 3 as the selector, which the versions also use as a number.
    Frame outputs = Reply(23, {4, 9, 10});
    EXPECT_TRUE(RecordOutputReport(folder.store(), outputs));
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Version", "OUTK"), "V 23.4");
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Version", "OUTL"), "V 9.10");
    EXPECT_TRUE(RecordOutputReport(folder.store(), Reply(24, {0x23, 2, 0x45})));
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Version", "INA"), "V 24.3.2");
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Version", "INB"), "V 2.5.4");
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Version", "IND"), "V 0.0.0");
    EXPECT_FALSE(folder.Exists("Output1.ini"));
}

TEST(OutputProfileInitialise, EveryModeCoversTheWholeOutputAndPortsFollowTheConfigurationMode) {
    ProfileTestFolder folder;
    OutputBoardRecord single;  // configuration mode 0
    OutputBoardRecord quad;
    quad.configMode = 3;
    ASSERT_TRUE(InitialiseOutputProfile(folder.store(), 1, single, kFullHd));
    ASSERT_TRUE(InitialiseOutputProfile(folder.store(), 2, quad, kFullHd));

    EXPECT_EQ(OutputValue(folder, 1, "BOARD", "Config_Mode"), "0");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "Config_Mode"), "3");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "OutCH_Framesynch_Delayphase"), "16,16,16,16");
    EXPECT_EQ(OutputValue(folder, 2, "BOARD", "OutCH3_Form"), "0,128,128,128,4");
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        const std::string section = ModeSection(mode);
        EXPECT_EQ(OutputValue(folder, 1, section, "OutCH_Map_InPort"), "0,0,0,0") << mode;
        EXPECT_EQ(OutputValue(folder, 2, section, "OutCH_Map_InPort"), "0,1,2,3") << mode;
        EXPECT_EQ(OutputValue(folder, 2, section, "aOverlay"), "4,3,2,1") << mode;
        EXPECT_EQ(OutputValue(folder, 2, section, "OutCH_YN"), "1,1,1,1") << mode;
        for (int channel = 1; channel <= kOutputChannelCount; ++channel) {
            const std::string prefix = "OutCH" + std::to_string(channel);
            for (std::uint8_t card : {1, 2}) {
                EXPECT_EQ(OutputValue(folder, card, section, prefix + "_Jiequ_InputMap_Size"),
                          "1920,1080,0,0");
                EXPECT_EQ(OutputValue(folder, card, section, prefix + "_OutputMap_Size"),
                          "1920,1080,0,0");
            }
        }
    }
    EXPECT_EQ(OutputValue(folder, 1, "Mode16", "aOverlay"), "");
}

TEST(OutputProfileInitialise, WritesTheBoardKeysThenTheModesInOrderAndKeepsTheRest) {
    ProfileTestFolder folder;
    folder.Write("Output1.ini", "[MODENAME]\r\nMode2=Wall\r\n[BOARD]\r\nImg_all=1\r\n");
    ASSERT_TRUE(InitialiseOutputProfile(folder.store(), 1, {}, {0, 1024, 768}));
    const std::string file = folder.File("Output1.ini");
    const std::string expectedStart =
        "[MODENAME]\r\nMode2=Wall\r\n[BOARD]\r\nImg_all=1\r\nConfig_Mode=0\r\n"
        "Display_Mode=0\r\nOutCH_Brightness=0\r\nOut_PLL_Source=0\r\n"
        "OutCH_Framesynch_Delayphase=16,16,16,16\r\nOutCH1_Form=0,128,128,128,4\r\n"
        "OutCH2_Form=0,128,128,128,4\r\n";
    EXPECT_EQ(file.substr(0, expectedStart.size()), expectedStart);
    const std::size_t mode0 = file.find("[Mode0]\r\n");
    const std::size_t mode15 = file.find("[Mode15]\r\n");
    ASSERT_NE(mode0, std::string::npos);
    ASSERT_NE(mode15, std::string::npos);
    EXPECT_GT(mode0, file.find("OutCH4_Form"));
    EXPECT_EQ(
        file.substr(mode15),
        "[Mode15]\r\nOverlay_Mode=0\r\nSwitch_Mode=0\r\naOverlay=4,3,2,1\r\n"
        "OutCH_Map_InPort=0,0,0,0\r\nOutCH_YN=1,1,1,1\r\n"
        "OutCH1_Jiequ_InputMap_Size=1024,768,0,0\r\nOutCH2_Jiequ_InputMap_Size=1024,768,0,0\r\n"
        "OutCH3_Jiequ_InputMap_Size=1024,768,0,0\r\nOutCH4_Jiequ_InputMap_Size=1024,768,0,0\r\n"
        "OutCH1_OutputMap_Size=1024,768,0,0\r\nOutCH2_OutputMap_Size=1024,768,0,0\r\n"
        "OutCH3_OutputMap_Size=1024,768,0,0\r\nOutCH4_OutputMap_Size=1024,768,0,0\r\n");
}

TEST(OutputProfileLoad, PerModeFieldsComeFromTheDisplayModeInForce) {
    ProfileTestFolder folder;
    folder.Write("Output1.ini",
                 "[BOARD]\r\nDisplay_Mode=5\r\nConfig_Mode=2\r\nOutCH2_Form=9,8\r\n"
                 "Out_Software_Version_Main=3\r\nOut_Software_Version_Child=14\r\n"
                 "[Mode0]\r\nOverlay_Mode=7\r\naOverlay=1,2,3,4\r\n"
                 "OutCH1_OutputMap_Size=1,2,3,4\r\n"
                 "[Mode5]\r\nOverlay_Mode=12\r\nSwitch_Mode=4\r\naOverlay=1,4,3,2\r\n"
                 "OutCH_Map_InPort=3,2\r\nOutCH_YN=0,1,1,0,1\r\n"
                 "OutCH2_Jiequ_InputMap_Size=640,480,16,32\r\n"
                 "OutCH1_OutputMap_Size=1920,1080,0,0\r\n");
    OutputBoardRecord record;
    ASSERT_TRUE(LoadOutputProfile(folder.store(), 1, record));
    EXPECT_EQ(record.displayMode, 5);
    EXPECT_EQ(record.configMode, 2);
    EXPECT_EQ(record.overlayMode, 12);
    EXPECT_EQ(record.switchMode, 4);
    EXPECT_EQ(record.layerOrder, (std::array<std::uint8_t, 4>{1, 4, 3, 2}));
    EXPECT_EQ(record.inputPort, (std::array<std::uint8_t, 4>{3, 2, 0, 0}));
    EXPECT_EQ(record.channelOn, (std::array<std::uint8_t, 4>{0, 1, 1, 0}));
    EXPECT_EQ(record.cropRect[1], (WindowRect{16, 640, 32, 480}));
    EXPECT_EQ(record.outputRect[0], (WindowRect{0, 1920, 0, 1080}));
    EXPECT_EQ(record.outputRect[3], WindowRect{});
    EXPECT_EQ(record.form[1], (std::array<std::uint8_t, 5>{9, 8, 0, 0, 0}));
    EXPECT_EQ(record.firmwareMajor, 3);
    EXPECT_EQ(record.firmwareMinor, 14);
}

TEST(OutputProfileLoad, SaveThenLoadGivesTheRecordBackInTheCardsOwnFile) {
    ProfileTestFolder folder;
    OutputBoardRecord saved;
    saved.configMode = 4;
    saved.displayMode = 7;
    saved.overlayMode = 19;
    saved.clockSource = 2;
    saved.switchMode = 5;
    saved.overlayMatrix = true;
    saved.imageChannel = 3;
    saved.layerOrder = {3, 4, 2, 1};
    saved.inputPort = {0, 3, 1, 2};
    saved.channelOn = {1, 1, 0, 1};
    saved.brightness = 31;
    saved.firmwareMajor = 2;
    saved.firmwareMinor = 6;
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
    ASSERT_TRUE(SaveOutputProfile(folder.store(), 2, saved));
    EXPECT_TRUE(folder.Exists("Output2.ini"));
    EXPECT_FALSE(folder.Exists("Output1.ini"));
    EXPECT_EQ(OutputValue(folder, 2, "Mode7", "OutCH3_Jiequ_InputMap_Size"), "960,540,100,50");
    EXPECT_EQ(OutputValue(folder, 2, "Mode0", "aOverlay"), "");

    OutputBoardRecord loaded;
    ASSERT_TRUE(LoadOutputProfile(folder.store(), 2, loaded));
    EXPECT_EQ(loaded.modeNames[0], "会议室");
    EXPECT_EQ(loaded.modeNames[15], "Wall, left");
    EXPECT_EQ(loaded.modeNames, saved.modeNames);
    EXPECT_EQ(loaded.configMode, 4);
    EXPECT_EQ(loaded.displayMode, 7);
    EXPECT_EQ(loaded.overlayMode, 19);
    EXPECT_EQ(loaded.clockSource, 2);
    EXPECT_EQ(loaded.switchMode, 5);
    EXPECT_TRUE(loaded.overlayMatrix);
    EXPECT_FALSE(loaded.imageAll);
    EXPECT_EQ(loaded.imageChannel, 3);
    EXPECT_EQ(loaded.layerOrder, saved.layerOrder);
    EXPECT_EQ(loaded.inputPort, saved.inputPort);
    EXPECT_EQ(loaded.channelOn, saved.channelOn);
    EXPECT_EQ(loaded.brightness, 31);
    EXPECT_EQ(loaded.firmwareMajor, 2);
    EXPECT_EQ(loaded.firmwareMinor, 6);
    EXPECT_EQ(loaded.cropRect, saved.cropRect);
    EXPECT_EQ(loaded.outputRect, saved.outputRect);
    EXPECT_EQ(loaded.form, saved.form);
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

TEST(ProfileBatching, EachWholeOperationReplacesEachFileOnce) {
    ProfileTestFolder folder;
    ProfileStore& store = folder.store();
    std::uint64_t before = store.FileReplacements();
    InitialiseOutputProfile(store, 1, {}, kFullHd);
    EXPECT_EQ(store.FileReplacements() - before, 1u);

    before = store.FileReplacements();
    OutputBoardRecord loaded;
    loaded.loaded = true;
    SaveOutputProfile(store, 1, loaded);
    EXPECT_EQ(store.FileReplacements() - before, 1u);

    before = store.FileReplacements();
    RecordOutputReport(store, Reply(11, {0x01, 0x10, 0x08}));
    EXPECT_EQ(store.FileReplacements() - before, 1u);
}

}  // namespace
}  // namespace hsq
