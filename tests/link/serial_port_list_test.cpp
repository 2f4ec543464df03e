#include "link/serial_port_list.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace hsq {
namespace {

// Devices with a by-id link go by it; the rest by device path. A link whose device the kernel
// does not list (unplugged, or reserved without hardware) names nothing.
TEST(SerialPortList, ListsTtysWithHardwareBehindThemByTheirByIdNameWhereTheyHaveOne) {
    testing::TempFolder sys;
    auto tty = [&](const std::string& name, const char* type) {
        std::filesystem::create_directories(sys / ("class/" + name + "/device"));
        if (type != nullptr) sys.Write("class/" + name + "/type", type);
    };
    tty("ttyUSB0", nullptr);
    tty("ttyS0", "4\n");  // a real 16550A
    tty("ttyS1", "0\n");  // reserved, nothing there
    tty("ttyACM1", nullptr);
    std::filesystem::create_directories(sys / "class/tty1");  // a virtual console: no device
    std::filesystem::create_directories(sys / "by-id");
    std::filesystem::create_symlink("../../ttyUSB0", sys / "by-id/usb-FTDI_FT232R-if00-port0");
    std::filesystem::create_symlink("../../ttyUSB7", sys / "by-id/usb-Prolific-if00-port0");
    std::filesystem::create_symlink("../../ttyS1", sys / "by-id/pci-reserved");
    const SerialDeviceFolders folders{sys / "class", sys / "by-id"};
    const std::string byId = (sys / "by-id/").string();
    EXPECT_EQ(ListSerialPorts(folders),
              (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0",
                                        byId + "usb-FTDI_FT232R-if00-port0"}));
    EXPECT_EQ(ListSerialPorts({sys / "class", sys / "missing"}),
              (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_TRUE(ListSerialPorts({sys / "missing", sys / "by-id"}).empty());
}

}  // namespace
}  // namespace hsq
