// Addressing of the configuration files, read results, and batched writes.
#include "config/profile_store.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>
#include <vector>

#include "config/profile_values.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using testing::TempFolder;

// A file copied from Windows under another case is found and kept under its own name.
TEST(ProfileStoreAddressing, EachKindNamesItsFileAndOnlyOutputUsesTheCard) {
    TempFolder folder;
    folder.Write("2600info.ini", "[Connect]\r\nAutoConnect=1\r\n");
    ProfileStore store(folder.path());
    EXPECT_TRUE(store.FileExists(ConfigFileKind::SystemInfo));
    std::string value;
    EXPECT_TRUE(store.ReadValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", value));
    EXPECT_EQ(value, "1");
    store.WriteValue(ConfigFileKind::Output, "BOARD", "Display_Mode", "2", 2);
    store.WriteValue(ConfigFileKind::SystemInfo, "System", "outformat", "6", 7);
    EXPECT_EQ(folder.Read("Output2.ini"), "[BOARD]\r\nDisplay_Mode=2\r\n");
    EXPECT_EQ(folder.Read("2600info.ini"),
              "[Connect]\r\nAutoConnect=1\r\n[System]\r\noutformat=6\r\n");
    EXPECT_FALSE(folder.Exists("Output1.ini"));
    EXPECT_FALSE(folder.Exists("2600Info.ini"));
    EXPECT_EQ(store.FilePath(ConfigFileKind::Output, 1), folder / "Output1.ini");
}

// An empty value reads false just as a missing key; an operator file with an empty path is
// neither read nor written.
TEST(ProfileStoreRead, EmptyValuesAndPathsReadFalse) {
    TempFolder folder;
    folder.Write("Input.ini", "[S]\r\nempty=\r\nquoted=\"\"\r\nset=1\r\n");
    ProfileStore store(folder.path());
    std::string value = "stale";
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "empty", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "quoted", value));
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Input, "S", "missing", value));
    EXPECT_FALSE(store.ReadValue(ConfigFileKind::Timer, "S", "set", value));
    EXPECT_TRUE(store.ReadValue(ConfigFileKind::Input, "S", "set", value));
    EXPECT_EQ(value, "1");

    EXPECT_FALSE(store.ReadValueAt("S", "set", value, ""));
    EXPECT_EQ(value, "1");
    EXPECT_FALSE(store.WriteValueAt("S", "set", "6", ""));
    EXPECT_TRUE(store.WriteValueAt("S", "set", "6", folder / "Input.ini"));
    EXPECT_TRUE(store.ReadValueAt("S", "set", value, folder / "Input.ini"));
    EXPECT_EQ(value, "6");
    EXPECT_EQ(folder.Read("Input.ini"), "[S]\r\nempty=\r\nquoted=\"\"\r\nset=6\r\n");
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

// Each report as "problem file text".
struct RecordingSink final : ProfileProblemSink {
    void Report(const ProfileProblemReport& report) override {
        static constexpr const char* kNames[] = {"not written", "not stored", "damaged"};
        told.push_back(std::string(kNames[static_cast<int>(report.problem)]) + " " +
                       report.file.string() + " " + report.text);
    }
    std::vector<std::string> told;
};

std::string Told(const char* problem, const std::filesystem::path& file, std::string text = {}) {
    return std::string(problem) + " " + file.string() + " " + text;
}

TEST(ProfileBatchCommit, ReportsAFileThatCouldNotBeWritten) {
    TempFolder folder;
    ProfileStore store(folder / "missing");
    RecordingSink sink;
    store.SetProblemSink(&sink);
    ProfileBatch batch(store);
    EXPECT_TRUE(store.WriteInt(ConfigFileKind::Input, "S", "k", 1));
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(store.FileReplacements(), 0u);
    EXPECT_EQ(sink.told,
              std::vector<std::string>{Told("not written", folder / "missing" / "Input.ini")});
}

// Only a regular file that can be read is something a record can mirror.
TEST(ProfileStoreProblems, OnlyARegularReadableFileCanBeLoaded) {
    TempFolder folder;
    ProfileStore store(folder.path());
    const std::vector<std::string> sections{"S"};
    EXPECT_FALSE(store.CheckBeforeLoad(ConfigFileKind::Input, 0, sections));
    std::filesystem::create_directory(folder / "Input.ini");
    EXPECT_FALSE(store.CheckBeforeLoad(ConfigFileKind::Input, 0, sections));
    ASSERT_EQ(::mkfifo((folder / "Timer.ini").c_str(), 0644), 0);
    EXPECT_FALSE(store.CheckBeforeLoad(ConfigFileKind::Timer, 0, sections));
    std::filesystem::create_symlink(folder / "gone.ini", folder / "Output1.ini");
    EXPECT_FALSE(store.CheckBeforeLoad(ConfigFileKind::Output, 1, sections));
    folder.Write("Output2.ini", "[S]\r\nk=1\r\n");
    EXPECT_TRUE(store.CheckBeforeLoad(ConfigFileKind::Output, 2, sections));
}

// A damaged file is told once, when first met, and its bytes are kept beside it before the first
// rewrite, never over an earlier copy.
TEST(ProfileStoreProblems, ADamagedFileIsToldOnceAndKeptAsideBeforeItIsRewritten) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"NUL bytes", std::string("[Input]\r\nk=1,2,3,4\0\0\r\n", 22)},
        {"neither UTF-8 nor GBK", "[Input]\r\nk=1,2,3,4\xFF\xFE\x80\r\n"},
        {"none of its sections", "[Other]\r\nk=1,2,3,4\r\n"},
        {"a short list", "[Input]\r\nk=1,2,3\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("Input.ini", c.bytes);
        folder.Write("Input.ini.bad", "an earlier copy");
        ProfileStore store(folder.path());
        RecordingSink sink;
        store.SetProblemSink(&sink);
        const ProfileKey key{ConfigFileKind::Input, 0, "Input", "k"};
        const std::vector<std::string> sections{"Input"};
        for (int load = 0; load < 2; ++load) {
            EXPECT_TRUE(store.CheckBeforeLoad(ConfigFileKind::Input, 0, sections));
            ReadProfileInts(store, key, 4);
        }
        EXPECT_EQ(sink.told, std::vector<std::string>{Told("damaged", folder / "Input.ini")})
            << c.what;
        EXPECT_FALSE(folder.Exists("Input.ini.bad.1")) << c.what;
        ASSERT_TRUE(store.WriteValue(ConfigFileKind::Input, "Input", "k", "4,3,2,1")) << c.what;
        EXPECT_EQ(folder.Read("Input.ini.bad.1"), c.bytes) << c.what;
        EXPECT_EQ(folder.Read("Input.ini.bad"), "an earlier copy") << c.what;
        ASSERT_TRUE(store.WriteValue(ConfigFileKind::Input, "Input", "k", "4,3,2,0")) << c.what;
        EXPECT_FALSE(folder.Exists("Input.ini.bad.2")) << c.what;
    }
}

// Only the temporaries of our own configuration files go; anything else in the folder stays.
TEST(ProfileStoreTemporaries, StaleTemporariesOfConfigurationFilesAreRemoved) {
    TempFolder folder;
    const std::vector<std::string> stale{".Input.ini.a1B2c3", ".2600info.ini.ZZ9900",
                                         ".Output2.ini.abcdef", ".Timer.ini.000000"};
    const std::vector<std::string> kept{".Notes.ini.abcdef", "Input.ini.abcdef",
                                        ".Input.ini.abcde", ".Input.ini.abc-ef",
                                        ".Output3.ini.abcdef", ".Input.ini.bad", "Input.ini"};
    for (const auto& name : stale) folder.Write(name, "x");
    for (const auto& name : kept) folder.Write(name, "x");
    std::filesystem::create_directory(folder / ".Output1.ini.abcdef");
    ProfileStore(folder.path()).RemoveStaleTemporaries();
    for (const auto& name : stale) EXPECT_FALSE(folder.Exists(name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(folder.Exists(name)) << name;
    EXPECT_TRUE(folder.Exists(".Output1.ini.abcdef"));
}

}  // namespace
}  // namespace hsq
