// The default configuration: what a fresh system holds, and the copy shipped in the sources.
#include "config/default_configuration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "config/system_info.h"
#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::ProfileTestFolder;
constexpr auto FileNames = ProfileTestFolder::FileNames;

const char* const kDefaultFiles[] = {"2600Info.ini", "Input.ini", "Output1.ini", "Output2.ini",
                                     "Timer.ini"};

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DefaultConfiguration, LoadsAsAFreshFullHdSystem) {
    ProfileTestFolder folder;
    ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
    EXPECT_EQ(folder.Files(),
              std::set<std::string>(std::begin(kDefaultFiles), std::end(kDefaultFiles)));
    ProfileStore& store = folder.store();

    SystemStatus status;
    LoadSystemStatus(store, status);
    EXPECT_EQ(status.resolution, (OutputResolution{6, 1920, 1080}));
    EXPECT_EQ(status.inAKout1, 0);

    const ConnectionSettings connection = LoadConnectionSettings(store);
    EXPECT_FALSE(connection.autoConnect);
    EXPECT_TRUE(connection.serial);
    EXPECT_EQ(connection.portName, "COM1");
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Connect", "IP"), "192.168.0.100");
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "Connect", "Port"), "7");

    EXPECT_EQ(ReadOutScreen(store, 1), (OutScreenData{0, 0, 225, 40}));
    EXPECT_EQ(ReadOutScreen(store, 2), (OutScreenData{0, 50, 225, 90}));
    EXPECT_EQ(folder.Value(ConfigFileKind::SystemInfo, "MATRIX", "2Board"), "0,0,0,0");

    InputCardRecords inputs{};
    LoadInputProfile(store, inputs);
    EXPECT_EQ(inputs[3].pipRect, (WindowRect{16, 640, 16, 360}));
    for (std::uint8_t card : {1, 2}) {
        OutputBoardRecord output;
        ASSERT_TRUE(LoadOutputProfile(store, card, output));
        EXPECT_EQ(output.configMode, 0);
        EXPECT_EQ(output.inputPort, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
        EXPECT_EQ(output.outputRect[3], (WindowRect{0, 1920, 0, 1080}));
    }
    for (const char* section : {"TIMERIN", "TIMEROUT", "TIMERALL"})
        EXPECT_EQ(folder.Value(ConfigFileKind::Timer, section, "Timer"), "0") << section;
}

// Written into a folder made on the way, never through a file.
TEST(DefaultConfiguration, ShippedFilesAreExactlyWhatItWrites) {
    ProfileTestFolder folder;
    const std::filesystem::path nested = folder.path() / "a" / "SystemINI";
    ASSERT_TRUE(WriteDefaultConfiguration(nested));
    const std::filesystem::path shipped =
        std::filesystem::path(HSQ_SOURCE_DIR) / "res" / "SystemINI";
    EXPECT_EQ(FileNames(shipped), FileNames(nested));
    for (const char* name : kDefaultFiles)
        EXPECT_EQ(FileBytes(shipped / name), FileBytes(nested / name)) << name;
    folder.Write("file", "x");
    EXPECT_FALSE(WriteDefaultConfiguration(folder.path() / "file" / "SystemINI"));
}

}  // namespace
}  // namespace hsq
