#include "output/output_board_logic.h"

#include <cstdio>

#include "app/paced_plan.h"
#include "config/output_board_profile.h"
#include "dialog/number_text.h"
#include "dialog/processor_messages.h"
#include "output/card_reader.h"

namespace hsq {
namespace {

constexpr Bilingual kDataOutOfRange{"值越界", "data out of range"};
constexpr Bilingual kCardNotRead{
    "未能正确获取当前输出板卡状态，请检查通讯",
    "Failure to properly obtain the current output board status, check the communication"};
constexpr Bilingual kRecalledNotRead{
    "处理器已调用该模式，但没有报告它的布局；窗口仍显示之前的模式。",
    "The processor recalled the mode but did not report its layout; the window still shows the "
    "previous mode."};

constexpr std::uint8_t kMatrixConfigMode = 0;
constexpr std::uint8_t kDualConfigMode = 6;
constexpr int kHighestBrightness = 32;
constexpr int kHighestBorderSize = 10;
constexpr int kHighestColour = 255;
constexpr int kFirstInputIndex = 5;  // the input window is labelled image + 5

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// A whole field's number within lowest..highest; nothing for anything else.
std::optional<int> FieldValue(const std::string& text, int lowest, int highest) {
    const auto value = NumberFromText(text);
    if (!value || *value < lowest || *value > highest) return std::nullopt;
    return value;
}

}  // namespace

OutputBoardLogic::OutputBoardLogic(MainWindowState& state, ProfileStore& store,
                                   DeviceCommands& commands, DialogHost& host, int card,
                                   Dialogs dialogs)
    : state_(state), store_(store), commands_(commands), host_(host), card_(card),
      dialogs_(std::move(dialogs)), space_(state.system.resolution) {
    input_.OnNotice([this](LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
        OnNotice(Canvas::Input, notice, items);
    });
    output_.OnNotice([this](LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
        OnNotice(Canvas::Output, notice, items);
    });
}

bool OutputBoardLogic::Open() {
    initialised_ = false;
    CreateWindows();
    const bool read = ReadCard();
    initialised_ = true;
    return read;
}

// Both canvases stand for the same processor space, 450 x 240 units, one screen each; the
// windows stay on the canvas.
void OutputBoardLogic::CreateWindows() {
    const auto window = [&](CanvasModel& canvas, std::uint8_t kind, std::uint8_t index) {
        ChannelWindowSettings settings;
        settings.ratioX = space_.RatioX();
        settings.ratioY = space_.RatioY();
        settings.borderColor = kBlack;
        settings.originX = OutputSpace::kOriginX;
        settings.originY = OutputSpace::kOriginY;
        settings.index = index;
        settings.kind = kind;
        settings.layoutWidth = OutputSpace::kCanvasWidth;
        settings.layoutHeight = OutputSpace::kCanvasHeight;
        auto entity = std::make_unique<CChannelWindow>();
        entity->SetSettings(settings);
        return static_cast<CChannelWindow*>(&canvas.Editor().AddObject(std::move(entity)));
    };
    for (CanvasModel* canvas : {&input_, &output_}) {
        canvas->Editor().SetRestraint(Restraint::InsideMargins);
        canvas->Editor().SetWall({1, 1, OutputSpace::kCanvasWidth, OutputSpace::kCanvasHeight});
        canvas->Items().SetPaperSize({OutputSpace::kCanvasWidth, OutputSpace::kCanvasHeight});
    }
    inputWindow_ = window(input_, kInputImageWindow, kFirstInputIndex);
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        outputWindows_[channel] = window(output_, kOutputChannelWindow, Byte(channel + 1));
}

// The exchanges and the files on the worker; the canvases and the fields afterwards, on the
// window's thread, which alone touches them.
bool OutputBoardLogic::ReadCard() {
    PlanOutcome outcome;
    host_.RunWorker([this, &outcome](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        outcome = OutputCardReader(store_, commands_, card_).ReadCard(Record(), progress);
    });
    if (!outcome.Done()) {
        Tell(std::string(kCardNotRead.In(Language())) + "\n" +
             UnansweredText(Language(), outcome, kNothingChanged));
    }
    LoadFromRecord();
    RereadModes();
    return outcome.Done();
}

void OutputBoardLogic::RereadModes() {
    modesInProfile_ = ReadModeLayouts(store_, card_, state_.system.resolution);
}

void OutputBoardLogic::LoadFromRecord() {
    configMode_ = Record().configMode;
    overlayMode_ = Record().overlayMode;
    Record().imageChannel = 0;
    activePair_ = 1;
    LoadLayerOrder();
    ApplyLayerOrder();
    RefreshOrder();
    LoadOutputs();
    LoadCropOfImage();
    brightness_ = Record().brightness;
}

void OutputBoardLogic::LoadLayerOrder() {
    if (configMode_ != kOverlayConfigMode && configMode_ != kPairConfigMode) return;
    order_ = Record().layerOrder;
    if (const auto selected = OrderOfOverlayMode(configMode_, overlayMode_)) order_ = *selected;
}

void OutputBoardLogic::ApplyLayerOrder() {
    const auto selectAndRaise = [&](std::uint8_t channel) {
        SelectChannel(channel);
        Raise();
    };
    if (configMode_ == kOverlayConfigMode) {
        for (std::uint8_t channel : order_) selectAndRaise(channel);
    } else if (configMode_ == kPairConfigMode) {
        const std::size_t upper = activePair_ == 1 ? 0 : 2;
        selectAndRaise(order_[upper + 1]);
        selectAndRaise(order_[upper]);
    }
}

// Only while the images are overlaid: in matrix use the operator's own selection stands.
void OutputBoardLogic::SelectChannel(int channel) {
    if (Record().overlayMatrix || channel < 1 || channel > kOutputChannelCount) return;
    output_.Items().SelectOnly(outputWindows_[channel - 1]);
}

void OutputBoardLogic::Raise() {
    CLayoutItemList& items = output_.Items();
    const std::vector<CLayoutItem*> selected = items.Selected();
    if (selected.size() != 1) return;
    items.Restack(*items.IndexOf(*selected.front()), items.Count() - 1);
    output_.Editor().Redraw();
}

void OutputBoardLogic::RefreshOrder() {
    if (const auto mode = OverlayModeOfOrder(configMode_, order_)) overlayMode_ = *mode;
}

void OutputBoardLogic::Place(CChannelWindow& window, const ProcessorRect& values) {
    window.SetProcessor(values);
    window.SetRectangle(space_.CanvasRect(values));
    (&window == inputWindow_ ? input_ : output_).Editor().Redraw();
}

// Beyond the 450-unit canvas; the processor values stay.
void OutputBoardLogic::Park(int channel) {
    outputWindows_[channel]->SetRectangle({kParkedLeft, 0, 0, 0});
    output_.Editor().Redraw();
}

// Four images overlaid show all four channels, a pair of images the active pair, the others
// the current image's channel alone.
bool OutputBoardLogic::Shown(int channel) const {
    if (configMode_ == kOverlayConfigMode) return true;
    if (configMode_ == kPairConfigMode) return channel / 2 == activePair_ - 1;
    return channel == Image();
}

void OutputBoardLogic::ShowChannels() {
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        if (Shown(channel))
            Place(*outputWindows_[channel], outputs_[channel]);
        else
            Park(channel);
    }
}

// The windows as the record has them; what the operator moved and did not save goes.
void OutputBoardLogic::LoadOutputs() {
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        outputs_[channel] = ToProcessorRect(Record().outputRect[channel]);
    ShowChannels();
    undo_.clear();
}

// With the image's crop window comes its border as the record has it.
void OutputBoardLogic::LoadCropOfImage() {
    crop_ = ToProcessorRect(Record().cropRect[Image()]);
    ChannelWindowSettings settings = inputWindow_->Settings();
    settings.index = Byte(Image() + kFirstInputIndex);
    inputWindow_->SetSettings(settings);
    Place(*inputWindow_, crop_);
    LoadBorder();
}

void OutputBoardLogic::LoadBorder() {
    const auto& form = Record().form[Image()];
    borderChecked_ = form[0] != 0;
    border_ = {form[1], form[2], form[3], form[4]};
}

// The image whose crop the input canvas shows, which its Save sends.
int OutputBoardLogic::ImageOfCrop() const {
    return inputWindow_->Settings().index - kFirstInputIndex;
}

void OutputBoardLogic::Tell(std::string_view message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message);
}

bool OutputBoardLogic::Confirmed(const std::function<std::uint8_t()>& command, int pauseAfterMs) {
    bool confirmed = false;
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        confirmed = AnsweredWithRetry([&] { return command() == kFrameSize; });
        if (pauseAfterMs > 0) commands_.link().clock().SleepMs(pauseAfterMs);
    });
    if (!confirmed) Tell(kNotConfirmed);
    return confirmed;
}

// --- The canvases ------------------------------------------------------------------------

void OutputBoardLogic::OnNotice(Canvas canvas, LayoutNotice notice,
                                const std::vector<CLayoutItem*>& items) {
    const int code = static_cast<int>(notice);
    const bool every = code == 8 || (code >= 11 && code <= 14);
    if ((!every && code != 9) || items.empty()) return;
    handlingNotice_ = true;
    UndoStep undo;
    for (CLayoutItem* item : items) {
        if (auto* window = dynamic_cast<CChannelWindow*>(item)) TakeFromCanvas(canvas, *window, undo);
        if (!every) break;
    }
    if (!undo.before.empty()) undo_.emplace_back(canvas, std::move(undo));
    handlingNotice_ = false;
}

ProcessorRect& OutputBoardLogic::WorkingOf(Canvas canvas, const CChannelWindow& window) {
    if (canvas == Canvas::Input) return crop_;
    return outputs_[window.Settings().index - 1];
}

// What the operator left beyond the largest window is cut back, and the window shows it.
void OutputBoardLogic::TakeFromCanvas(Canvas canvas, CChannelWindow& window, UndoStep& undo) {
    ProcessorRect& working = WorkingOf(canvas, window);
    undo.before.emplace_back(&window, working);
    bool cut = false;
    working = space_.Cut(window.Processor(), cut);
    if (cut) Place(window, working);
}

// A parked window is not on the canvas: taking its move back would bring it out of hiding.
void OutputBoardLogic::OnUndo(Canvas canvas) {
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
        if (step->first != canvas) continue;
        for (const auto& [window, before] : step->second.before) {
            const bool parked = canvas == Canvas::Output &&
                                !Shown(window->Settings().index - 1);
            if (parked) continue;
            WorkingOf(canvas, *window) = before;
            Place(*window, before);
        }
        undo_.erase(std::next(step).base());
        return;
    }
}

void OutputBoardLogic::OnField(Canvas canvas, OutputSpace::Field field, const std::string& text) {
    if (!initialised_ || handlingNotice_) return;
    CChannelWindow& window = canvas == Canvas::Input ? *inputWindow_ : *outputWindows_[Image()];
    ProcessorRect& working = WorkingOf(canvas, window);
    const auto value = NumberFromText(text);
    const auto edited = value ? space_.Edited(working, field, *value) : std::nullopt;
    if (!edited) return Tell(kValueOutOfRange);
    working = *edited;
    Place(window, working);
}

void OutputBoardLogic::OnBorderField(int which, const std::string& text) {
    if (which < 0 || which >= static_cast<int>(border_.size())) return;
    const auto value = FieldValue(text, 0, which == 3 ? kHighestBorderSize : kHighestColour);
    if (!value) return Tell(kValueOutOfRange);
    border_[which] = *value;
}

void OutputBoardLogic::OnBrightnessField(const std::string& text) {
    const auto value = FieldValue(text, 0, kHighestBrightness);
    if (!value) return Tell(kDataOutOfRange);
    brightness_ = *value;
}

// --- Saving windows ----------------------------------------------------------------------

void OutputBoardLogic::OnSaveInput() {
    crop_ = inputWindow_->Processor();
    const auto rect = ToWindowRect(crop_);
    if (!space_.Valid(crop_) || !rect) return Tell(kValueOutOfRange);
    if (!state_.connected) return Tell(kNotConnected);
    const auto image = Byte(ImageOfCrop());
    const bool saved = Confirmed(
        [&] {
            commands_.link().DiscardReply();
            return commands_.SetImageInputWindow(image, *rect);
        },
        kSaveInputPauseMs);
    if (saved) Record().cropRect[image] = *rect;
    crop_ = ToProcessorRect(Record().cropRect[image]);
    Place(*inputWindow_, crop_);
    undo_.clear();
}

void OutputBoardLogic::OnSaveOutput() {
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        if (Shown(channel)) SaveChannel(channel);
    }
    undo_.clear();
}

// A window the processor did not take goes back to where the processor has it.
void OutputBoardLogic::SaveChannel(int channel) {
    outputs_[channel] = outputWindows_[channel]->Processor();
    const auto rect = ToWindowRect(outputs_[channel]);
    if (!space_.Valid(outputs_[channel]) || !rect) return Tell(kValueOutOfRange);
    if (Confirmed([&] { return commands_.SetImageOutputWindow(Byte(channel), *rect); },
                  kSaveOutputPauseMs)) {
        Record().outputRect[channel] = *rect;
        return;
    }
    outputs_[channel] = ToProcessorRect(Record().outputRect[channel]);
    Place(*outputWindows_[channel], outputs_[channel]);
}

// --- Images and layers -------------------------------------------------------------------

void OutputBoardLogic::OnImage(int image) {
    if (image < 0 || image >= kOutputChannelCount) return;
    if (configMode_ == kDualConfigMode && image > 1) return;
    const bool matrix = Record().overlayMatrix;
    if (!Confirmed([&] {
            return matrix ? commands_.SelectOutputBoard(Byte(card_), Byte(image))
                          : commands_.SelectImage(Byte(image));
        }))
        return;
    Record().imageChannel = Byte(image);
    Record().imageAll = false;
    activePair_ = image < 2 ? 1 : 2;
    if (configMode_ == kOverlayConfigMode && !matrix) {
        order_ = BroughtToTop(order_, Byte(image + 1));
        RefreshOrder();
    }
    ShowChannels();
    if (configMode_ == kOverlayConfigMode || configMode_ == kPairConfigMode)
        SelectChannel(image + 1);
    Raise();
    LoadCropOfImage();
    undo_.clear();
}

void OutputBoardLogic::OnImageAll() {
    if (Record().imageAll) return;
    if (!Confirmed([&] { return commands_.ShowAllImages(); })) return;
    Record().imageAll = true;
    undo_.clear();
}

void OutputBoardLogic::OnOverlay() {
    const bool overlayMatrix = !Record().overlayMatrix;
    if (Confirmed([&] { return commands_.SetOverlay(overlayMatrix); }))
        Record().overlayMatrix = overlayMatrix;
}

void OutputBoardLogic::OnFadeTime(int seconds) {
    if (seconds < 0 || seconds > 5) return;
    if (Confirmed([&] { return commands_.SetSwitchMode(Byte(seconds)); }))
        Record().switchMode = Byte(seconds);
}

// --- Display modes -----------------------------------------------------------------------

// The record of the mode left is saved first; the recalled mode's comes from the processor's
// reports, the operator's image staying the current one.
void OutputBoardLogic::OnDisplayMode(int mode) {
    if (mode < 0 || mode >= kDisplayModeCount) return;
    const std::uint8_t image = Record().imageChannel;
    PlanOutcome outcome;
    host_.RunWorker([&](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        SaveOutputProfile(store_, Byte(card_ + 1), Record());
        outcome = OutputCardReader(store_, commands_, card_).Recall(Byte(mode), Record(), progress);
    });
    RereadModes();
    if (!outcome.Done()) {
        const Bilingual& left = outcome.answered == 0 ? kNothingChanged : kRecalledNotRead;
        return Tell(UnansweredText(Language(), outcome, left));
    }
    Record().imageChannel = image;
    if (configMode_ == kOverlayConfigMode) {
        overlayMode_ = Record().overlayMode;
        LoadLayerOrder();
        ApplyLayerOrder();
    }
    LoadOutputs();
    LoadCropOfImage();
}

// The processor copies the mode in force: its layout, and the name, go under the target, and
// the record stays with the mode in force.
void OutputBoardLogic::OnModeCopy(int target) {
    if (target < 0 || target >= kDisplayModeCount) return;
    OutputBoardRecord& record = Record();
    const std::string name =
        dialogs_.askModeName ? dialogs_.askModeName(record.modeNames[target])
                             : record.modeNames[target];
    const std::uint8_t current = record.displayMode;
    if (!Confirmed([&] { return commands_.CopyMode(current, Byte(target)); })) return;
    record.modeNames[target] = name;
    ProfileBatch batch(store_);
    record.displayMode = Byte(target);
    SaveOutputProfile(store_, Byte(card_ + 1), record);
    record.displayMode = current;
    SaveOutputProfile(store_, Byte(card_ + 1), record);
    batch.Commit();
    RereadModes();
    undo_.clear();
}

void OutputBoardLogic::OnAdvanced() {
    if (!dialogs_.advanced) return;
    const std::uint8_t before = Record().configMode;
    dialogs_.advanced();
    if (Record().configMode != before) ReadCard();
}

void OutputBoardLogic::OnMosaic() {
    if (!dialogs_.mosaic) return;
    dialogs_.mosaic();
    LoadOutputs();
    LoadCropOfImage();
}

// --- Routing, borders, brightness --------------------------------------------------------

void OutputBoardLogic::OnMatrix(int port) {
    if (!Record().overlayMatrix || port < 0 || port > 3) return;
    auto ports = Record().inputPort;
    if (Record().imageAll)
        ports.fill(Byte(port));
    else
        ports[Image()] = Byte(port);
    const auto image = Byte(Image());
    if (Confirmed([&] { return commands_.SetImageSource(image, ports[image]); }))
        Record().inputPort = ports;
}

void OutputBoardLogic::OnChannelOn(bool on) {
    if (Confirmed([&] { return commands_.SetMute(on); })) Record().channelOn[Image()] = on ? 1 : 0;
}

// The border as the fields hold it; a border the processor did not take shows as it has it.
bool OutputBoardLogic::SendBorder(bool on) {
    const auto image = Byte(Image());
    const std::array<std::uint8_t, 4> b{Byte(border_[0]), Byte(border_[1]), Byte(border_[2]),
                                        Byte(border_[3])};  // red, green, blue, size
    const bool sent =
        Confirmed([&] { return commands_.SetImageBorder(image, on, b[0], b[1], b[2], b[3]); });
    if (sent) Record().form[image] = {Byte(on ? 1 : 0), b[0], b[1], b[2], b[3]};
    else
        LoadBorder();
    return sent;
}

// Switching on only opens the fields; switching off sends the border off at once.
void OutputBoardLogic::OnBorderSwitch(bool on) {
    if (on)
        borderChecked_ = true;
    else if (SendBorder(false))
        borderChecked_ = false;
}

void OutputBoardLogic::OnBorderSet() {
    SendBorder(borderChecked_);
}

void OutputBoardLogic::OnBrightnessSet() {
    const int value = brightness_;
    if (Confirmed([&] { return commands_.SetOutputBrightness(Byte(value)); }))
        Record().brightness = Byte(value);
    brightness_ = Record().brightness;
}

void OutputBoardLogic::OnClockSource(int source) {
    if (source != 0 && source != 1) return;
    if (Confirmed([&] { return commands_.SetMatrixReference(Byte(source)); }))
        state_.system.inAKout1 = Byte(source);
}

// --- What the window shows ---------------------------------------------------------------

std::string OutputBoardLogic::ModeItem(int mode) const {
    return ModeCaption(mode, Record().modeNames[mode]);
}

OutputBoardView OutputBoardLogic::View() const {
    const OutputBoardRecord& r = Record();
    OutputBoardView view;
    char title[64];
    std::snprintf(title, sizeof title,
                  std::string(Bilingual{"输出设置-----板卡:%c", "Output board settings-----Board:%c"}
                                  .In(Language()))
                      .c_str(),
                  'K' + card_);
    view.title = title;
    using Field = OutputSpace::Field;
    for (Field field : {Field::W, Field::H, Field::X, Field::Y}) {
        view.inputFields[static_cast<int>(field)] = OutputSpace::Shown(crop_, field);
        view.outputFields[static_cast<int>(field)] = OutputSpace::Shown(outputs_[Image()], field);
    }
    view.modes = modesInProfile_;
    TakeRecord(view.modes, r);
    view.displayMode = r.displayMode;
    view.fadeTime = r.switchMode;
    view.fadeEnabled = configMode_ != kMatrixConfigMode;
    view.orderLabel = OrderLabel(order_);
    view.orderLabelShown = configMode_ == kOverlayConfigMode;
    for (int image = 0; image < kOutputChannelCount; ++image) {
        view.imageEnabled[image] = configMode_ != kDualConfigMode || image < 2;
        view.imagePressed[image] = !r.imageAll && image == Image();
    }
    view.imageAllEnabled = r.overlayMatrix;
    view.imageAllPressed = r.imageAll;
    view.overlayEnabled =
        (configMode_ == kPairConfigMode || configMode_ == kOverlayConfigMode) && !r.imageAll;
    view.overlayPressed = !r.overlayMatrix;
    view.matrixCaptions = {"In-A", "In-B", "In-C", "In-D"};
    if (card_ == 1 && state_.system.inAKout1 == 1) view.matrixCaptions[0] = "K.Out1";
    view.matrixPressed = r.inputPort[Image()] < 4 ? r.inputPort[Image()] : -1;
    view.channelOn = r.channelOn[Image()] != 0;
    view.channelOnEnabled = r.overlayMatrix;
    const bool borderShown =
        configMode_ == kPairConfigMode || configMode_ == kOverlayConfigMode;
    view.borderOn = borderShown && borderChecked_;
    view.border = border_;
    view.borderSwitchEnabled = borderShown && !r.imageAll;
    view.borderFieldsEnabled = view.borderSwitchEnabled && view.borderOn;
    view.brightness = brightness_;
    view.clockSource = state_.system.inAKout1;
    view.editingEnabled = !r.imageAll;
    view.advancedEnabled = dialogs_.advanced != nullptr;
    view.mosaicEnabled = dialogs_.mosaic != nullptr;
    return view;
}

std::string_view OutputBoardLogic::CaptionText(Caption caption) const {
    const LanguageFlag l = Language();
    switch (caption) {
        case Caption::DisplayModeLabel: return Bilingual{"显示模式:", "Dis mode:"}.In(l);
        case Caption::ImageLabel: return "IMG:";
        case Caption::ImageAll: return "IMG All";
        case Caption::MatrixLabel: return Bilingual{"矩阵:", "Matrix:"}.In(l);
        case Caption::MuteLabel: return "Mute:";
        case Caption::Open: return Bilingual{"开", "Open"}.In(l);
        case Caption::OverlayLabel: return "Overlay:";
        case Caption::Overlay: return "Overlay";
        case Caption::BorderSwitchLabel: return Bilingual{"边框开关:", "Border switch:"}.In(l);
        case Caption::RgbLabel: return "RGB:";
        case Caption::SizeLabel: return Bilingual{"尺寸:", "Size:"}.In(l);
        case Caption::SizeHint: return "(0~10)";
        case Caption::Set: return Bilingual{"设置", "Set"}.In(l);
        case Caption::BrightnessLabel: return Bilingual{"亮度:", "Brightness:"}.In(l);
        case Caption::ClockLabel: return "In-A/K.Out1:";
        case Caption::AdvancedLabel: return Bilingual{"高级:", "Advanced:"}.In(l);
        case Caption::Advanced: return Bilingual{"高级", "Advanced"}.In(l);
        case Caption::InputImage: return Bilingual{"输入图像", "Input image"}.In(l);
        case Caption::OutputImage: return Bilingual{"输出图像", "Output image"}.In(l);
        case Caption::Save: return Bilingual{"保存", "Save"}.In(l);
        case Caption::ModeCopyMenu: return "模式拷贝（Mode copy）";
        case Caption::MosaicMenu: return "快速拼接（Mosaic）";
    }
    return {};
}

}  // namespace hsq
