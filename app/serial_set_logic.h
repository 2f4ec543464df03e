#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "config/system_info.h"
#include "link/serial_port_list.h"

namespace hsq {

// The connection settings dialog (CSerialSet). The choice buttons store at once; the port name
// and address are stored only by OK, the address only as four dotted octets. The address the
// processor reports is shown, and stored only by OK too: behind port forwarding it is not the
// address this machine reaches it at.
class SerialSetLogic {
  public:
    enum class Caption {
        Title, ChoiceGroup, SerialChoice, NetworkChoice, SerialGroup, SerialLabel, PortSearch,
        NetworkGroup, AddressLabel, PortLabel, Ok, Cancel,
    };

    SerialSetLogic(DialogHost& host, ProfileStore& store, DeviceCommands& commands,
                   ConnectionSettings& mainWindow, bool connected, LanguageFlag language,
                   SerialDeviceFolders devices = {});

    static std::string_view CaptionText(Caption caption, LanguageFlag language);
    // Four dotted decimal octets (0 to 255, no leading zeros), as the link reads them.
    static bool IsAddress(std::string_view text);

    // Shows what is stored, and when connected the address the processor reports.
    void OnOpen();
    void OnSerialChoice();
    void OnNetworkChoice();
    void OnGetComPorts();
    void OnPortNameEdited(std::string text) { portName_ = std::move(text); }
    void OnAddressEdited(std::string text) { address_ = std::move(text); }
    // Stores the fields and hands the port name and address to the main window; an empty field
    // keeps what is stored. False, with a message and nothing stored, when the address is not
    // one: the dialog stays open.
    bool OnOk();

    LanguageFlag Language() const { return language_; }
    bool SerialChosen() const { return serialChosen_; }
    const std::string& PortName() const { return portName_; }
    const std::string& Address() const { return address_; }
    const std::string& Port() const { return port_; }
    const std::string& PortList() const { return portList_; }
    // The machine's serial devices, the port shown at opening when it is none of them (a
    // pseudo-terminal, a device unplugged), then COM1 to COM20.
    const std::vector<std::string>& PortNameChoices() const { return portNameChoices_; }

  private:
    void QueryAddress();
    void ListPortNameChoices();
    std::string Read(std::string_view key) const;
    void Store(std::string_view key, std::string_view value);
    // False, and nothing stored, when the value is empty.
    bool StoreIfGiven(std::string_view key, std::string_view value);

    DialogHost& host_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    ConnectionSettings& mainWindow_;
    bool connected_;
    LanguageFlag language_;
    SerialDeviceFolders devices_;
    bool serialChosen_ = false;
    std::string portName_, address_, port_, portList_;
    std::vector<std::string> portNameChoices_;
};

}  // namespace hsq
