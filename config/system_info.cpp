#include "config/system_info.h"

#include <span>
#include <string_view>
#include <vector>

#include "config/profile_values.h"

namespace hsq {
namespace {

constexpr std::string_view kSystem = "System";
constexpr std::string_view kConnect = "Connect";
constexpr std::string_view kVersion = "Version";
constexpr std::string_view kOutScreen = "OutScreenData";
constexpr std::string_view kMatrix = "MATRIX";

ProfileKey InfoKey(std::string_view section, std::string key) {
    return {ConfigFileKind::SystemInfo, 0, std::string(section), std::move(key)};
}

ProfileKey OutputConfigModeKey(std::uint8_t card) {
    return {ConfigFileKind::Output, card, "BOARD", "Config_Mode"};
}

const std::vector<std::string>& SystemInfoSections() {
    static const std::vector<std::string> sections{std::string(kSystem), std::string(kConnect),
                                                   std::string(kVersion), std::string(kOutScreen),
                                                   std::string(kMatrix)};
    return sections;
}

std::string OutScreenKey(std::uint8_t card) {
    return "OutScreen" + std::to_string(card);
}

std::string MatrixKey(int card) {
    return std::to_string(card) + "Board";
}

bool IsOutputCard(std::uint8_t card) {
    return card == 1 || card == 2;
}

}  // namespace

void LoadSystemStatus(const ProfileStore& store, SystemStatus& status) {
    status.outputFormat =
        static_cast<std::uint8_t>(ReadProfileInt(store, InfoKey(kSystem, "outformat")));
    status.inAKout1 =
        static_cast<std::uint8_t>(ReadProfileInt(store, InfoKey(kSystem, "InA_Kout1")));
    ApplyOutputFormat(status.resolution, status.outputFormat);
}

bool SaveSystemStatus(ProfileStore& store, const SystemStatus& status) {
    ProfileBatch batch(store);
    WriteProfileInt(store, InfoKey(kSystem, "outformat"), status.outputFormat);
    WriteProfileInt(store, InfoKey(kSystem, "InA_Kout1"), status.inAKout1);
    return batch.Commit();
}

std::optional<SystemReport> RecordSystemReport(ProfileStore& store, const Frame& reply) {
    const std::optional<SystemReport> report = DecodeSystemReport(reply);
    if (!report)
        return std::nullopt;
    ProfileBatch batch(store);
    WriteProfileInt(store, InfoKey(kSystem, "outformat"), report->outputFormat);
    WriteProfileInt(store, InfoKey(kSystem, "InA_Kout1"), report->inAKout1);
    WriteProfileInt(store, OutputConfigModeKey(1), report->configModeK);
    WriteProfileInt(store, OutputConfigModeKey(2), report->configModeL);
    return report;
}

bool RecordInputVersions(ProfileStore& store, const Frame& reply) {
    static constexpr std::array<std::string_view, 4> kKeys{"INA", "INB", "INC", "IND"};
    const std::array<std::string, 4> versions = DecodeInputVersions(reply);
    ProfileBatch batch(store);
    for (std::size_t card = 0; card < kKeys.size(); ++card)
        WriteProfileText(store, InfoKey(kVersion, std::string(kKeys[card])), versions[card]);
    return batch.Commit();
}

bool RecordOutputVersions(ProfileStore& store, const Frame& reply) {
    const std::array<std::string, 2> versions = DecodeOutputVersions(reply);
    ProfileBatch batch(store);
    WriteProfileText(store, InfoKey(kVersion, "OUTK"), versions[0]);
    WriteProfileText(store, InfoKey(kVersion, "OUTL"), versions[1]);
    return batch.Commit();
}

ConnectionSettings LoadConnectionSettings(const ProfileStore& store) {
    ConnectionSettings settings;
    settings.autoConnect = ReadProfileText(store, InfoKey(kConnect, "AutoConnect")) == "1";
    settings.serial = ReadProfileText(store, InfoKey(kConnect, "SerialTcp")) == "1";
    if (settings.serial) {
        const std::string portName = ReadProfileText(store, InfoKey(kConnect, "Comport"));
        if (!portName.empty())
            settings.portName = portName;
    } else {
        settings.ip = ReadProfileText(store, InfoKey(kConnect, "IP"));
        settings.port = ReadProfileInt(store, InfoKey(kConnect, "Port"));
    }
    return settings;
}

bool SaveConnectionSettings(ProfileStore& store, const ConnectionSettings& settings) {
    ProfileBatch batch(store);
    WriteProfileInt(store, InfoKey(kConnect, "AutoConnect"), settings.autoConnect ? 1 : 0);
    WriteProfileInt(store, InfoKey(kConnect, "SerialTcp"), settings.serial ? 1 : 0);
    WriteProfileText(store, InfoKey(kConnect, "Comport"), settings.portName);
    WriteProfileText(store, InfoKey(kConnect, "IP"), settings.ip);
    WriteProfileInt(store, InfoKey(kConnect, "Port"), settings.port);
    return batch.Commit();
}

OutScreenData ReadOutScreen(const ProfileStore& store, std::uint8_t card) {
    if (!IsOutputCard(card))
        return {};
    const std::vector<int> v = ReadProfileInts(store, InfoKey(kOutScreen, OutScreenKey(card)), 4);
    return {v[0], v[1], v[2], v[3]};
}

bool WriteOutScreen(ProfileStore& store, std::uint8_t card, const OutScreenData& screen) {
    if (!IsOutputCard(card))
        return false;
    const std::array<int, 4> values{screen.left, screen.top, screen.right, screen.bottom};
    return WriteProfileInts(store, InfoKey(kOutScreen, OutScreenKey(card)), values);
}

MatrixValues LoadMatrix(const ProfileStore& store) {
    store.CheckBeforeLoad(ConfigFileKind::SystemInfo, 0, SystemInfoSections());
    MatrixValues matrix{};
    for (int card = 1; card <= 2; ++card)
        ReadProfileInts(store, InfoKey(kMatrix, MatrixKey(card)), matrix[card - 1]);
    return matrix;
}

bool SaveMatrix(ProfileStore& store, const MatrixValues& matrix) {
    ProfileBatch batch(store);
    for (int card = 1; card <= 2; ++card)
        WriteProfileInts(store, InfoKey(kMatrix, MatrixKey(card)), matrix[card - 1]);
    return batch.Commit();
}

}  // namespace hsq
