#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/bilingual.h"

#include "app/main_window_state.h"
#include "canvas/canvas_model.h"
#include "canvas/channel_window.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_host.h"
#include "output/layer_order.h"
#include "output/mode_layouts.h"
#include "output/output_space.h"

namespace hsq {

// What the output board window shows, as its logic says now.
struct OutputBoardView {
    using Field = OutputSpace::Field;
    std::string title;
    std::array<int, 4> inputFields{};   // W, H, X, Y of the crop window
    std::array<int, 4> outputFields{};  // W, H, X, Y of the current image's output window
    CardModeLayouts modes;  // each display mode's "M%d---%s" and layout, for the list
    int displayMode = 0;
    int fadeTime = 0;
    bool fadeEnabled = false;
    std::string orderLabel;
    bool orderLabelShown = false;
    std::array<bool, 4> imageEnabled{};
    std::array<bool, 4> imagePressed{};
    bool imageAllEnabled = false;
    bool imageAllPressed = false;
    bool overlayEnabled = false;
    bool overlayPressed = false;
    std::array<std::string, 4> matrixCaptions;
    int matrixPressed = -1;  // none
    bool channelOn = false;
    bool channelOnEnabled = false;
    bool borderOn = false;
    bool borderSwitchEnabled = false;
    bool borderFieldsEnabled = false;
    std::array<int, 4> border{};  // red, green, blue, size
    int brightness = 0;
    int clockSource = 0;  // 0 In-A, 1 K.Out1
    // The W/H/X/Y fields, both Save buttons and both canvases; locked while all images show.
    bool editingEnabled = false;
    bool advancedEnabled = false;
    bool mosaicEnabled = false;
};

// The output board dialog (CCOverlay) without its window: one output card's images, their
// windows on two canvases, routing, borders, layer order, display modes and brightness. Every
// change the operator confirms goes to the processor at once and into the card's record.
class OutputBoardLogic {
  public:
    enum class Canvas { Input, Output };
    enum class Caption {
        DisplayModeLabel, ImageLabel, ImageAll, MatrixLabel, MuteLabel, Open, OverlayLabel,
        Overlay, BorderSwitchLabel, RgbLabel, SizeLabel, SizeHint, Set, BrightnessLabel,
        ClockLabel, AdvancedLabel, Advanced, InputImage, OutputImage, Save, ModeCopyMenu,
        MosaicMenu,
    };
    // The dialogs it opens. An empty one is not there, and its entry stays disabled.
    struct Dialogs {
        // Asks for a display mode's name, showing the one it has; what it returns is kept
        // however the asking ended, once the processor confirmed the copy.
        std::function<std::string(const std::string& name)> askModeName;
        std::function<void()> advanced;
        std::function<void()> mosaic;
    };

    static constexpr int kParkedLeft = 580;
    static constexpr int kSaveInputPauseMs = 500;
    static constexpr int kSaveOutputPauseMs = 100;

    // card: 0 for K, 1 for L.
    OutputBoardLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                     DialogHost& host, int card, Dialogs dialogs);

    // Creates the canvases' windows, reads the card behind the waiting box and shows it. False,
    // with the operator told which request went unanswered, when the card could not be read:
    // the window then has nothing of the processor's to show.
    bool Open();

    CanvasModel& CanvasOf(Canvas canvas) { return canvas == Canvas::Input ? input_ : output_; }
    OutputBoardView View() const;
    std::string_view CaptionText(Caption caption) const;
    std::string ModeItem(int mode) const;

    // Each change goes to the processor at once and is kept only once the processor confirmed
    // it; otherwise the operator is told and the window keeps showing what the processor holds.
    void OnImage(int image);
    void OnImageAll();
    void OnOverlay();
    void OnFadeTime(int seconds);
    void OnDisplayMode(int mode);
    void OnMatrix(int port);
    void OnChannelOn(bool on);
    void OnBorderSwitch(bool on);
    void OnBorderSet();
    void OnBrightnessSet();
    void OnClockSource(int source);
    void OnSaveInput();
    void OnSaveOutput();
    void OnModeCopy(int target);
    // A field the operator finished. A value out of range is refused with a message, and the
    // field shows the value it had.
    void OnField(Canvas canvas, OutputSpace::Field field, const std::string& text);
    // which: 0 red, 1 green, 2 blue, 3 size.
    void OnBorderField(int which, const std::string& text);
    void OnBrightnessField(const std::string& text);
    // The advanced settings; a changed configuration mode reads the whole card again.
    void OnAdvanced();
    // The fast mosaic; its windows then come from the record.
    void OnMosaic();
    // Takes back the operator's last move or resize, not yet saved, of a window shown on the
    // canvas; nothing is sent.
    void OnUndo(Canvas canvas);
    // What a canvas reports of the operator's moves and resizes (it calls this itself).
    void OnNotice(Canvas canvas, LayoutNotice notice, const std::vector<CLayoutItem*>& items);

  private:
    struct UndoStep {
        std::vector<std::pair<CChannelWindow*, ProcessorRect>> before;
    };

    OutputBoardRecord& Record() { return state_.outputs[card_]; }
    const OutputBoardRecord& Record() const { return state_.outputs[card_]; }
    int Image() const { return Record().imageChannel; }
    LanguageFlag Language() const { return state_.language; }

    void CreateWindows();
    bool ReadCard();
    // After the profile was written: the display-mode list's pictures come from it.
    void RereadModes();
    void LoadFromRecord();
    void LoadLayerOrder();
    void ApplyLayerOrder();
    void SelectChannel(int channel);
    void Raise();
    void RefreshOrder();
    void Place(CChannelWindow& window, const ProcessorRect& values);
    void Park(int channel);
    bool Shown(int channel) const;
    // Each output window shown in the configuration mode placed, the others parked.
    void ShowChannels();
    void LoadOutputs();
    void LoadCropOfImage();
    void LoadBorder();
    int ImageOfCrop() const;

    void TakeFromCanvas(Canvas canvas, CChannelWindow& window, UndoStep& undo);
    ProcessorRect& WorkingOf(Canvas canvas, const CChannelWindow& window);
    void SaveChannel(int channel);
    void Tell(std::string_view message);
    void Tell(const Bilingual& message) { Tell(message.In(Language())); }
    // Sends a command behind the waiting box, holding the dialog's lock, and once more when it
    // went unconfirmed; then the pause. False, with the operator told, when never confirmed.
    bool Confirmed(const std::function<std::uint8_t()>& command, int pauseAfterMs = 0);
    bool SendBorder(bool on);

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    const int card_;
    Dialogs dialogs_;
    OutputSpace space_;
    CanvasModel input_;
    CanvasModel output_;
    CChannelWindow* inputWindow_ = nullptr;
    std::array<CChannelWindow*, kOutputChannelCount> outputWindows_{};
    std::array<ProcessorRect, kOutputChannelCount> outputs_{};
    CardModeLayouts modesInProfile_;
    ProcessorRect crop_{};
    // Working copies of the record's modes, taken when the dialog loads.
    std::uint8_t configMode_ = 0;
    std::uint8_t overlayMode_ = 0;
    LayerOrder order_{};
    int activePair_ = 1;
    bool borderChecked_ = false;
    // What the operator typed into the border and brightness fields, kept until Set sends it.
    std::array<int, 4> border_{};  // red, green, blue, size
    int brightness_ = 0;
    bool initialised_ = false;
    bool handlingNotice_ = false;
    std::vector<std::pair<Canvas, UndoStep>> undo_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
