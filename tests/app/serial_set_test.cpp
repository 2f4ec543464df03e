// The connection settings dialog: what it stores and when, and the address query.
#include "app/serial_set_logic.h"

#include "readback_fixture.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

class SerialSetTest : public testing::ReadbackFixture {
  protected:
    SerialSetLogic Dialog(bool connected) {
        return SerialSetLogic(host, store, sim.commands, state.connection, connected, kEnglish);
    }
    testing::ScriptedHost host;
};

TEST_F(SerialSetTest, OpensWithTheStoredSettings) {
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "Comport", "ttyUSB0");
    SerialSetLogic dialog = Dialog(false);
    dialog.OnOpen();
    EXPECT_TRUE(dialog.SerialChosen());
    EXPECT_EQ(dialog.PortName(), "ttyUSB0");
    EXPECT_EQ(dialog.Address(), "192.168.0.100");
    EXPECT_EQ(dialog.Port(), "7");
    EXPECT_EQ(host.workersRun, 0);  // nothing asked while disconnected
}

TEST_F(SerialSetTest, AMissingChoiceOpensOnTheNetwork) {
    folder.Write("2600Info.ini", "[Connect]\r\nIP=10.0.0.2\r\n");
    SerialSetLogic dialog = Dialog(false);
    dialog.OnOpen();
    EXPECT_FALSE(dialog.SerialChosen());
    EXPECT_EQ(dialog.Address(), "10.0.0.2");
    EXPECT_EQ(dialog.PortName(), "");
}

TEST_F(SerialSetTest, TheChoiceIsStoredAtOnceAndCancelDoesNotUndoIt) {
    SerialSetLogic dialog = Dialog(false);
    dialog.OnOpen();
    dialog.OnPortNameEdited("COM9");
    dialog.OnNetworkChoice();
    // Cancel: the dialog goes without OnOk.
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "SerialTcp"), "0");
    EXPECT_FALSE(state.connection.serial);
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "Comport"), "COM1");
    dialog.OnSerialChoice();
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "SerialTcp"), "1");
    EXPECT_TRUE(state.connection.serial);
}

TEST_F(SerialSetTest, OkStoresTheFieldsAndHandsThemToTheMainWindow) {
    SerialSetLogic dialog = Dialog(false);
    dialog.OnOpen();
    dialog.OnPortNameEdited("/dev/ttyUSB1");
    dialog.OnAddressEdited("10.1.2.3");
    dialog.OnOk();
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "Comport"), "/dev/ttyUSB1");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "IP"), "10.1.2.3");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "Port"), "7");
    EXPECT_EQ(state.connection.portName, "/dev/ttyUSB1");
    EXPECT_EQ(state.connection.ip, "10.1.2.3");
}

TEST_F(SerialSetTest, WhileConnectedTheProcessorsAddressIsAskedBehindTheWaitingBox) {
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "IP", "10.9.9.9");
    SerialSetLogic dialog = Dialog(true);
    dialog.OnOpen();
    EXPECT_EQ(host.workersRun, 1);
    EXPECT_EQ(dialog.Address(), "192.168.0.100");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "IP"), "192.168.0.100");
}

// No reply, or a reply holding 0.0.0.0: the next connection must still go where it went.
TEST_F(SerialSetTest, AFailedOrEmptyAddressQueryKeepsTheStoredAddress) {
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
        EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "IP"), "10.9.9.9");
    }
}

TEST(SerialSetCaptions, BothLanguagesAndThePortChoices) {
    using Caption = SerialSetLogic::Caption;
    EXPECT_EQ(SerialSetLogic::CaptionText(Caption::Title, kChinese), "通讯设置");
    EXPECT_EQ(SerialSetLogic::CaptionText(Caption::Title, kEnglish), "Connection settings");
    EXPECT_EQ(SerialSetLogic::CaptionText(Caption::PortSearch, kEnglish), "Get COM Ports");
    EXPECT_EQ(SerialSetLogic::CaptionText(Caption::AddressLabel, kChinese), "IP地址");
    const auto choices = SerialSetLogic::PortNameChoices();
    ASSERT_EQ(choices.size(), 20u);
    EXPECT_EQ(choices.front(), "COM1");
    EXPECT_EQ(choices.back(), "COM20");
}

}  // namespace
}  // namespace hsq
