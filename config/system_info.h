#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "commands/reply_decoders.h"
#include "config/output_resolution.h"
#include "config/profile_store.h"
#include "link/command_frame.h"

namespace hsq {

// What the main window keeps from section "System".
struct SystemStatus {
    std::uint8_t outputFormat = 0;  // "outformat"
    OutputResolution resolution;
    std::uint8_t inAKout1 = 0;  // "InA_Kout1": 0 = In-A, 1 = K.Out1
};

// Reads "outformat" and "InA_Kout1"; an unknown code keeps the resolution status already held.
void LoadSystemStatus(const ProfileStore& store, SystemStatus& status);
bool SaveSystemStatus(ProfileStore& store, const SystemStatus& status);

// Records a system reply (query 1) into "System" and the "Config_Mode" of both output profiles.
// Empty, and nothing written, when the reply is not from the processor; otherwise the decoded
// reply, whose two configuration flags the main window keeps.
std::optional<SystemReport> RecordSystemReport(ProfileStore& store, const Frame& reply);

// Section "Version": "INA".."IND" from query 24, "OUTK" and "OUTL" from query 23.
bool RecordInputVersions(ProfileStore& store, const Frame& reply);
bool RecordOutputVersions(ProfileStore& store, const Frame& reply);

// Section "Connect".
struct ConnectionSettings {
    bool autoConnect = false;
    bool serial = false;  // otherwise TCP
    std::string portName = "COM1";
    std::string ip;
    int port = 0;
};

// As at start-up: only the chosen transport's keys are read; a port name never read or stored
// empty stays "COM1".
ConnectionSettings LoadConnectionSettings(const ProfileStore& store);
// Writes every key of the section, as a fresh configuration holds them.
bool SaveConnectionSettings(ProfileStore& store, const ConnectionSettings& settings);

// Where an output card's picture sits in the main window's output area ("OutScreenData").
struct OutScreenData {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const OutScreenData&, const OutScreenData&) = default;
};

// card 1 is K ("OutScreen1"), card 2 is L ("OutScreen2").
OutScreenData ReadOutScreen(const ProfileStore& store, std::uint8_t card);
bool WriteOutScreen(ProfileStore& store, std::uint8_t card, const OutScreenData& screen);

// Section "MATRIX": four values per output card, kept unchanged; index 0 is card 1. Loading it
// is loading the file, so a damaged file is told then.
using MatrixValues = std::array<std::array<int, 4>, 2>;
MatrixValues LoadMatrix(const ProfileStore& store);
bool SaveMatrix(ProfileStore& store, const MatrixValues& matrix);

}  // namespace hsq
