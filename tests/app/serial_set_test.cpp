// The connection settings dialog: what it stores and when, and the address query.
#include "app/serial_set_logic.h"

#include "readback_fixture.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

class SerialSetTest : public testing::ReadbackFixture {
  protected:
    SerialSetLogic Dialog(bool connected, LanguageFlag language = kEnglish) {
        return SerialSetLogic(host, store, sim.commands, state.connection, connected, language,
                              {devices / "class", devices / "by-id"});
    }
    std::string Stored(std::string_view key) const {
        return Read(ConfigFileKind::SystemInfo, "Connect", key);
    }
    testing::ScriptedHost host;
    testing::TempFolder devices;  // the machine's serial devices: none unless a test adds some
};

// A port never stored, or stored empty, shows as the port start-up would use (nullptr here).
TEST_F(SerialSetTest, OpensWithTheStoredSettings) {
    const struct {
        const char *file, *portName, *address, *port;
        bool serial;
    } rows[] = {
        {"[Connect]\r\nSerialTcp=1\r\nComport=ttyUSB0\r\nIP=192.168.0.100\r\nPort=7\r\n",
         "ttyUSB0", "192.168.0.100", "7", true},
        {"[Connect]\r\nIP=10.0.0.2\r\n", nullptr, "10.0.0.2", "", false},
        {"[Connect]\r\nSerialTcp=1\r\nComport=\r\n", nullptr, "", "", true},
    };
    for (const auto& row : rows) {
        folder.Write("2600Info.ini", row.file);
        SerialSetLogic dialog = Dialog(false);
        dialog.OnOpen();
        EXPECT_EQ(dialog.SerialChosen(), row.serial) << row.file;
        EXPECT_EQ(dialog.PortName(),
                  row.portName ? row.portName : LoadConnectionSettings(store).portName)
            << row.file;
        EXPECT_EQ(dialog.Address(), row.address) << row.file;
        EXPECT_EQ(dialog.Port(), row.port) << row.file;
    }
    EXPECT_EQ(host.workersRun, 0);  // nothing asked while disconnected
}

TEST_F(SerialSetTest, TheChoiceIsStoredAtOnceAndCancelDoesNotUndoIt) {
    SerialSetLogic dialog = Dialog(false);
    dialog.OnOpen();
    dialog.OnPortNameEdited("COM9");
    dialog.OnNetworkChoice();
    // Cancel: the dialog goes without OnOk.
    EXPECT_EQ(Stored("SerialTcp"), "0");
    EXPECT_FALSE(state.connection.serial);
    EXPECT_EQ(Stored("Comport"), "COM1");
    dialog.OnSerialChoice();
    EXPECT_EQ(Stored("SerialTcp"), "1");
    EXPECT_TRUE(state.connection.serial);
}

// An emptied box says nothing of where the processor is: the working setting stays.
TEST_F(SerialSetTest, OkStoresTheFieldsAndHandsThemToTheMainWindowButNeverAnEmptyOne) {
    state.connection.ip = "192.168.0.100";
    const struct {
        const char *portName, *address, *storedPort, *storedIp;
    } rows[] = {
        {"", "", "COM1", "192.168.0.100"},
        {"/dev/ttyUSB1", "10.1.2.3", "/dev/ttyUSB1", "10.1.2.3"},
    };
    for (const auto& row : rows) {
        SerialSetLogic dialog = Dialog(false);
        dialog.OnOpen();
        dialog.OnPortNameEdited(row.portName);
        dialog.OnAddressEdited(row.address);
        EXPECT_TRUE(dialog.OnOk());
        EXPECT_EQ(Stored("Comport"), row.storedPort);
        EXPECT_EQ(Stored("IP"), row.storedIp);
        EXPECT_EQ(Stored("Port"), "7");
        EXPECT_EQ(state.connection.portName, row.storedPort);
        EXPECT_EQ(state.connection.ip, row.storedIp);
    }
    EXPECT_TRUE(host.boxes.empty());
}

// Nothing the link cannot connect to reaches the file; the operator is told and can mend it.
TEST_F(SerialSetTest, OkRefusesAnAddressThatIsNotFourOctetsAndStoresNothing) {
    for (const LanguageFlag language : {kChinese, kEnglish}) {
        const std::string before = folder.Read("2600Info.ini");
        host.boxes.clear();
        SerialSetLogic dialog = Dialog(false, language);
        dialog.OnOpen();
        dialog.OnPortNameEdited("COM9");
        for (const char* bad : {"300.1.2.3", "10.1", "1.2.3.4.5", "1.2.3.", "01.2.3.4", "1..3.4",
                                "1.2.3.4 ", "a.b.c.d"}) {
            dialog.OnAddressEdited(bad);
            EXPECT_FALSE(dialog.OnOk()) << bad;
        }
        EXPECT_EQ(folder.Read("2600Info.ini"), before);
        ASSERT_EQ(host.boxes.size(), 8u);
        EXPECT_EQ(host.boxes[0].caption, kSystemInformation.In(language));
        EXPECT_TRUE(host.boxes[0].text.starts_with(language == kChinese ? "IP地址" : "The IP"));
        dialog.OnAddressEdited("255.1.2.3");
        EXPECT_TRUE(dialog.OnOk());
        EXPECT_EQ(Stored("IP"), "255.1.2.3");
    }
}

TEST_F(SerialSetTest, ThePortBoxListsTheMachinesDevicesThePortInUseThenCom1To20) {
    std::filesystem::create_directories(devices / "class/ttyUSB0/device");
    std::filesystem::create_directories(devices / "class/ttyS0/device");
    std::filesystem::create_directories(devices / "by-id");
    const std::string adapter = (devices / "by-id/usb-FTDI-if00-port0").string();
    std::filesystem::create_symlink("../../ttyUSB0", adapter);
    for (const std::string stored : {"/dev/pts/3", "COM5", adapter.c_str()}) {
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "Comport", stored);
        SerialSetLogic dialog = Dialog(false);
        dialog.OnOpen();
        std::vector<std::string> expected{"/dev/ttyS0", adapter};
        if (stored == "/dev/pts/3") expected.push_back(stored);
        for (int n = 1; n <= 20; ++n) expected.push_back("COM" + std::to_string(n));
        EXPECT_EQ(dialog.PortNameChoices(), expected) << stored;
        dialog.OnGetComPorts();
        EXPECT_EQ(dialog.PortList(), "/dev/ttyS0\n" + adapter + "\n");
    }
}

// Behind port forwarding the processor's own address is not where this machine reaches it: it
// is shown, and stored only by OK.
TEST_F(SerialSetTest, WhileConnectedTheProcessorsAddressIsShownAndOnlyOkStoresIt) {
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "IP", "10.9.9.9");
    for (const bool ok : {false, true}) {
        SerialSetLogic asked = Dialog(true);
        asked.OnOpen();
        EXPECT_EQ(asked.Address(), "192.168.0.100");
        EXPECT_EQ(Stored("IP"), "10.9.9.9");
        if (ok) {
            EXPECT_TRUE(asked.OnOk());
        }
    }
    EXPECT_EQ(host.workersRun, 2);
    EXPECT_EQ(Stored("IP"), "192.168.0.100");
    EXPECT_EQ(state.connection.ip, "192.168.0.100");

    // No reply, or a reply holding 0.0.0.0: the next connection must still go where it went.
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "IP", "10.9.9.9");
    for (const bool answered : {false, true}) {
        testing::RecordingTransport wire(sim.clock);
        if (answered) wire.Answer({0x86, 0x01, 0xFE, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0x7B});
        sim.link.AttachTransport(&wire);
        SerialSetLogic dialog = Dialog(true);
        dialog.OnOpen();
        ASSERT_EQ(wire.written.size(), 1u);
        EXPECT_EQ(wire.written[0][2], 0xFE);
        EXPECT_EQ(wire.written[0][3], 0x02);
        EXPECT_EQ(dialog.Address(), "10.9.9.9") << answered;
    }
}

}  // namespace
}  // namespace hsq
