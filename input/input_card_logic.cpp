#include "input/input_card_logic.h"

#include <cstdio>
#include <memory>

#include "app/paced_plan.h"
#include "canvas/wire_rect.h"
#include "dialog/number_text.h"
#include "dialog/processor_messages.h"

namespace hsq {
namespace {

constexpr Bilingual kOnlyPipSaved{"子通道已保存，主通道没有更改。",
                                  "The PIP window was saved; the main picture was not changed."};

// The card's mode: what its picture shows besides the main signal.
constexpr std::uint8_t kMainOnly = 0;
constexpr std::uint8_t kPipOn = 1;
constexpr std::uint8_t kPipWithSignal = 2;
constexpr std::uint8_t kTextOn = 3;
constexpr std::uint8_t kTextWithSignal = 4;

constexpr std::uint8_t kNoSignal = 15;
constexpr std::uint8_t kVga = 2;
constexpr std::uint8_t kMainIndex = 1;
constexpr std::uint8_t kPipIndex = 2;

constexpr Color kUnselected{169, 169, 169};
constexpr Color kMainSignal{0, 255, 0};
constexpr Color kSubSignal{0, 0, 255};
constexpr Color kSubIsMain{0, 255, 255};
constexpr Color kActiveFace{125, 38, 205};
constexpr Color kIdleFace{0, 13, 18};

// The buttons run from code 3 on the left to 0 on the right.
std::uint8_t CodeOf(int button) {
    return static_cast<std::uint8_t>(3 - button);
}

Color Face(bool active) {
    return active ? kActiveFace : kIdleFace;
}

std::array<int, 4> Fields(const ProcessorRect& rect) {
    using Field = InputCardSpace::Field;
    std::array<int, 4> fields{};
    for (Field field : {Field::W, Field::H, Field::X, Field::Y})
        fields[static_cast<int>(field)] = InputCardSpace::Shown(rect, field);
    return fields;
}

}  // namespace

InputCardLogic::InputCardLogic(MainWindowState& state, DeviceCommands& commands,
                               DialogHost& host, int card, Dialogs dialogs)
    : state_(state), commands_(commands), host_(host), card_(card),
      dialogs_(std::move(dialogs)), space_(state.system.resolution) {
    canvas_.OnNotice([this](LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
        OnNotice(notice, items);
    });
    // One screen, the windows kept on the canvas.
    canvas_.Editor().SetRestraint(Restraint::InsideMargins);
    canvas_.Editor().SetWall({1, 1, InputCardSpace::kCanvasWidth, InputCardSpace::kCanvasHeight});
    canvas_.Items().SetPaperSize({InputCardSpace::kCanvasWidth, InputCardSpace::kCanvasHeight});
    mainWindow_ = AddWindow(kMainIndex);
    pipWindow_ = AddWindow(kPipIndex);
    mainRect_ = ToProcessorRect(Record().mainRect);
    pipRect_ = ToProcessorRect(Record().pipRect);
    Place(*mainWindow_, mainRect_);
    Place(*pipWindow_, pipRect_);
}

CChannelWindow* InputCardLogic::AddWindow(std::uint8_t index) {
    ChannelWindowSettings settings;
    settings.ratioX = space_.RatioX();
    settings.ratioY = space_.RatioY();
    settings.borderColor = kBlack;
    settings.index = index;
    settings.kind = kInputCardWindow;
    settings.splitMode = 1;
    settings.layoutWidth = InputCardSpace::kCanvasWidth;
    settings.layoutHeight = InputCardSpace::kCanvasHeight;
    auto window = std::make_unique<CChannelWindow>();
    window->SetSettings(settings);
    return static_cast<CChannelWindow*>(&canvas_.Editor().AddObject(std::move(window)));
}

void InputCardLogic::Place(CChannelWindow& window, const ProcessorRect& values) {
    window.SetProcessor(values);
    window.SetRectangle(space_.CanvasRect(values));
    canvas_.Editor().Redraw();
}

ProcessorRect& InputCardLogic::RectOf(const CChannelWindow& window) {
    return window.Settings().index == kMainIndex ? mainRect_ : pipRect_;
}

bool InputCardLogic::PipOn() const {
    return Record().mode == kPipOn || Record().mode == kPipWithSignal;
}

bool InputCardLogic::TextOn() const {
    return Record().mode == kTextOn || Record().mode == kTextWithSignal;
}

std::uint8_t InputCardLogic::SubSignal() const {
    const bool chosen = Record().mode == kPipWithSignal || Record().mode == kTextWithSignal;
    return chosen ? Record().subSignal : kNoSignal;
}

bool InputCardLogic::VgaAutoEnabled() const {
    return Record().mainSignal == kVga && !PipOn() && !TextOn();
}

void InputCardLogic::Tell(std::string_view message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message);
}

void InputCardLogic::Tell(const Bilingual& message) {
    Tell(message.In(Language()));
}

bool InputCardLogic::Send(const std::function<void(WorkProgress&)>& exchange) {
    if (!state_.connected) {
        Tell(kNotConnected);
        return false;
    }
    host_.RunWorker([&](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        commands_.link().DiscardReply();
        exchange(progress);
    });
    return true;
}

// A command sent once more when unanswered (each is a setting, so a repeat is harmless).
void InputCardLogic::Change(const std::function<std::uint8_t()>& command,
                            const std::function<void()>& confirmed) {
    bool answered = false;
    const bool sent = Send([&](WorkProgress&) {
        answered = AnsweredWithRetry([&] { return command() == kFrameSize; });
        if (answered) confirmed();
    });
    if (sent && !answered) Tell(kNotConfirmed);
}

// --- Signals and overlays ----------------------------------------------------------------

void InputCardLogic::OnSignal(int button) {
    if (button < 0 || button >= kSignalButtons) return;
    const std::uint8_t code = CodeOf(button);
    const bool pip = PipOn();
    const bool text = TextOn();
    if (code == (pip || text ? SubSignal() : Record().mainSignal)) return;
    Change(
        [&] {
            if (pip) return commands_.SetPipSource(code);
            if (text) return commands_.SetTextSource(code);
            return commands_.SetMainSource(code);
        },
        [&] {
            if (!pip && !text) {
                Record().mainSignal = code;
                return;
            }
            Record().mode = pip ? kPipWithSignal : kTextWithSignal;
            Record().subSignal = code;
        });
}

void InputCardLogic::Switched(std::uint8_t mode) {
    Record().mode = mode;
    Record().subSignal = kNoSignal;
    if (!PipOn()) collapsed_ = true;
}

void InputCardLogic::OnPip() {
    if (TextOn()) return;
    const bool on = !PipOn();
    Change([&] { return commands_.SetPipEnable(on); },
           [&] { Switched(on ? kPipOn : kMainOnly); });
}

void InputCardLogic::OnText() {
    if (PipOn()) return;
    const bool on = !TextOn();
    Change([&] { return commands_.SetTextEnable(on); },
           [&] { Switched(on ? kTextOn : kMainOnly); });
}

// The processor adjusts for a while after it confirms; the face then says it is done.
void InputCardLogic::OnVgaAuto() {
    if (!VgaAutoEnabled()) return;
    Change([&] { return commands_.VgaAutoAdjust(); },
           [&] {
               commands_.link().clock().SleepMs(kVgaAutoMs);
               vgaAdjusted_ = true;
           });
}

void InputCardLogic::OnSettings() {
    if (dialogs_.pictureAdjustment) dialogs_.pictureAdjustment();
}

void InputCardLogic::OnPanelToggle() {
    if (PipOn()) collapsed_ = !collapsed_;
}

// --- The rectangles ----------------------------------------------------------------------

// A value is taken whole, once the operator has finished it; one that would leave the picture
// is refused and the window keeps the value it had.
void InputCardLogic::OnField(Row row, Field field, const std::string& text) {
    CChannelWindow& window = row == Row::Main ? *mainWindow_ : *pipWindow_;
    ProcessorRect& rect = RectOf(window);
    const auto value = NumberFromText(text);
    const auto edited = value ? space_.Edited(rect, field, *value) : std::nullopt;
    if (!edited) return Tell(kValueOutOfRange);
    rect = *edited;
    Place(window, rect);
}

void InputCardLogic::OnNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
    const int code = static_cast<int>(notice);
    const bool every = code == 8 || (code >= 11 && code <= 14);
    if (!every && code != 9) return;
    UndoStep undo;
    for (CLayoutItem* item : items) {
        if (auto* window = dynamic_cast<CChannelWindow*>(item)) {
            ProcessorRect& rect = RectOf(*window);
            undo.emplace_back(window, rect);
            rect = window->Processor();
        }
        if (!every) break;
    }
    if (!undo.empty()) undo_.push_back(std::move(undo));
}

void InputCardLogic::OnUndo() {
    if (undo_.empty()) return;
    for (const auto& [window, before] : undo_.back()) {
        RectOf(*window) = before;
        Place(*window, before);
    }
    undo_.pop_back();
}

// The PIP window first, then, a pause later, the main picture. Each goes into the card's record
// as the processor confirms it; what went out before can no longer be taken back.
void InputCardLogic::OnSave() {
    const auto pip = ToWindowRect(pipRect_);
    const auto main = ToWindowRect(mainRect_);
    if (!pip || !main) return Tell(kValueOutOfRange);
    const auto saved = [](std::uint8_t result, WindowRect& stored, const WindowRect& sent) {
        if (result != kFrameSize) return false;
        stored = sent;
        return true;
    };
    const PacedPlan plan{
        {[&] { return saved(commands_.SetPipWindow(*pip), Record().pipRect, *pip); },
         kSavePauseMs},
        {[&] { return saved(commands_.SetMainWindow(*main), Record().mainRect, *main); }, 0},
    };
    PlanOutcome outcome;
    if (!Send([&](WorkProgress& progress) { outcome = RunPlan(plan, commands_.link(), progress); }))
        return;
    undo_.clear();
    if (!outcome.Done())
        Tell(UnansweredText(Language(), outcome,
                            outcome.answered == 0 ? kNothingChanged : kOnlyPipSaved));
}

// --- What the window shows ---------------------------------------------------------------

Color InputCardLogic::SignalFace(int button) const {
    const std::uint8_t code = CodeOf(button);
    const std::uint8_t main = Record().mainSignal;
    if ((PipOn() || TextOn()) && code == SubSignal()) return code == main ? kSubIsMain : kSubSignal;
    return code == main ? kMainSignal : kUnselected;
}

InputCardView InputCardLogic::View() const {
    InputCardView view;
    char title[32];
    std::snprintf(title, sizeof title,
                  std::string(Bilingual{"输入卡%c", "Input %c"}.In(Language())).c_str(),
                  'A' + card_);
    view.title = title;
    for (int button = 0; button < kSignalButtons; ++button)
        view.signalFaces[button] = SignalFace(button);
    view.pipFace = Face(PipOn());
    view.textFace = Face(TextOn());
    view.vgaAutoFace = Face(vgaAdjusted_);
    view.pipEnabled = !TextOn();
    view.textEnabled = !PipOn();
    view.vgaAutoEnabled = VgaAutoEnabled();
    view.settingsEnabled = dialogs_.pictureAdjustment != nullptr;
    view.panelToggleEnabled = PipOn();
    view.collapsed = collapsed_;
    view.panelToggleCaption = collapsed_ ? "↓↓↓↓↓↓" : "↑↑↑↑↑↑";
    view.mainFields = Fields(mainRect_);
    view.pipFields = Fields(pipRect_);
    const std::string width = std::to_string(space_.Width());
    const std::string height = std::to_string(space_.Height());
    view.cornerLabels = {"[0,0]", "[0," + height + "]", "[" + width + "," + height + "]"};
    return view;
}

std::string_view InputCardLogic::CaptionText(Caption caption) const {
    const LanguageFlag l = Language();
    switch (caption) {
        case Caption::Pip: return Bilingual{"画中画", "PIP"}.In(l);
        case Caption::Text: return Bilingual{"字幕", "Text"}.In(l);
        case Caption::VgaAuto: return Bilingual{"VGA自动校正", "VGA-Auto"}.In(l);
        case Caption::Settings: return Bilingual{"设置", "Settings"}.In(l);
        case Caption::MainRow: return Bilingual{"主通道", "Main"}.In(l);
        case Caption::PipRow: return Bilingual{"子通道", "Pip"}.In(l);
        case Caption::Width: return Bilingual{"宽", "W"}.In(l);
        case Caption::Height: return Bilingual{"高", "H"}.In(l);
        case Caption::Save: return Bilingual{"保存", "Save"}.In(l);
    }
    return {};
}

std::string_view InputCardLogic::SignalCaption(int button) {
    static constexpr std::array<std::string_view, kSignalButtons> kCaptions{"Video", "VGA", "DVI",
                                                                            "SDI"};
    return button >= 0 && button < kSignalButtons ? kCaptions[button] : std::string_view{};
}

}  // namespace hsq
