#pragma once

#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "app/main_window_logic.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "link/clock.h"
#include "link/device_link.h"
#include "program/qt_dialog_opener.h"
#include "ui/qt_dialog_host.h"
#include "ui/tour_recorder.h"

namespace hsq {

// The application (CHSQ2600ObjApp): the link, the store and the main window, alive from start
// to exit.
class CHSQ2600ObjApp {
  public:
    CHSQ2600ObjApp(Clock& clock, const std::filesystem::path& configFolder,
                   TourRecorder* tour = nullptr);

    // Shows the main window, runs its start-up and then the window until it closes.
    int Run(int systemLanguageId);
    // Shows the main window and every dialog there is, in both languages, into the recorder.
    int RunTour(int systemLanguageId);
    // The start-up without running the window (for tests and the benchmark).
    bool StartUp(int systemLanguageId);
    // The processor is the demo's simulation: the window's title and status line say so.
    void MarkSimulated() { state_.simulated = true; }

    CHSQ2600ObjDlg& Window() { return *window_; }
    MainWindowLogic& Logic() { return logic_; }
    DeviceLink& Link() { return link_; }
    ProfileStore& Store() { return store_; }

  private:
    void TourInLanguage(LanguageFlag language, const QString& suffix);
    void ShowSilentProcessor(const QString& suffix);

    DeviceLink link_;
    DeviceCommands commands_;
    ProfileStore store_;
    MainWindowState state_;
    TourRecorder* tour_;
    std::unique_ptr<CHSQ2600ObjDlg> window_;
    QtDialogHost host_;
    QtDialogOpener opener_;
    MainWindowLogic logic_;
};

}  // namespace hsq
