#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/main_window_state.h"
#include "app/traffic_monitor_window.h"
#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/dialog_opener.h"
#include "ui/qt_dialog_host.h"

namespace hsq {

// The one place the main window's dialogs are opened: each dialog's issue plugs its window in
// here. A dialog not built yet opens nothing.
class QtDialogOpener final : public DialogOpener {
  public:
    QtDialogOpener(QWidget* parent, QtDialogHost& host, MainWindowState& state,
                   ProfileStore& store, DeviceCommands& commands);

    DialogOutcome Open(DialogKind kind) override;
    // The name a display mode is copied under, asked with the one it has now.
    std::string AskModeName(const std::string& name);
    // The output board window's own dialogs; card 0 is K, 1 is L.
    void OpenAdvancedOutput(int card);
    void OpenMosaic();
    // The input card window's own dialog; card 0..3.
    void OpenPictureAdjustment(int card);

  private:
    DialogOutcome OpenConnectionSettings();
    DialogOutcome OpenLanguage();
    DialogOutcome OpenOutputBoard();
    DialogOutcome OpenInputCard();
    DialogOutcome OpenTrafficMonitor();
    QWidget* Asking() const;

    QWidget* parent_;
    QtDialogHost& host_;
    MainWindowState& state_;
    ProfileStore& store_;
    DeviceCommands& commands_;
    // Built at its first opening and kept, with what it lists, until the program ends; the
    // window goes first, before the logic it shows.
    std::unique_ptr<TrafficMonitorLogic> monitorLogic_;
    std::unique_ptr<CTrafficMonitor> monitor_;
};

}  // namespace hsq
