#pragma once

#include <string>
#include <string_view>

#include "app/card_picture_area.h"
#include "dialog/dialog_host.h"
#include "dialog/dialog_opener.h"
#include "app/main_window_state.h"
#include "app/profile_problem_notices.h"
#include "app/status_readback.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"

namespace hsq {

// The main window (CHSQ2600ObjDlg): start-up, the command buttons, the card pictures, the
// clock and closing. The window shows what this says and forwards every control to it.
class MainWindowLogic {
  public:
    enum class Caption {
        WindowTitle, Connect, ConnectionSettings, Initialise, Resolution, DisplayMode, Language,
        Version, Scheduler, ModeRecall, AdcEdid, InputArea, OutputArea, TrafficMonitor, About,
    };
    enum class Area { None, Input, Output };

    static constexpr int kPictureWidth = 225;
    static constexpr int kPictureHeight = 40;
    static constexpr int kClockPeriodMs = 2000;
    static constexpr int kAreaWidth = 250;
    static constexpr int kAreaHeight = 230;

    MainWindowLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                    DialogHost& host, DialogOpener& dialogs, int tcpPort = 7);
    ~MainWindowLogic();
    MainWindowLogic(const MainWindowLogic&) = delete;
    MainWindowLogic& operator=(const MainWindowLogic&) = delete;

    // The language of the captions, from the system's: the window takes it before it first
    // shows, so that it never shows without captions.
    void TakeSystemLanguage(int systemLanguageId);
    // The start-up steps; false when the operator chose not to go on with a small screen.
    bool Start(int systemLanguageId, int screenWidth, int screenHeight);

    void OnConnectButton();
    void OnConnectionSettings();
    void OnInitialise();
    void OnResolution();
    void OnDisplayMode();
    void OnModeRecall();  // the display mode dialog's second entry
    void OnLanguage();
    void OnVersion();
    void OnScheduler();
    void OnAdcEdid();
    void OnTrafficMonitor();
    void OnAbout();
    // True when the window may close.
    bool OnClose();

    void OnLeftButtonDown(Area area, Point point);
    void OnMouseMove(Point point);
    void OnLeftButtonUp(Point point);
    void OnDoubleClick(Area area);
    // Shows what went wrong with the files while a worker or a dialog wrote them.
    void ShowPendingNotices() { notices_.ShowPending(); }
    // Every tick of the clock: what the scheduler's writes went through, and whether the line
    // service the link went through has ended. True when the window must show afresh.
    bool OnClockTick();
    // The processor's health in the status line and the cards' lamps, as the clock tick finds it
    // or as a tour pictures it.
    void ShowProcessorSilent(bool silent);

    // "%4d-%02d-%02d  %02d:%02d:%02d" of the local time now.
    std::string ClockText() const;
    std::string_view CaptionText(Caption caption) const;
    // The caption's title, marked when the processor is the demo's simulation.
    std::string WindowTitle() const;

    const MainWindowState& State() const { return state_; }
    const CardPictureArea& InputPictures() const { return inputs_; }
    const CardPictureArea& OutputPictures() const { return outputs_; }
    Area HandlesShownIn() const { return handles_; }
    bool ClockRunning() const { return state_.configurationFound; }
    StatusReadback& Readback() { return readback_; }

    static Rect InputPicturePlace(int index);

  private:
    bool Guarded();
    void RunWorker(const std::function<void(WorkProgress&)>& work);
    DialogOutcome OpenDialog(DialogKind kind);
    void Connect();
    void UpdatePictures();
    void PlaceOutputPictures();
    void StoreOutputPlaces();
    void OpenOutputBoard(int card);
    void OpenInputCard(int card);
    void SaveProfiles();
    void Disconnected();
    bool ShowHealth();

    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    DialogHost& host_;
    DialogOpener& dialogs_;
    ProfileProblemNotices notices_;
    StatusReadback readback_;
    CardPictureArea inputs_;
    CardPictureArea outputs_;
    Area handles_ = Area::None;
};

}  // namespace hsq
