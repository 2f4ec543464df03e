#include "output/output_board_logic.h"

#include <cstdio>

#include "config/output_board_profile.h"
#include "dialog/number_text.h"
#include "output/card_reader.h"

namespace hsq {
namespace {

constexpr Bilingual kNotConnected{"请打开连接", "Please Open the connection"};
constexpr Bilingual kValueOutOfRange{"值越界", "Value out of range"};
constexpr Bilingual kDataOutOfRange{"值越界", "data out of range"};

constexpr std::uint8_t kMatrixConfigMode = 0;
constexpr std::uint8_t kDualConfigMode = 6;
constexpr int kHighestBrightness = 32;
constexpr int kHighestBorderSize = 10;
constexpr int kFirstInputIndex = 5;  // the input window is labelled image + 5

// Red, green, blue and size, each in its range; nothing when one is not.
std::optional<std::array<int, 4>> BorderValues(const std::array<std::string, 4>& texts) {
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto value = NumberFromText(texts[i]);
        const int highest = i == 3 ? kHighestBorderSize : 255;
        if (!value || *value < 0 || *value > highest) return std::nullopt;
        values[i] = *value;
    }
    return values;
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
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

void OutputBoardLogic::Open() {
    initialised_ = false;
    CreateWindows();
    ReadCard();
    initialised_ = true;
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
void OutputBoardLogic::ReadCard() {
    host_.RunWorker([this](WorkProgress&) {
        std::lock_guard hold(lock_);
        OutputCardReader(state_, store_, commands_, card_).ReadCard();
        LoadOutputProfiles(store_, state_.outputs);
    });
    LoadFromRecord();
}

void OutputBoardLogic::LoadFromRecord() {
    configMode_ = Record().configMode;
    overlayMode_ = Record().overlayMode;
    Record().imageChannel = 0;
    LoadLayerOrder();
    ApplyLayerOrder();
    RefreshOrder();
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        outputs_[channel] = ToProcessorRect(Record().outputRect[channel]);
    LoadCropOfImage();
    PlaceOutputs({0, 1, 2, 3});
    activePair_ = 1;
    ParkHiddenChannels();
    undo_.clear();
}

void OutputBoardLogic::LoadLayerOrder() {
    if (configMode_ != kOverlayConfigMode && configMode_ != kPairConfigMode) return;
    order_ = Record().layerOrder;
    if (const auto selected = OrderOfOverlayMode(configMode_, overlayMode_)) order_ = *selected;
}

void OutputBoardLogic::ParkHiddenChannels() {
    if (configMode_ == kPairConfigMode) {
        Park(2);
        Park(3);
    } else if (configMode_ != kOverlayConfigMode) {
        for (int channel = 1; channel < kOutputChannelCount; ++channel) Park(channel);
    }
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

// With the image's crop window comes its border switch as the record has it.
void OutputBoardLogic::LoadCropOfImage() {
    borderChecked_ = Record().form[Image()][0] != 0;
    crop_ = ToProcessorRect(Record().cropRect[Image()]);
    ChannelWindowSettings settings = inputWindow_->Settings();
    settings.index = Byte(Image() + kFirstInputIndex);
    inputWindow_->SetSettings(settings);
    Place(*inputWindow_, crop_);
}

void OutputBoardLogic::PlaceOutputs(const std::vector<int>& channels) {
    for (int channel : channels) Place(*outputWindows_[channel], outputs_[channel]);
}

void OutputBoardLogic::ShowPair(int pair) {
    activePair_ = pair;
    const int shown = pair == 1 ? 0 : 2;
    const int hidden = pair == 1 ? 2 : 0;
    Park(hidden);
    Park(hidden + 1);
    PlaceOutputs({shown, shown + 1});
}

void OutputBoardLogic::Tell(const Bilingual& message) {
    host_.ShowMessage(kSystemInformation.In(Language()), message.In(Language()));
}

void OutputBoardLogic::Send(const std::function<void()>& exchange) {
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        exchange();
    });
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

void OutputBoardLogic::OnUndo(Canvas canvas) {
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
        if (step->first != canvas) continue;
        for (const auto& [window, before] : step->second.before) {
            WorkingOf(canvas, *window) = before;
            Place(*window, before);
        }
        undo_.erase(std::next(step).base());
        return;
    }
}

void OutputBoardLogic::OnField(Canvas canvas, OutputSpace::Field field, const std::string& text) {
    if (!initialised_ || handlingNotice_) return;
    const auto value = NumberFromText(text);
    if (!value) return;
    CChannelWindow& window = canvas == Canvas::Input ? *inputWindow_ : *outputWindows_[Image()];
    ProcessorRect& working = WorkingOf(canvas, window);
    const auto edited = space_.Edited(working, field, *value);
    if (!edited) return;
    working = *edited;
    Place(window, working);
}

// --- Saving windows ----------------------------------------------------------------------

void OutputBoardLogic::OnSaveInput() {
    crop_ = inputWindow_->Processor();
    const auto rect = ToWindowRect(crop_);
    if (!space_.Valid(crop_) || !rect) return Tell(kValueOutOfRange);
    if (!state_.connected) return Tell(kNotConnected);
    const auto image = Byte(Image());
    Send([&] {
        commands_.link().DiscardReply();
        commands_.SetImageInputWindow(image, *rect);
        Record().cropRect[image] = *rect;
        commands_.link().clock().SleepMs(kSaveInputPauseMs);
    });
}

void OutputBoardLogic::OnSaveOutput() {
    std::vector<int> channels;
    if (configMode_ == kOverlayConfigMode) {
        channels = {0, 1, 2, 3};
    } else if (configMode_ == kPairConfigMode) {
        channels = activePair_ == 1 ? std::vector<int>{0, 1} : std::vector<int>{2, 3};
    } else {
        channels = {Image()};
    }
    for (int channel : channels) SaveChannel(channel);
}

bool OutputBoardLogic::SaveChannel(int channel) {
    outputs_[channel] = outputWindows_[channel]->Processor();
    Record().imageChannel = Byte(channel);
    const auto rect = ToWindowRect(outputs_[channel]);
    if (!space_.Valid(outputs_[channel]) || !rect) {
        Tell(kValueOutOfRange);
        return false;
    }
    Send([&] {
        commands_.SetImageOutputWindow(Byte(channel), *rect);
        Record().outputRect[channel] = *rect;
        commands_.link().clock().SleepMs(kSaveOutputPauseMs);
    });
    return true;
}

// --- Images and layers -------------------------------------------------------------------

void OutputBoardLogic::OnImage(int image) {
    if (image < 0 || image >= kOutputChannelCount) return;
    if (configMode_ == kDualConfigMode && image > 1) return;
    Record().imageChannel = Byte(image);
    Record().imageAll = false;
    Send([&] {
        if (Record().overlayMatrix)
            commands_.SelectOutputBoard(Byte(card_), Byte(image));
        else
            commands_.SelectImage(Byte(image));
    });
    if (configMode_ == kPairConfigMode) {
        ShowPair(image < 2 ? 1 : 2);
        SelectChannel(image + 1);
        Raise();
        LoadCropOfImage();
    } else if (configMode_ == kOverlayConfigMode) {
        LoadCropOfImage();
        if (!Record().overlayMatrix) {
            order_ = BroughtToTop(order_, Byte(image + 1));
            RefreshOrder();
        }
        SelectChannel(image + 1);
        Raise();
    } else {
        for (int channel = 0; channel < kOutputChannelCount; ++channel) {
            if (channel != image) Park(channel);
        }
        PlaceOutputs({image});
        Raise();
        LoadCropOfImage();
    }
}

void OutputBoardLogic::OnImageAll() {
    if (Record().imageAll) return;
    Send([&] { commands_.ShowAllImages(); });
    Record().imageAll = true;
}

void OutputBoardLogic::OnOverlay() {
    Record().overlayMatrix = !Record().overlayMatrix;
    Send([&] { commands_.SetOverlay(Record().overlayMatrix); });
}

void OutputBoardLogic::OnFadeTime(int seconds) {
    if (seconds < 0 || seconds > 5) return;
    Record().switchMode = Byte(seconds);
    Send([&] { commands_.SetSwitchMode(Byte(seconds)); });
}

// --- Display modes -----------------------------------------------------------------------

void OutputBoardLogic::OnDisplayMode(int mode) {
    if (mode < 0 || mode >= kDisplayModeCount) return;
    const auto recalled = Byte(mode);
    Send([&] {
        commands_.RecallMode(recalled, false);
        commands_.link().clock().SleepMs(kRecallPauseMs);
        SaveOutputProfiles(store_, state_.outputs);
    });
    Send([&] { OutputCardReader(state_, store_, commands_, card_).ReadRecalledMode(recalled); });
    AfterRecall();
    Record().displayMode = recalled;
    state_.chosenDisplayMode[card_] = recalled;
}

void OutputBoardLogic::AfterRecall() {
    if (configMode_ == kOverlayConfigMode) {
        overlayMode_ = Record().overlayMode;
        LoadLayerOrder();
        ApplyLayerOrder();
    }
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        outputs_[channel] = ToProcessorRect(Record().outputRect[channel]);
    LoadCropOfImage();
    if (configMode_ == kOverlayConfigMode)
        PlaceOutputs({0, 1, 2, 3});
    else if (configMode_ == kPairConfigMode)
        PlaceOutputs(Image() > 1 ? std::vector<int>{2, 3} : std::vector<int>{0, 1});
    else
        PlaceOutputs({Image()});
    undo_.clear();
}

void OutputBoardLogic::OnModeCopy(int target) {
    if (target < 0 || target >= kDisplayModeCount) return;
    if (dialogs_.askModeName)
        Record().modeNames[target] = dialogs_.askModeName(Record().modeNames[target]);
    const std::uint8_t current = Record().displayMode;
    Send([&] { commands_.CopyMode(current, Byte(target)); });
    Record().displayMode = Byte(target);
    SaveOutputProfiles(store_, state_.outputs);
    Record().displayMode = state_.chosenDisplayMode[card_];
}

void OutputBoardLogic::OnAdvanced() {
    if (!dialogs_.advanced) return;
    const std::uint8_t before = Record().configMode;
    dialogs_.advanced();
    if (Record().configMode == before) return;
    ReadCard();
    // The card starts afresh in the mode it now reports; closing must not bring back another.
    state_.chosenDisplayMode[card_] = Record().displayMode;
}

void OutputBoardLogic::OnMosaic() {
    if (!dialogs_.mosaic) return;
    dialogs_.mosaic();
    for (int channel = 0; channel < kOutputChannelCount; ++channel)
        outputs_[channel] = ToProcessorRect(Record().outputRect[channel]);
    PlaceOutputs({0, 1, 2, 3});
    LoadCropOfImage();
    for (int channel = 1; channel < kOutputChannelCount; ++channel) Park(channel);
    undo_.clear();
}

// --- Routing, borders, brightness --------------------------------------------------------

void OutputBoardLogic::OnMatrix(int port) {
    if (!Record().overlayMatrix || port < 0 || port > 3) return;
    if (Record().imageAll)
        Record().inputPort.fill(Byte(port));
    else
        Record().inputPort[Image()] = Byte(port);
    const auto image = Byte(Image());
    Send([&] { commands_.SetImageSource(image, Record().inputPort[image]); });
}

void OutputBoardLogic::OnChannelOn(bool on) {
    Send([&] { commands_.SetMute(on); });
    Record().channelOn[Image()] = on ? 1 : 0;
}

void OutputBoardLogic::SendBorder(bool on, const std::array<int, 4>& values) {
    const auto image = Byte(Image());
    Send([&] {
        commands_.SetImageBorder(image, on, Byte(values[0]), Byte(values[1]), Byte(values[2]),
                                 Byte(values[3]));
    });
    Record().form[image] = {Byte(on ? 1 : 0), Byte(values[0]), Byte(values[1]), Byte(values[2]),
                            Byte(values[3])};
}

// Switching on only opens the fields; switching off sends the border off at once.
void OutputBoardLogic::OnBorderSwitch(bool on, const std::array<std::string, 4>& values) {
    borderChecked_ = on;
    if (on) return;
    const auto border = BorderValues(values);
    if (!border) return Tell(kValueOutOfRange);
    SendBorder(false, *border);
}

void OutputBoardLogic::OnBorderSet(bool on, const std::array<std::string, 4>& values) {
    const auto border = BorderValues(values);
    if (!border) return Tell(kValueOutOfRange);
    SendBorder(on, *border);
}

void OutputBoardLogic::OnBrightnessSet(const std::string& text) {
    const auto value = NumberFromText(text);
    if (!value || *value < 0 || *value > kHighestBrightness) return Tell(kDataOutOfRange);
    Send([&] { commands_.SetOutputBrightness(Byte(*value)); });
    Record().brightness = Byte(*value);
}

void OutputBoardLogic::OnClockSource(int source) {
    if (source != 0 && source != 1) return;
    Send([&] { commands_.SetMatrixReference(Byte(source)); });
    state_.system.inAKout1 = Byte(source);
}

// --- What the window shows ---------------------------------------------------------------

std::string OutputBoardLogic::ModeItem(int mode) const {
    return "M" + std::to_string(mode + 1) + "---" + Record().modeNames[mode];
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
    for (int mode = 0; mode < kDisplayModeCount; ++mode) view.modeItems.push_back(ModeItem(mode));
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
    const auto& form = r.form[Image()];
    const bool borderShown =
        configMode_ == kPairConfigMode || configMode_ == kOverlayConfigMode;
    view.borderOn = borderShown && borderChecked_;
    view.border = {form[1], form[2], form[3], form[4]};
    view.borderSwitchEnabled = borderShown && !r.imageAll;
    view.borderFieldsEnabled = view.borderSwitchEnabled && view.borderOn;
    view.brightness = r.brightness;
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
