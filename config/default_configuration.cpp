#include "config/default_configuration.h"

#include <array>
#include <string_view>
#include <system_error>

#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "config/profile_store.h"
#include "config/system_info.h"

namespace hsq {
namespace {

constexpr int kDefaultOutputFormat = 6;  // 1920 x 1080

// The output card pictures in the main window, one card picture (225 x 40) below the other.
constexpr OutScreenData kOutScreenK{0, 0, 225, 40};
constexpr OutScreenData kOutScreenL{0, 50, 225, 90};

bool WriteSystemInfo(ProfileStore& store, const SystemStatus& status) {
    ConnectionSettings connection;
    connection.serial = true;
    connection.ip = "192.168.0.100";
    connection.port = 7;
    ProfileBatch batch(store);
    SaveSystemStatus(store, status);
    SaveConnectionSettings(store, connection);
    WriteOutScreen(store, 1, kOutScreenK);
    WriteOutScreen(store, 2, kOutScreenL);
    SaveMatrix(store, MatrixValues{});
    return batch.Commit();
}

// Every timer section starts with no timers.
bool WriteEmptyTimers(ProfileStore& store) {
    static constexpr std::array<std::string_view, 3> kSections{"TIMERIN", "TIMEROUT", "TIMERALL"};
    ProfileBatch batch(store);
    for (std::string_view section : kSections)
        store.WriteInt(ConfigFileKind::Timer, section, "Timer", 0);
    return batch.Commit();
}

}  // namespace

bool WriteDefaultConfiguration(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return false;
    ProfileStore store(folder);
    SystemStatus status;
    status.outputFormat = kDefaultOutputFormat;
    ApplyOutputFormat(status.resolution, status.outputFormat);
    bool written = WriteSystemInfo(store, status);
    written = InitialiseInputProfile(store, status.resolution) && written;
    const OutputBoardRecord configurationModeZero;
    for (std::uint8_t card = 1; card <= 2; ++card)
        written = InitialiseOutputProfile(store, card, configurationModeZero, status.resolution) &&
                  written;
    return WriteEmptyTimers(store) && written;
}

}  // namespace hsq
