#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_window_state.h"
#include "canvas/canvas_model.h"
#include "canvas/channel_window.h"
#include "commands/device_commands.h"
#include "dialog/dialog_host.h"
#include "input/input_card_space.h"

namespace hsq {

// What the input card window shows, as its logic says now.
struct InputCardView {
    std::string title;
    std::array<Color, 4> signalFaces{};  // Video, VGA, DVI, SDI
    Color pipFace;
    Color textFace;
    Color vgaAutoFace;
    bool pipEnabled = false;
    bool textEnabled = false;
    bool vgaAutoEnabled = false;
    bool settingsEnabled = false;
    bool panelToggleEnabled = false;
    // The canvas and the rectangle editor are hidden.
    bool collapsed = true;
    std::string panelToggleCaption;
    std::array<int, 4> mainFields{};  // W, H, X, Y
    std::array<int, 4> pipFields{};
    std::array<std::string, 3> cornerLabels;  // top left, bottom left, bottom right
    friend bool operator==(const InputCardView&, const InputCardView&) = default;
};

// The input card dialog (COneShow) without its window: the signal of the card's main channel,
// its PIP window or text overlay with their signal, the automatic VGA adjustment, and where
// the main picture and the PIP window lie, typed or dragged on a canvas. The card's record, and
// the buttons that show it, change only when the processor confirms.
class InputCardLogic {
  public:
    enum class Row { Main, Pip };
    using Field = InputCardSpace::Field;
    enum class Caption { Pip, Text, VgaAuto, Settings, MainRow, PipRow, Width, Height, Save };
    // The dialogs it opens. An empty one is not there, and its button stays disabled.
    struct Dialogs {
        std::function<void()> pictureAdjustment;
    };

    static constexpr int kSignalButtons = 4;
    static constexpr int kVgaAutoMs = 5000;
    static constexpr int kSavePauseMs = 200;

    // card: 0 for A .. 3 for D. The card's record holds what was read from it.
    InputCardLogic(MainWindowState& state, DeviceCommands& commands, DialogHost& host, int card,
                   Dialogs dialogs);

    CanvasModel& Canvas() { return canvas_; }
    InputCardView View() const;
    std::string_view CaptionText(Caption caption) const;
    // "Video", "VGA", "DVI", "SDI" from the left.
    static std::string_view SignalCaption(int button);

    void OnSignal(int button);
    void OnPip();
    void OnText();
    void OnVgaAuto();
    void OnSettings();
    void OnPanelToggle();
    void OnField(Row row, Field field, const std::string& text);
    void OnSave();
    // Takes back the last move or resize the operator made on the canvas; nothing is sent.
    void OnUndo();
    // What the canvas reports of the operator's moves and resizes (it calls this itself).
    void OnNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items);

  private:
    using UndoStep = std::vector<std::pair<CChannelWindow*, ProcessorRect>>;

    InputCardRecord& Record() { return state_.inputs[card_]; }
    const InputCardRecord& Record() const { return state_.inputs[card_]; }
    LanguageFlag Language() const { return state_.language; }
    bool PipOn() const;
    bool TextOn() const;
    // The PIP's or the text's signal; none until one was chosen.
    std::uint8_t SubSignal() const;
    bool VgaAutoEnabled() const;
    Color SignalFace(int button) const;

    CChannelWindow* AddWindow(std::uint8_t index);
    void Place(CChannelWindow& window, const ProcessorRect& values);
    ProcessorRect& RectOf(const CChannelWindow& window);
    // The PIP or the text overlay switched as the processor confirmed.
    void Switched(std::uint8_t mode);
    void Tell(std::string_view message);
    void Tell(const Bilingual& message);
    // Runs an exchange behind the waiting box, holding the dialog's lock; without a connection
    // it tells the operator, sends nothing and returns false.
    bool Send(const std::function<void(WorkProgress&)>& exchange);
    // Sends a confirmed command and, once the processor confirmed it, makes its change; the
    // operator is told when it did not.
    void Change(const std::function<std::uint8_t()>& command,
                const std::function<void()>& confirmed);

    MainWindowState& state_;
    DeviceCommands& commands_;
    DialogHost& host_;
    const int card_;
    Dialogs dialogs_;
    InputCardSpace space_;
    CanvasModel canvas_;
    CChannelWindow* mainWindow_ = nullptr;
    CChannelWindow* pipWindow_ = nullptr;
    ProcessorRect mainRect_;
    ProcessorRect pipRect_;
    bool vgaAdjusted_ = false;
    bool collapsed_ = true;
    std::vector<UndoStep> undo_;
    std::mutex lock_;  // keeps the dialog's workers apart
};

}  // namespace hsq
