#include "app/serial_set_logic.h"

#include "commands/reply_decoders.h"
#include "link/serial_port_list.h"

namespace hsq {
namespace {

constexpr std::string_view kConnect = "Connect";

}  // namespace

SerialSetLogic::SerialSetLogic(DialogHost& host, ProfileStore& store, DeviceCommands& commands,
                               ConnectionSettings& mainWindow, bool connected,
                               LanguageFlag language)
    : host_(host), store_(store), commands_(commands), mainWindow_(mainWindow),
      connected_(connected), language_(language) {}

std::string_view SerialSetLogic::CaptionText(Caption caption, LanguageFlag language) {
    switch (caption) {
        case Caption::Title: return Bilingual{"通讯设置", "Connection settings"}.In(language);
        case Caption::ChoiceGroup: return Bilingual{"串口/网络", "Serial/Network"}.In(language);
        case Caption::SerialChoice:
        case Caption::SerialGroup:
        case Caption::SerialLabel: return Bilingual{"串口", "Serial"}.In(language);
        case Caption::NetworkChoice:
        case Caption::NetworkGroup: return Bilingual{"网络", "Network"}.In(language);
        case Caption::PortSearch: return Bilingual{"获得COM口", "Get COM Ports"}.In(language);
        case Caption::AddressLabel: return Bilingual{"IP地址", "IP Address"}.In(language);
        case Caption::PortLabel: return Bilingual{"端口", "Port"}.In(language);
        case Caption::Ok: return Bilingual{"确定", "OK"}.In(language);
        case Caption::Cancel: return Bilingual{"取消", "Cancel"}.In(language);
    }
    return {};
}

std::vector<std::string> SerialSetLogic::PortNameChoices() {
    std::vector<std::string> names;
    for (int n = 1; n <= 20; ++n) names.push_back("COM" + std::to_string(n));
    return names;
}

void SerialSetLogic::OnOpen() {
    if (connected_) QueryAddress();
    portName_ = Read("Comport");
    address_ = Read("IP");
    port_ = Read("Port");
    serialChosen_ = Read("SerialTcp") == "1";
}

// Behind the waiting box, so that the window does not freeze for the reply wait. Only a
// complete reply with an address replaces the stored one: 0.0.0.0 is what a failed or empty
// answer holds, and storing it would send the next connection nowhere.
void SerialSetLogic::QueryAddress() {
    host_.RunWorker([this](WorkProgress&) {
        Frame reply{};
        if (commands_.Query(kQueryIpAddress, 0, reply) != kFrameSize) return;
        const std::string address = DecodeIpAddress(reply);
        if (address != "0.0.0.0") Store("IP", address);
    });
}

void SerialSetLogic::OnSerialChoice() {
    serialChosen_ = true;
    Store("SerialTcp", "1");
    mainWindow_.serial = true;
}

void SerialSetLogic::OnNetworkChoice() {
    serialChosen_ = false;
    Store("SerialTcp", "0");
    mainWindow_.serial = false;
}

void SerialSetLogic::OnGetComPorts() {
    portList_.clear();
    for (const std::string& port : ListSerialPorts()) portList_ += port + "\n";
}

void SerialSetLogic::OnOk() {
    Store("Comport", portName_);
    Store("IP", address_);
    Store("Port", port_);
    mainWindow_.ip = address_;
    mainWindow_.portName = portName_;
}

std::string SerialSetLogic::Read(std::string_view key) const {
    std::string value;
    store_.ReadValue(ConfigFileKind::SystemInfo, kConnect, key, value);
    return value;
}

void SerialSetLogic::Store(std::string_view key, std::string_view value) {
    store_.WriteValue(ConfigFileKind::SystemInfo, kConnect, key, value);
}

}  // namespace hsq
