#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <mutex>

#include "app/main_window_state.h"
#include "app/paced_plan.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "service/line_client.h"

namespace hsq {

// How the main window learns what the processor holds and brings the files in line with it.
// Each operation may wait for replies: callers run it behind the waiting box.
class StatusReadback {
  public:
    static constexpr int kProcessorTcpPort = 7;

    // The processor listens on TCP port 7; tests put a loopback peer on another.
    StatusReadback(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                   int tcpPort = kProcessorTcpPort);

    // Told of each new status line as it is written, on the thread that writes it, so that the
    // window can show each step of a connect while it happens.
    void OnStatusLine(std::function<void(const std::string&)> shown) { statusShown_ = std::move(shown); }

    // Opens the chosen transport, pauses 1000 ms and shakes hands; on success reads the system
    // status. Every step is told on the status line. Returns the connected flag.
    bool Connect();
    // Closes the link and forgets the cards.
    void Disconnect();
    // Where the line services of this user listen; empty: never look for one.
    void LookForServicesIn(std::filesystem::path folder) { serviceFolder_ = std::move(folder); }
    // When the service the link went through has ended: the link is closed, the cards
    // forgotten and the status line says the line is free again. True when that happened now.
    bool NoticeServiceEnd();
    // A complete status reply sets the presence flags; otherwise the link is closed.
    bool Handshake();
    void ReadSystemStatus();
    // Selects the card and asks its three questions, each once more when unanswered. The
    // replies are recorded, and the records reloaded, only when every one came.
    PlanOutcome ReadInputCard(std::uint8_t index);
    // Whether the processor reports input card number (1..4) as answering.
    bool CheckInputCard(int number);
    void LoadAllProfiles();
    // An output format with both output cards' configuration modes, waiting long for the reply
    // and sending once more when none came.
    PlanOutcome SendOutputFormat(std::uint8_t code, WorkProgress& progress);
    // The input profile's picture rectangles and both output profiles reset to fresh ones at the
    // main window's resolution.
    void InitialiseProfiles();
    // The worker of the initialise command: the main window's output format to the processor,
    // then, once the processor confirmed it, every profile reset to it.
    PlanOutcome InitialiseSystem(WorkProgress& progress);

  private:
    bool FindService();
    bool ConnectThroughService();
    bool ConnectSerial();
    bool ConnectNetwork();
    void SetStatus(std::string_view prefix, const Bilingual& text);

    MainWindowState& state_;
    std::function<void(const std::string&)> statusShown_;
    std::filesystem::path serviceFolder_;
    std::unique_ptr<LineClient> service_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    int tcpPort_;
    std::mutex initialisation_;
};

}  // namespace hsq
