// Key reads and writes on real files: encodings, the value limit, atomic replacement, batches
// and concurrent writers.
#include "config/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <thread>
#include <vector>

#include "config/profile_store.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using testing::TempFolder;

// "模式一" and "大厅" in the Chinese Windows code page.
const std::string kGbkModeName = "\xC4\xA3\xCA\xBD\xD2\xBB";
const std::string kGbkHall = "\xB4\xF3\xCC\xFC";

IniWriteResult WriteOne(const std::filesystem::path& file, const IniEdit& edit) {
    return WriteIniValues(file, std::span(&edit, 1));
}

// A GBK file is read as UTF-8 and stays GBK; one name GBK cannot hold costs only its own key,
// never the rest of the batch. Any other file is written in UTF-8.
TEST(IniFileEncoding, GbkFilesStayGbkAndATextTheyCannotHoldKeepsItsOldValue) {
    TempFolder folder;
    folder.Write("Output1.ini", "[MODENAME]\r\nMode0=" + kGbkModeName + "\r\n[BOARD]\r\n");
    const std::string smile = "smile \xF0\x9F\x98\x80";
    const std::vector<IniEdit> edits{
        {"MODENAME", "Mode0", smile}, {"MODENAME", "Mode1", "大厅"}, {"BOARD", "Img_Ch", "2"}};
    const IniWriteResult result = WriteIniValues(folder / "Output1.ini", edits);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.unstorable, std::vector<std::string>{smile});
    EXPECT_EQ(folder.Read("Output1.ini"), "[MODENAME]\r\nMode0=" + kGbkModeName + "\r\nMode1=" +
                                              kGbkHall + "\r\n[BOARD]\r\nImg_Ch=2\r\n");
    EXPECT_EQ(ReadIniValue(folder / "Output1.ini", "MODENAME", "Mode0"), "模式一");
    EXPECT_EQ(ReadIniValue(folder / "Output1.ini", "MODENAME", "Mode1"), "大厅");

    ASSERT_TRUE(WriteOne(folder / "Output2.ini", {"MODENAME", "Mode0", "模式一"}).written);
    EXPECT_EQ(folder.Read("Output2.ini"), "[MODENAME]\r\nMode0=模式一\r\n");
    EXPECT_EQ(ReadIniValue(folder / "Output2.ini", "modename", "MODE0"), "模式一");
}

TEST(IniFileRead, ReturnsAtMost255CharactersWithoutCuttingOneAndNothingWhenMissing) {
    TempFolder folder;
    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "一";
    folder.Write("a.ini", "[S]\nascii=" + std::string(400, 'x') + "\nchinese=" + chinese + "\n");
    EXPECT_EQ(ReadIniValue(folder / "a.ini", "S", "ascii"), std::string(255, 'x'));
    const auto cut = ReadIniValue(folder / "a.ini", "S", "chinese");
    ASSERT_TRUE(cut);
    EXPECT_EQ(*cut, chinese.substr(0, 255 * 3));

    std::filesystem::create_directory(folder / "dir.ini");
    EXPECT_FALSE(ReadIniValue(folder / "dir.ini", "S", "k"));
}

// A mode name pasted with a line break must not become a second line or a new section.
TEST(IniFileWrite, ALineBreakInANameOrValueIsWrittenAsOneSpace) {
    TempFolder folder;
    folder.Write("a.ini", "[S]\r\nk=1\r\n");
    const std::vector<IniEdit> edits{{"S", "k", "two\r\nlines"},
                                     {"S", "new", "a\nb\rc\r\n[T]"},
                                     {"T\r\nU", "x\ny", "1"}};
    WriteIniValues(folder / "a.ini", edits);
    EXPECT_EQ(folder.Read("a.ini"), "[S]\r\nk=two lines\r\nnew=a b c [T]\r\n[T U]\r\nx y=1\r\n");
}

TEST(IniFileWrite, ReplacesTheFileKeepingPermissionsAndLinksAndLeavesNoTemporaryFile) {
    TempFolder folder;
    folder.Write("a.ini", "[S]\nk=1\n");
    ::chmod((folder / "a.ini").c_str(), 0600);
    const auto permissions = std::filesystem::status(folder / "a.ini").permissions();
    ASSERT_TRUE(WriteOne(folder / "a.ini", {"S", "k", "2"}).written);
    EXPECT_EQ(folder.Read("a.ini"), "[S]\nk=2\n");
    EXPECT_EQ(std::filesystem::status(folder / "a.ini").permissions(), permissions);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1);

    std::filesystem::create_symlink(folder / "a.ini", folder / "link.ini");
    ASSERT_TRUE(WriteOne(folder / "link.ini", {"S", "k", "3"}).written);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(folder.Read("a.ini"), "[S]\nk=3\n");
}

TEST(IniFileWrite, FailsWithoutItsFolderAndNeverReplacesSomethingItCannotRead) {
    TempFolder folder;
    EXPECT_FALSE(WriteOne(folder / "missing" / "a.ini", {"S", "k", "2"}).written);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    ASSERT_EQ(::mkfifo((folder / "Input.ini").c_str(), 0644), 0);
    EXPECT_FALSE(WriteOne(folder / "Input.ini", {"S", "k", "2"}).written);
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "Input.ini"));
}

TEST(IniFileConcurrency, TwoThreadsWritingDifferentKeysOfOneFileLoseNoWrite) {
    TempFolder folder;
    ProfileStore store(folder.path());
    constexpr int kWrites = 150;
    auto writer = [&](const char* key) {
        for (int i = 0; i < kWrites; ++i)
            store.WriteInt(ConfigFileKind::Input, "S", key + std::to_string(i), i);
    };
    std::thread first(writer, "a");
    std::thread second(writer, "b");
    first.join();
    second.join();
    std::string value;
    for (const char* key : {"a", "b"}) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string name = key + std::to_string(i);
            EXPECT_TRUE(store.ReadValue(ConfigFileKind::Input, "S", name, value)) << name;
            EXPECT_EQ(value, std::to_string(i)) << name;
        }
    }
}

}  // namespace
}  // namespace hsq
