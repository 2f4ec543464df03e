#include "app/status_readback.h"

#include "commands/reply_decoders.h"

namespace hsq {
namespace {

constexpr int kOpenPauseMs = 1000;
constexpr int kCardSelectPauseMs = 100;
constexpr int kCardLoadPauseMs = 200;

constexpr Bilingual kSerialOpened{"串口已打开成功", "Serial Opened successfully"};
constexpr Bilingual kSerialClosed{"串口已关闭", "Serial Closed"};
constexpr Bilingual kSerialOpenFailed{"", "Serial Open Failed"};
constexpr Bilingual kNetworkOpened{"网络已打开成功", "Network opened successfully"};
constexpr Bilingual kNetworkClosed{"网络已关闭", "Network closed"};
constexpr Bilingual kNetworkOpenFailed{"网络打开失败", "Network open failed"};
constexpr Bilingual kClosed{"已关闭", "Closed"};

}  // namespace

StatusReadback::StatusReadback(MainWindowState& state, ProfileStore& store,
                               DeviceCommands& commands, int tcpPort)
    : state_(state), store_(store), commands_(commands), tcpPort_(tcpPort) {}

void StatusReadback::SetStatus(std::string_view prefix, const Bilingual& text) {
    state_.statusLine = std::string(prefix) + std::string(text.In(state_.language));
    if (statusShown_) statusShown_(state_.statusLine);
}

bool StatusReadback::Connect() {
    commands_.link().SetUseSerial(state_.connection.serial ? 1 : 0);
    state_.connected = state_.connection.serial ? ConnectSerial() : ConnectNetwork();
    if (state_.connected) ReadSystemStatus();
    return state_.connected;
}

bool StatusReadback::ConnectSerial() {
    DeviceLink& link = commands_.link();
    const std::string& port = state_.connection.portName;
    if (link.Open(state_.connection.ip, tcpPort_, port) == 0) {
        SetStatus(port, kSerialOpenFailed);
        return false;
    }
    SetStatus(port, kSerialOpened);
    link.clock().SleepMs(kOpenPauseMs);
    if (Handshake()) return true;
    SetStatus(port, kSerialClosed);
    return false;
}

bool StatusReadback::ConnectNetwork() {
    DeviceLink& link = commands_.link();
    if (link.Open(state_.connection.ip, tcpPort_, state_.connection.portName) == 0) {
        SetStatus("", kNetworkOpenFailed);
        return false;
    }
    SetStatus("", kNetworkOpened);
    link.clock().SleepMs(kOpenPauseMs);
    if (Handshake()) return true;
    SetStatus("", kNetworkClosed);
    return false;
}

// The line names what was closed: the port, or the processor's address after a TCP session
// (whatever the transport chosen since).
void StatusReadback::Disconnect() {
    DeviceLink& link = commands_.link();
    link.Close();
    SetStatus(link.UseSerial() != 0 ? state_.connection.portName : state_.connection.ip, kClosed);
    state_.connected = false;
    state_.presence = {};
}

bool StatusReadback::Handshake() {
    commands_.link().DiscardReply();
    Frame reply{};
    if (commands_.Query(kQueryStatus, 0, reply) != kFrameSize) {
        commands_.link().Close();
        SetStatus(state_.connection.portName, kClosed);
        return false;
    }
    const StatusReport status = DecodeStatus(reply);
    state_.presence.input = status.inputPresent;
    state_.presence.output = status.outputPresent;
    return true;
}

void StatusReadback::ReadSystemStatus() {
    commands_.link().DiscardReply();
    Frame reply{};
    if (commands_.Query(kQuerySystem, 0, reply) == kFrameSize) {
        if (const auto report = RecordSystemReport(store_, reply))
            state_.configFlags = {report->configFlag0, report->configFlag1};
    }
    LoadSystemStatus(store_, state_.system);
    Frame versions{};
    if (commands_.Query(kQueryInputVersions, 0, versions) != kFrameSize) return;
    RecordInputVersions(store_, versions);
    versions = {};
    if (commands_.Query(kQueryOutputVersions, 0, versions) != kFrameSize) return;
    RecordOutputVersions(store_, versions);
}

// Only complete replies are recorded: the three questions share one buffer, so an incomplete
// reply would record the bytes of the one before.
std::uint8_t StatusReadback::ReadInputCard(std::uint8_t index) {
    commands_.link().DiscardReply();
    commands_.SelectInputCard(index);
    commands_.link().clock().SleepMs(kCardSelectPauseMs);
    Frame reply{};
    std::uint8_t count = commands_.Query(kQueryInputCardInfo, index, reply);
    if (count == kFrameSize) RecordInputCardInfo(store_, reply);
    count = commands_.Query(kQueryInputMainWindow, index, reply);
    if (count == kFrameSize) RecordInputMainWindow(store_, reply);
    count = commands_.Query(kQueryInputPipWindow, index, reply);
    if (count == kFrameSize) RecordInputPipWindow(store_, reply);
    LoadInputProfile(store_, state_.inputs);
    commands_.link().clock().SleepMs(kCardLoadPauseMs);
    return count;
}

bool StatusReadback::CheckInputCard(int number) {
    Frame reply{};
    if (commands_.Query(kQueryStatus, 0, reply) != kFrameSize) return false;
    if (number >= 1 && number <= kInputCardCount && DecodeStatus(reply).inputAnswers[number - 1]) {
        return true;
    }
    commands_.link().clock().SleepMs(kCardLoadPauseMs);
    return false;
}

void StatusReadback::LoadAllProfiles() {
    ProfileBatch batch(store_);
    LoadInputProfile(store_, state_.inputs);
    LoadOutputProfiles(store_, state_.outputs);
    state_.matrix = LoadMatrix(store_);
}

void StatusReadback::SendOutputFormat() {
    commands_.SetOutputFormat(state_.system.outputFormat, state_.outputs[0].configMode,
                              state_.outputs[1].configMode);
}

void StatusReadback::InitialiseProfiles() {
    InitialiseInputProfile(store_, state_.system.resolution);
    InitialiseOutputProfile(store_, 1, state_.outputs[0], state_.system.resolution);
    InitialiseOutputProfile(store_, 2, state_.outputs[1], state_.system.resolution);
}

void StatusReadback::InitialiseSystem(WorkProgress& progress) {
    std::lock_guard hold(initialisation_);
    ProfileBatch batch(store_);  // each file replaced once, when the whole reset is done
    constexpr int kSteps = 5;
    progress.Report(0, kSteps);
    SendOutputFormat();
    SaveSystemStatus(store_, state_.system);
    progress.Report(1, kSteps);
    ReadSystemStatus();
    progress.Report(2, kSteps);
    InitialiseProfiles();  // two steps: the input profile, then both output profiles
    progress.Report(4, kSteps);
    LoadAllProfiles();
    progress.Report(kSteps, kSteps);
}

}  // namespace hsq
