// Addressing of the configuration files, read results, and batched writes.
#include "config/profile_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/temp_folder.h"

namespace hsq {
namespace {

using testing::TempFolder;

TEST(ProfileStoreAddressing, EachKindNamesItsFileAndOnlyOutputUsesTheCard) {
    TempFolder folder;
    ProfileStore store(folder.path());
    store.WriteValue(ConfigFileKind::Output, "BOARD", "Display_Mode", "2", 2);
    store.WriteValue(ConfigFileKind::SystemInfo, "System", "outformat", "6", 7);
    store.WriteValue(ConfigFileKind::Input, "InputCardInfo", "InCard1", "1,0,15", 9);
    store.WriteValue(ConfigFileKind::Timer, "TIMERIN", "Timer", "0", 1);
    EXPECT_EQ(folder.Read("Output2.ini"), "[BOARD]\r\nDisplay_Mode=2\r\n");
    EXPECT_EQ(folder.Read("2600Info.ini"), "[System]\r\noutformat=6\r\n");
    EXPECT_EQ(folder.Read("Input.ini"), "[InputCardInfo]\r\nInCard1=1,0,15\r\n");
    EXPECT_EQ(folder.Read("Timer.ini"), "[TIMERIN]\r\nTimer=0\r\n");
    EXPECT_FALSE(folder.Exists("Output1.ini"));
    EXPECT_EQ(store.FilePath(ConfigFileKind::Output, 1), folder / "Output1.ini");
}

TEST(ProfileStoreAddressing, FindsAFileCopiedFromWindowsUnderAnotherCase) {
    TempFolder folder;
    folder.Write("2600info.ini", "[Connect]\r\nAutoConnect=1\r\n");
    ProfileStore store(folder.path());
    EXPECT_TRUE(store.FileExists(ConfigFileKind::SystemInfo));
    std::string value;
    EXPECT_TRUE(store.ReadValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", value));
    EXPECT_EQ(value, "1");
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "SerialTcp", "0");
    EXPECT_FALSE(folder.Exists("2600Info.ini"));
    EXPECT_EQ(folder.Read("2600info.ini"), "[Connect]\r\nAutoConnect=1\r\nSerialTcp=0\r\n");
}

TEST(ProfileStoreRead, EmptyValueReadsFalseJustAsAMissingKey) {
    TempFolder folder;
    folder.Write("Input.ini", "[S]\r\nempty=\r\nquoted=\"\"\r\nset=1\r\n");
    ProfileStore store(folder.path());
    std::string value = "stale";
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "empty", value));
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "quoted", value));
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "missing", value));
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Timer, "S", "set", value));
    EXPECT_TRUE(store.ReadValue(ConfigFileKind::Input, "S", "set", value));
    EXPECT_EQ(value, "1");
}

TEST(ProfileStoreRead, AnOperatorFileWithAnEmptyPathReadsNothing) {
    TempFolder folder;
    folder.Write("mode.ini", "[M]\r\nk=5\r\n");
    ProfileStore store(folder.path());
    std::string value = "kept";
    EXPECT_FALSE(store.ReadValueAt("M", "k", value, ""));
    EXPECT_EQ(value, "kept");
    EXPECT_FALSE(store.WriteValueAt("M", "k", "6", ""));
    EXPECT_TRUE(store.ReadValueAt("M", "k", value, folder / "mode.ini"));
    EXPECT_EQ(value, "5");
    EXPECT_TRUE(store.WriteValueAt("M", "k", "6", folder / "mode.ini"));
    EXPECT_EQ(folder.Read("mode.ini"), "[M]\r\nk=6\r\n");
}

TEST(ProfileBatchCommit, ReplacesEachFileOnceAndReadsSeeTheGatheredWrites) {
    TempFolder folder;
    ProfileStore store(folder.path());
    {
        ProfileBatch batch(store);
        for (int mode = 0; mode < 16; ++mode) {
            store.WriteInt(ConfigFileKind::Output, "Mode" + std::to_string(mode), "Switch_Mode",
                           mode, 1);
            ProfileBatch inner(store);  // joins the outer batch
            store.WriteInt(ConfigFileKind::Input, "S", "k", mode);
        }
        std::string value;
        EXPECT_TRUE(store.ReadValue(ConfigFileKind::Input, "s", "K", value));
        EXPECT_EQ(value, "15");
        EXPECT_FALSE(folder.Exists("Input.ini"));
        EXPECT_EQ(store.FileReplacements(), 0u);
    }
    EXPECT_EQ(store.FileReplacements(), 2u);
    EXPECT_EQ(folder.Read("Input.ini"), "[S]\r\nk=15\r\n");
    std::string value;
    EXPECT_TRUE(store.ReadValue(ConfigFileKind::Output, "Mode15", "Switch_Mode", value, 1));
    EXPECT_EQ(value, "15");
}

TEST(ProfileBatchCommit, WritesOfOtherThreadsGoStraightToDiskAndSurviveTheCommit) {
    TempFolder folder;
    ProfileStore store(folder.path());
    {
        ProfileBatch batch(store);
        store.WriteInt(ConfigFileKind::Input, "S", "mine", 1);
        std::thread([&] { store.WriteInt(ConfigFileKind::Input, "S", "theirs", 2); }).join();
        EXPECT_EQ(folder.Read("Input.ini"), "[S]\r\ntheirs=2\r\n");
    }
    EXPECT_EQ(folder.Read("Input.ini"), "[S]\r\ntheirs=2\r\nmine=1\r\n");
}

TEST(ProfileBatchCommit, ReportsAFileThatCouldNotBeWritten) {
    TempFolder folder;
    ProfileStore store(folder / "missing");
    ProfileBatch batch(store);
    EXPECT_TRUE(store.WriteInt(ConfigFileKind::Input, "S", "k", 1));
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(store.FileReplacements(), 0u);
}

}  // namespace
}  // namespace hsq
