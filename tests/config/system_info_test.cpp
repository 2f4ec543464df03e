// The system information file: the system and version reports, the output format, the
// connection settings, the output picture places and the matrix values.
#include "config/system_info.h"

#include <gtest/gtest.h>

#include "profile_test_folder.h"

namespace hsq {
namespace {

using testing::Numbers;
using testing::ProfileTestFolder;
using testing::Reply;

std::string InfoValue(const ProfileTestFolder& folder, std::string_view section,
                      std::string_view key) {
    return folder.Value(ConfigFileKind::SystemInfo, section, key);
}

// Only a reply from the processor is recorded, in one replacement of each of the three files.
TEST(SystemReportRecorder, WritesFormatSourceAndBothConfigurationModes) {
    ProfileTestFolder folder;
    Frame reply = Reply(1, {0, 6, 1, 5, 2, 0, 0x02});
    for (std::uint8_t first : {0x00, 0x85, 0x87, 0xFF}) {
        reply[0] = first;
        EXPECT_FALSE(RecordSystemReport(folder.store(), reply).has_value());
    }
    EXPECT_TRUE(folder.IsEmpty());

    reply[0] = kDeviceAddress;
    const std::optional<SystemReport> report = RecordSystemReport(folder.store(), reply);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(Numbers(report->configFlag0, report->configFlag1), Numbers(false, true));
    EXPECT_EQ(folder.store().FileReplacements(), 3u);
    EXPECT_EQ(InfoValue(folder, "System", "outformat"), "6");
    EXPECT_EQ(InfoValue(folder, "System", "InA_Kout1"), "1");
    EXPECT_EQ(folder.Value(ConfigFileKind::Output, "BOARD", "Config_Mode", 1), "5");
    EXPECT_EQ(folder.Value(ConfigFileKind::Output, "BOARD", "Config_Mode", 2), "2");

    SystemStatus status;
    LoadSystemStatus(folder.store(), status);
    EXPECT_EQ(std::tie(status.outputFormat, status.inAKout1, status.resolution),
              std::tuple(6, 1, OutputResolution{6, 1920, 1080}));
}

TEST(SystemStatusLoad, UnknownFormatCodesKeepTheResolution) {
    ProfileTestFolder folder;
    SystemStatus status;
    folder.Write("2600Info.ini", "[System]\r\noutformat=1\r\nInA_Kout1=0\r\n");
    LoadSystemStatus(folder.store(), status);
    EXPECT_EQ(status.outputFormat, 1);
    EXPECT_EQ(status.resolution, OutputResolution{});  // 0 x 0 before the first known code

    for (const auto& [code, width, height] :
         {std::tuple{0, 1024, 768}, {2, 1280, 1024}, {3, 1920, 1200}, {6, 1920, 1080}}) {
        status.outputFormat = static_cast<std::uint8_t>(code);
        ASSERT_TRUE(SaveSystemStatus(folder.store(), status));
        LoadSystemStatus(folder.store(), status);
        EXPECT_EQ(std::tuple(status.resolution.width, status.resolution.height),
                  std::tuple(width, height)) << code;
    }
    for (int code : {1, 4, 5, 7, 255}) {
        folder.store().WriteInt(ConfigFileKind::SystemInfo, "System", "outformat", code);
        LoadSystemStatus(folder.store(), status);
        EXPECT_EQ(status.outputFormat, code);
        EXPECT_EQ(status.resolution, (OutputResolution{6, 1920, 1080})) << code;
    }
}

std::string Describe(const ConnectionSettings& s) {
    return std::string(s.autoConnect ? "auto " : "manual ") + (s.serial ? "serial " : "tcp ") +
           s.portName + " " + s.ip + ":" + std::to_string(s.port);
}

// An empty file starts disconnected over TCP; only the chosen transport's keys are read; a port
// name stored empty is "COM1".
TEST(ConnectionSettingsLoad, OnlyTheChosenTransportsKeysAreRead) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "manual tcp COM1 :0"},
        {"Comport=ttyUSB0\r\nIP=192.168.1.20\r\nPort=5000\r\n",
         "manual tcp COM1 192.168.1.20:5000"},
        {"SerialTcp=1\r\nAutoConnect=1\r\nComport=ttyUSB0\r\nIP=192.168.1.20\r\n",
         "auto serial ttyUSB0 :0"},
        {"SerialTcp=1\r\nAutoConnect=2\r\nComport=\r\n", "manual serial COM1 :0"},
        {"SerialTcp=0\r\nAutoConnect=1\r\nComport=ttyUSB0\r\n", "auto tcp COM1 :0"},
    };
    for (const auto& [keys, described] : cases) {
        ProfileTestFolder folder;
        if (keys)
            folder.Write("2600Info.ini", std::string("[Connect]\r\n") + keys);
        EXPECT_EQ(Describe(LoadConnectionSettings(folder.store())), described) << described;
    }
}

// Short matrix lists are padded with zero.
TEST(OutScreenPlacesAndMatrix, EachOutputCardHasItsOwnKey) {
    ProfileTestFolder folder;
    ASSERT_TRUE(WriteOutScreen(folder.store(), 1, {0, 0, 225, 40}));
    EXPECT_EQ(InfoValue(folder, "OutScreenData", "OutScreen1"), "0,0,225,40");
    EXPECT_EQ(ReadOutScreen(folder.store(), 1), (OutScreenData{0, 0, 225, 40}));

    EXPECT_FALSE(WriteOutScreen(folder.store(), 3, {1, 2, 3, 4}));
    EXPECT_EQ(ReadOutScreen(folder.store(), 0), OutScreenData{});
    EXPECT_EQ(InfoValue(folder, "OutScreenData", "OutScreen3"), "");

    folder.store().WriteValue(ConfigFileKind::SystemInfo, "MATRIX", "1Board", "1,2,3,4,5");
    folder.store().WriteValue(ConfigFileKind::SystemInfo, "MATRIX", "2Board", "7");
    const MatrixValues matrix = LoadMatrix(folder.store());
    EXPECT_EQ(matrix[0], (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(matrix[1], (std::array<int, 4>{7, 0, 0, 0}));
}

}  // namespace
}  // namespace hsq
