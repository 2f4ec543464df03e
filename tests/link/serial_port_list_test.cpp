#include "link/serial_port_list.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace hsq {
namespace {

TEST(SerialPortList, ListsTtysWithHardwareBehindThemAndSkipsReservedLegacyPorts) {
    testing::TempFolder sys;
    auto tty = [&](const std::string& name, const char* type) {
        std::filesystem::create_directories(sys / name / "device");
        if (type != nullptr) sys.Write(name + "/type", type);
    };
    tty("ttyUSB0", nullptr);
    tty("ttyS0", "4\n");  // a real 16550A
    tty("ttyS1", "0\n");  // reserved, nothing there
    tty("ttyACM1", nullptr);
    std::filesystem::create_directories(sys / "tty1");  // a virtual console: no device
    EXPECT_EQ(ListSerialPorts(sys.path()),
              (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_TRUE(ListSerialPorts(sys / "missing").empty());
}

}  // namespace
}  // namespace hsq
