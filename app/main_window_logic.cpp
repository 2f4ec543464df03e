#include "app/main_window_logic.h"

#include <cstdio>

#include "app/language.h"
#include "app/message_catalogue.h"
#include "config/system_info.h"
#include "dialog/processor_messages.h"

namespace hsq {
namespace {

constexpr int kInputPictureLeft = 12;
constexpr int kInputPictureTop = 16;
constexpr int kInputPictureStep = 50;

std::string SmallScreenQuestion(LanguageFlag language, int width, int height) {
    constexpr Bilingual kQuestion{
        "我们检测到您系统的分辨率是 %d X %d,由于软件界面需要，太小的分辨率可能导致界面显示不完全，"
        "故我们建议您使用1024 X 768或者以上的分辨率，是否继续启动软件?",
        "We detected that your system's resolution is %d X %d, due to a software interface "
        "needs, small screen display resolution may result in incomplete, and therefore we "
        "recommend that you use a 1024 X 768 or greater resolution, whether to continue start "
        "the software?"};
    const std::string format(kQuestion.In(language));
    std::string text(format.size() + 32, '\0');
    const int length = std::snprintf(text.data(), text.size(), format.c_str(), width, height);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

}  // namespace

MainWindowLogic::MainWindowLogic(MainWindowState& state, ProfileStore& store,
                                 DeviceCommands& commands, DialogHost& host, DialogOpener& dialogs,
                                 int tcpPort)
    : state_(state), store_(store), commands_(commands), host_(host), dialogs_(dialogs),
      notices_(host, state.language), readback_(state, store, commands, tcpPort),
      inputs_(kInputCardCount, kAreaWidth, kAreaHeight),
      outputs_(kOutputCardCount, kAreaWidth, kAreaHeight) {
    for (int i = 0; i < kInputCardCount; ++i) inputs_.Place(i, InputPicturePlace(i));
    store_.SetProblemSink(&notices_);
}

MainWindowLogic::~MainWindowLogic() { store_.SetProblemSink(nullptr); }

Rect MainWindowLogic::InputPicturePlace(int index) {
    const int top = kInputPictureTop + index * kInputPictureStep;
    return {kInputPictureLeft, top, kInputPictureLeft + kPictureWidth, top + kPictureHeight};
}

void MainWindowLogic::TakeSystemLanguage(int systemLanguageId) {
    const StartLanguage language = LanguageForSystem(systemLanguageId);
    state_.language = language.language;
    state_.localeClass = language.localeClass;
}

bool MainWindowLogic::Start(int systemLanguageId, int screenWidth, int screenHeight) {
    TakeSystemLanguage(systemLanguageId);
    if (screenWidth < 1024 || screenHeight < 768) {
        const auto question = SmallScreenQuestion(state_.language, screenWidth, screenHeight);
        if (!host_.AskYesNo(kSystemMessage.In(state_.language), question)) return false;
    }
    store_.RemoveStaleTemporaries();
    if (!store_.FileExists(ConfigFileKind::SystemInfo)) {
        ShowMessage(host_, state_.language, kMessageNoSystemFile);
    } else if (!store_.FileExists(ConfigFileKind::Input)) {
        ShowMessage(host_, state_.language, kMessageNoInputFile);
    } else if (!store_.FileExists(ConfigFileKind::Output, 1)) {
        ShowMessage(host_, state_.language, kMessageNoOutputFile);
    } else {
        state_.configurationFound = true;
        PlaceOutputPictures();
        UpdatePictures();
        state_.connection = LoadConnectionSettings(store_);
        if (state_.connection.autoConnect) Connect();
        readback_.LoadAllProfiles();
    }
    return true;
}

bool MainWindowLogic::Guarded() {
    if (state_.configurationFound) return true;
    ShowMessage(host_, state_.language, kMessageNoSystemFile);
    return false;
}

// What went wrong with the files during a worker is told once the waiting box is gone, and never
// while a worker may hold a file.
void MainWindowLogic::RunWorker(const std::function<void(WorkProgress&)>& work) {
    host_.RunWorker(work);
    notices_.ShowPending();
}

DialogOutcome MainWindowLogic::OpenDialog(DialogKind kind) {
    const DialogOutcome outcome = dialogs_.Open(kind);
    notices_.ShowPending();
    return outcome;
}

void MainWindowLogic::Connect() {
    state_.processorSilent = false;
    RunWorker([this](WorkProgress&) { readback_.Connect(); });
    UpdatePictures();
}

void MainWindowLogic::OnConnectButton() {
    if (state_.connected) {
        readback_.Disconnect();
        Disconnected();
        return;
    }
    if (!Guarded()) return;
    Connect();
    if (!state_.connected) ShowMessage(host_, state_.language, kMessageConnectFailed);
}

bool MainWindowLogic::OnClockTick() {
    notices_.ShowPending();
    if (readback_.NoticeServiceEnd()) {
        Disconnected();
        return true;
    }
    return ShowHealth();
}

// No reconnection of our own: the operator decides, with Disconnect and Connect.
bool MainWindowLogic::ShowHealth() {
    const bool silent = state_.connected && !commands_.link().Answering();
    if (silent == state_.processorSilent) return false;
    ShowProcessorSilent(silent);
    return true;
}

void MainWindowLogic::ShowProcessorSilent(bool silent) {
    constexpr Bilingual kSilent{"处理器没有应答：请检查线路，或断开后重新连接",
                                "The processor does not answer: check the line, or disconnect "
                                "and connect again"};
    constexpr Bilingual kAnswersAgain{"处理器已恢复应答", "The processor answers again"};
    state_.processorSilent = silent;
    state_.statusLine = std::string((silent ? kSilent : kAnswersAgain).In(state_.language));
}

void MainWindowLogic::Disconnected() {
    state_.processorSilent = false;
    inputs_.ClearSelection();
    outputs_.ClearSelection();
    UpdatePictures();
}

void MainWindowLogic::OnConnectionSettings() {
    if (Guarded()) OpenDialog(DialogKind::ConnectionSettings);
}

// Guarded too: without the files found the records were never loaded, and initialising would
// write a system file of one key and reset every rectangle to a size nobody chose.
void MainWindowLogic::OnInitialise() {
    if (!Guarded()) return;
    constexpr Bilingual kQuestion{"确定要对系统进行初始化吗？初始化之后，请重启设备！ ",
                                  "Sure you want to initialize the system? After the "
                                  "initialization, please restart your device"};
    if (!host_.AskYesNo(kSystemMessage.In(state_.language), kQuestion.In(state_.language))) return;
    PlanOutcome outcome;
    RunWorker([&](WorkProgress& progress) { outcome = readback_.InitialiseSystem(progress); });
    if (!outcome.Done())
        host_.ShowMessage(kSystemMessage.In(state_.language),
                          UnansweredText(state_.language, outcome, kNothingChanged));
}

void MainWindowLogic::OnResolution() {
    if (Guarded()) OpenDialog(DialogKind::Resolution);
}

void MainWindowLogic::OnDisplayMode() {
    if (!Guarded()) return;
    const DialogOutcome outcome = OpenDialog(DialogKind::DisplayMode);
    if (outcome.outputFormat != -1 && outcome.inAKout1 != -1) {
        state_.system.outputFormat = static_cast<std::uint8_t>(outcome.outputFormat);
        ApplyOutputFormat(state_.system.resolution, outcome.outputFormat);
        state_.system.inAKout1 = static_cast<std::uint8_t>(outcome.inAKout1);
    }
    readback_.LoadAllProfiles();
}

void MainWindowLogic::OnModeRecall() {
    OpenDialog(DialogKind::DisplayMode);
    if (state_.connected) RunWorker([this](WorkProgress&) { readback_.ReadSystemStatus(); });
}

void MainWindowLogic::OnLanguage() { OpenDialog(DialogKind::Language); }
void MainWindowLogic::OnVersion() { OpenDialog(DialogKind::Version); }
void MainWindowLogic::OnScheduler() { OpenDialog(DialogKind::Scheduler); }
void MainWindowLogic::OnAdcEdid() { OpenDialog(DialogKind::AdcEdid); }
void MainWindowLogic::OnTrafficMonitor() { OpenDialog(DialogKind::TrafficMonitor); }
void MainWindowLogic::OnAbout() { OpenDialog(DialogKind::About); }

bool MainWindowLogic::OnClose() {
    constexpr Bilingual kQuestion{"要退出吗? ", "Do you want to exit?"};
    if (!host_.AskYesNo(kSystemMessage.In(state_.language), kQuestion.In(state_.language))) {
        return false;
    }
    SaveProfiles();
    return true;
}

void MainWindowLogic::SaveProfiles() {
    ProfileBatch batch(store_);
    SaveInputProfile(store_, state_.inputs);
    SaveOutputProfiles(store_, state_.outputs);
}

void MainWindowLogic::OnLeftButtonDown(Area area, Point point) {
    handles_ = area;
    if (area == Area::Output && outputs_.AnyVisible()) outputs_.Press(point);
    if (area == Area::Input && inputs_.AnyVisible()) inputs_.Press(point);
    StoreOutputPlaces();
}

void MainWindowLogic::OnMouseMove(Point point) {
    if (handles_ == Area::Output) outputs_.Drag(point);
    if (handles_ == Area::Input) inputs_.Drag(point);
}

// The end of a drag is stored at once: kept only until the next press, as the original did, a
// move followed by closing the window was lost.
void MainWindowLogic::OnLeftButtonUp(Point point) {
    if (handles_ == Area::Output) {
        outputs_.Release(point);
        StoreOutputPlaces();
    }
    if (handles_ == Area::Input) inputs_.Release(point);
}

void MainWindowLogic::StoreOutputPlaces() {
    if (!state_.configurationFound) return;
    ProfileBatch batch(store_);
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (!state_.presence.output[card]) continue;
        const Rect& r = outputs_.Picture(card);
        WriteOutScreen(store_, static_cast<std::uint8_t>(card + 1),
                       {r.left, r.top, r.right, r.bottom});
    }
}

void MainWindowLogic::OnDoubleClick(Area area) {
    if (area == Area::Output) {
        const auto selected = outputs_.SelectedIndices();
        if (selected.size() == 1) OpenOutputBoard(selected.front());
    }
    if (area == Area::Input) {
        const auto selected = inputs_.SelectedIndices();
        if (selected.size() == 1) OpenInputCard(selected.front());
    }
}

// The dialog keeps the record with the mode it read or recalled last, and saves windows only
// into that mode's section: nothing is left to bring back once it closes.
void MainWindowLogic::OpenOutputBoard(int card) {
    state_.selectedOutput = static_cast<std::uint8_t>(card);
    const auto board = static_cast<std::uint8_t>(card);
    const PacedPlan select{{[&] { return commands_.SelectOutputBoard(board, 0) == kFrameSize; }}};
    PlanOutcome selected;
    RunWorker([&](WorkProgress& progress) {
        selected = RunPlan(select, commands_.link(), progress);
    });
    // A processor that does not take the card's selection would not answer its reading either.
    if (!selected.Done()) {
        host_.ShowMessage(kSystemInformation.In(state_.language),
                          UnansweredText(state_.language, selected, kNothingChanged));
        return;
    }
    OpenDialog(DialogKind::OutputBoard);
}

// The dialog changes the card's record alone, and only as the processor confirms.
void MainWindowLogic::OpenInputCard(int card) {
    PlanOutcome read;
    RunWorker(
        [&](WorkProgress&) { read = readback_.ReadInputCard(static_cast<std::uint8_t>(card)); });
    if (!read.Done()) {
        const auto failed = CatalogueMessage(kMessageInputCardReadFailed);
        host_.ShowMessage(kSystemInformation.In(state_.language),
                          std::string(failed->In(state_.language)) + "\n" +
                              UnansweredText(state_.language, read, kNothingChanged));
        return;
    }
    state_.selectedInput = static_cast<std::uint8_t>(card);
    OpenDialog(DialogKind::InputCard);
    SaveInputProfile(store_, state_.inputs);
}

void MainWindowLogic::PlaceOutputPictures() {
    for (int card = 0; card < kOutputCardCount; ++card) {
        const OutScreenData place = ReadOutScreen(store_, static_cast<std::uint8_t>(card + 1));
        outputs_.Place(card, {place.left, place.top, place.right, place.bottom});
    }
}

void MainWindowLogic::UpdatePictures() {
    for (int i = 0; i < kInputCardCount; ++i) inputs_.Show(i, state_.presence.input[i]);
    for (int i = 0; i < kOutputCardCount; ++i) outputs_.Show(i, state_.presence.output[i]);
}

std::string MainWindowLogic::ClockText() const {
    const LocalTime now = commands_.link().clock().LocalNow();
    char text[32];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d  %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return text;
}

std::string MainWindowLogic::WindowTitle() const {
    constexpr Bilingual kSimulated{" —— 模拟处理器", " — simulated processor"};
    std::string title(CaptionText(Caption::WindowTitle));
    if (state_.simulated) title += kSimulated.In(state_.language);
    return title;
}

std::string_view MainWindowLogic::CaptionText(Caption caption) const {
    const LanguageFlag language = state_.language;
    switch (caption) {
        case Caption::WindowTitle:
            return Bilingual{"HSQ2600控制软件(V1.00)", "HSQ2600 Software Controller(V1.00)"}.In(
                language);
        case Caption::Connect:
            return state_.connected ? Bilingual{"关闭连接", "DisConnect"}.In(language)
                                    : Bilingual{"打开连接", "Connect"}.In(language);
        case Caption::ConnectionSettings:
            return Bilingual{"连接设置", "Communication settings"}.In(language);
        case Caption::Initialise: return Bilingual{"初 始 化", "Initializtion"}.In(language);
        case Caption::Resolution: return Bilingual{"分 辨 率", "Resolution"}.In(language);
        case Caption::DisplayMode: return Bilingual{"模   式", "Display mode"}.In(language);
        case Caption::Language: return Bilingual{"语    言", "Language"}.In(language);
        case Caption::Version: return Bilingual{"版    本", "Version"}.In(language);
        case Caption::Scheduler: return Bilingual{"定 时 器", "Scheduler"}.In(language);
        case Caption::ModeRecall: return Bilingual{"模式调用", "Mode recall"}.In(language);
        case Caption::AdcEdid: return Bilingual{"ADC/EDID", "ADC/EDID"}.In(language);
        case Caption::InputArea: return Bilingual{"输入卡", "INPUT CARDS"}.In(language);
        case Caption::OutputArea: return Bilingual{"输出卡", "OUTPUT CARDS"}.In(language);
        case Caption::TrafficMonitor: return Bilingual{"通讯监视", "Traffic monitor"}.In(language);
        case Caption::About: return Bilingual{"关于 HSQ2600(&A)...", "About HSQ2600..."}.In(language);
    }
    return {};
}

}  // namespace hsq
