#include "app/serial_set_logic.h"

#include <algorithm>

#include "commands/reply_decoders.h"

namespace hsq {
namespace {

constexpr std::string_view kConnect = "Connect";
constexpr Bilingual kNotAnAddress{
    "IP地址应为四个0到255之间的数，以点分隔，例如192.168.0.100。",
    "The IP address must be four numbers from 0 to 255 separated by dots, for example "
    "192.168.0.100."};

}  // namespace

SerialSetLogic::SerialSetLogic(DialogHost& host, ProfileStore& store, DeviceCommands& commands,
                               ConnectionSettings& mainWindow, bool connected,
                               LanguageFlag language, SerialDeviceFolders devices)
    : host_(host), store_(store), commands_(commands), mainWindow_(mainWindow),
      connected_(connected), language_(language), devices_(std::move(devices)) {}

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

bool SerialSetLogic::IsAddress(std::string_view text) {
    int dots = 0, digits = 0, octet = 0;
    for (const char c : text) {
        if (c == '.') {
            if (digits == 0 || ++dots > 3) return false;
            digits = octet = 0;
        } else if (c >= '0' && c <= '9') {
            if (digits > 0 && octet == 0) return false;  // a leading zero
            octet = octet * 10 + (c - '0');
            ++digits;
            if (octet > 255) return false;
        } else {
            return false;
        }
    }
    return dots == 3 && digits > 0;
}

void SerialSetLogic::OnOpen() {
    portName_ = Read("Comport");
    // Start-up connects to its default port when none is stored: show that one.
    if (portName_.empty()) portName_ = ConnectionSettings{}.portName;
    address_ = Read("IP");
    port_ = Read("Port");
    serialChosen_ = Read("SerialTcp") == "1";
    if (connected_) QueryAddress();
    ListPortNameChoices();
}

void SerialSetLogic::ListPortNameChoices() {
    portNameChoices_ = ListSerialPorts(devices_);
    const auto devices = static_cast<std::ptrdiff_t>(portNameChoices_.size());
    for (int n = 1; n <= 20; ++n) portNameChoices_.push_back("COM" + std::to_string(n));
    // Picking another entry must not lose the port in use for good.
    if (std::find(portNameChoices_.begin(), portNameChoices_.end(), portName_) ==
        portNameChoices_.end()) {
        portNameChoices_.insert(portNameChoices_.begin() + devices, portName_);
    }
}

// Behind the waiting box, so that the window does not freeze for the reply wait. Only a
// complete reply with an address replaces the one shown: 0.0.0.0 is what a failed or empty
// answer holds, and taking it would send the next connection nowhere.
void SerialSetLogic::QueryAddress() {
    host_.RunWorker([this](WorkProgress&) {
        Frame reply{};
        if (commands_.Query(kQueryIpAddress, 0, reply) != kFrameSize) return;
        const std::string address = DecodeIpAddress(reply);
        if (address != "0.0.0.0") address_ = address;
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
    for (const std::string& port : ListSerialPorts(devices_)) portList_ += port + "\n";
}

bool SerialSetLogic::OnOk() {
    if (!address_.empty() && !IsAddress(address_)) {
        host_.ShowMessage(kSystemInformation.In(language_), kNotAnAddress.In(language_));
        return false;
    }
    if (StoreIfGiven("Comport", portName_)) mainWindow_.portName = portName_;
    if (StoreIfGiven("IP", address_)) mainWindow_.ip = address_;
    StoreIfGiven("Port", port_);
    return true;
}

// An emptied field says nothing about where the processor is; storing it would only lose the
// working setting.
bool SerialSetLogic::StoreIfGiven(std::string_view key, std::string_view value) {
    if (value.empty()) return false;
    Store(key, value);
    return true;
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
