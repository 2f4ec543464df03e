#include "app/status_readback.h"

#include <array>

#include "commands/reply_decoders.h"
#include "service/line_socket.h"

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
constexpr Bilingual kThroughService{"：经由占用此线路的服务连接", ": through the service that holds the line"};
constexpr Bilingual kServiceEnded{"占用线路的服务已结束，线路已空闲，请重新连接",
                                  "The service that held the line has ended: the line is free "
                                  "again, connect again"};

}  // namespace

StatusReadback::StatusReadback(MainWindowState& state, ProfileStore& store,
                               DeviceCommands& commands, int tcpPort)
    : state_(state), store_(store), commands_(commands), tcpPort_(tcpPort) {}

void StatusReadback::SetStatus(std::string_view prefix, const Bilingual& text) {
    constexpr Bilingual kSimulated{"（模拟处理器）", " (simulated processor)"};
    state_.statusLine = std::string(prefix) + std::string(text.In(state_.language));
    if (state_.simulated) state_.statusLine += kSimulated.In(state_.language);
    if (statusShown_) statusShown_(state_.statusLine);
}

bool StatusReadback::Connect() {
    commands_.link().SetUseSerial(state_.connection.serial ? 1 : 0);
    if (FindService())
        state_.connected = ConnectThroughService();
    else
        state_.connected = state_.connection.serial ? ConnectSerial() : ConnectNetwork();
    if (state_.connected) ReadSystemStatus();
    return state_.connected;
}

// A service of this machine that holds the line already is the only way to it.
bool StatusReadback::FindService() {
    if (serviceFolder_.empty()) return false;
    service_ = LineClient::Connect(LineSocketPath(serviceFolder_, LineChoice::From(state_.connection)));
    return service_ != nullptr;
}

bool StatusReadback::ConnectThroughService() {
    commands_.link().AttachRemote(service_.get());
    const std::string name = state_.connection.serial ? state_.connection.portName
                                                      : state_.connection.ip;
    SetStatus(name, kThroughService);
    if (Handshake()) return true;
    service_.reset();
    SetStatus(name, kClosed);
    return false;
}

bool StatusReadback::NoticeServiceEnd() {
    if (!service_ || !service_->Ended()) return false;
    commands_.link().Close();
    service_.reset();
    state_.connected = false;
    state_.presence = {};
    SetStatus("", kServiceEnded);
    return true;
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
    service_.reset();
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

// The three replies are kept apart and recorded together: a card half read would put one
// moment's window beside another moment's signal.
PlanOutcome StatusReadback::ReadInputCard(std::uint8_t index) {
    std::array<Frame, 3> replies{};
    const auto ask = [this, index](std::uint8_t selector, Frame& reply) -> PacedStep {
        return {[this, index, selector, &reply] {
                    return commands_.Query(selector, index, reply) == kFrameSize;
                },
                0};
    };
    const PacedPlan plan{
        {[this, index] { return commands_.SelectInputCard(index) == kFrameSize; },
         kCardSelectPauseMs},
        ask(kQueryInputCardInfo, replies[0]),
        ask(kQueryInputMainWindow, replies[1]),
        ask(kQueryInputPipWindow, replies[2]),
    };
    commands_.link().DiscardReply();
    UnwatchedProgress progress;  // over in a moment: the waiting box shows no steps
    const PlanOutcome outcome = RunPlan(plan, commands_.link(), progress);
    if (outcome.Done()) {
        ProfileBatch batch(store_);
        RecordInputCardInfo(store_, replies[0]);
        RecordInputMainWindow(store_, replies[1]);
        RecordInputPipWindow(store_, replies[2]);
        LoadInputProfile(store_, state_.inputs);
    }
    commands_.link().clock().SleepMs(kCardLoadPauseMs);
    return outcome;
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

PlanOutcome StatusReadback::SendOutputFormat(std::uint8_t code, WorkProgress& progress) {
    const PacedPlan plan{{[this, code] {
                              return commands_.SetOutputFormat(code, state_.outputs[0].configMode,
                                                               state_.outputs[1].configMode) ==
                                     kFrameSize;
                          },
                          0}};
    return RunPlan(plan, commands_.link(), progress);
}

void StatusReadback::InitialiseProfiles() {
    InitialiseInputProfile(store_, state_.system.resolution);
    InitialiseOutputProfile(store_, 1, state_.outputs[0], state_.system.resolution);
    InitialiseOutputProfile(store_, 2, state_.outputs[1], state_.system.resolution);
}

// The processor starts its data afresh on the format it confirms; the files follow it then, and
// only then.
PlanOutcome StatusReadback::InitialiseSystem(WorkProgress& progress) {
    std::lock_guard hold(initialisation_);
    const PlanOutcome sent = SendOutputFormat(state_.system.outputFormat, progress);
    if (!sent.Done()) return sent;
    ProfileBatch batch(store_);  // each file replaced once, when the whole reset is done
    SaveSystemStatus(store_, state_.system);
    ReadSystemStatus();
    InitialiseProfiles();
    LoadAllProfiles();
    return sent;
}

}  // namespace hsq
