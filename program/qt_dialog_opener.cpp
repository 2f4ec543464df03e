#include "program/qt_dialog_opener.h"

#include <QApplication>
#include <QTimer>

#include "app/about_dialog.h"
#include "app/language_dialog.h"
#include "app/serial_set_dialog.h"
#include "app/version_dialog.h"
#include "input/adc_edid_dialog.h"
#include "input/input_card_dialog.h"
#include "input/picture_adjustment_dialog.h"
#include "modes/mode_get_dialog.h"
#include "modes/mode_name_dialog.h"
#include "output/advanced_output_dialog.h"
#include "output/mosaic_dialog.h"
#include "output/output_board_dialog.h"
#include "output/output_resolution_dialog.h"
#include "scheduler/timer_dialog.h"
#include "ui/tour_recorder.h"

namespace hsq {

QtDialogOpener::QtDialogOpener(QWidget* parent, QtDialogHost& host, MainWindowState& state,
                               ProfileStore& store, DeviceCommands& commands)
    : parent_(parent), host_(host), state_(state), store_(store), commands_(commands) {}

DialogOutcome QtDialogOpener::Open(DialogKind kind) {
    switch (kind) {
        case DialogKind::ConnectionSettings: return OpenConnectionSettings();
        case DialogKind::Language: return OpenLanguage();
        case DialogKind::OutputBoard: return OpenOutputBoard();
        case DialogKind::InputCard: return OpenInputCard();
        case DialogKind::TrafficMonitor: return OpenTrafficMonitor();
        case DialogKind::Resolution: {
            // Its worker reloads the records; the main window shows them once it closes.
            OutputResolutionLogic logic(state_, store_, commands_, host_);
            COutFormatSet dialog(logic, parent_);
            host_.RunModal(dialog, "resolution");
            return {true};
        }
        case DialogKind::DisplayMode: {
            ModeGetLogic logic(state_, store_, commands_, host_);
            CModeGet dialog(logic, parent_);
            host_.RunModal(dialog, "display-mode");
            return logic.Outcome();
        }
        case DialogKind::Scheduler: {
            // The check box of the input card's answer is kept with the main window's flags.
            TimerEditorLogic logic(store_, commands_, host_, state_.language,
                                   state_.configFlags[1]);
            CCTimeOn dialog(logic, parent_);
            host_.RunModal(dialog, "scheduler");
            return {true};
        }
        case DialogKind::AdcEdid: {
            AdcEdidLogic logic(commands_);
            CCAdcEdid dialog(logic, parent_);
            host_.RunModal(dialog, "adc-edid");
            return {true};
        }
        case DialogKind::Version: {
            CCVision dialog(store_, state_.language, parent_);
            return {host_.RunModal(dialog, "version") == QDialog::Accepted};
        }
        case DialogKind::About: {
            CAboutDlg dialog(parent_);
            return {host_.RunModal(dialog, "about") == QDialog::Accepted};
        }
        default: return {};
    }
}

DialogOutcome QtDialogOpener::OpenConnectionSettings() {
    SerialSetLogic logic(host_, store_, commands_, state_.connection, state_.connected,
                         state_.language);
    logic.OnOpen();
    CSerialSet dialog(logic, parent_);
    return {host_.RunModal(dialog, "connection-settings") == QDialog::Accepted};
}

DialogOutcome QtDialogOpener::OpenLanguage() {
    LanguageSetLogic logic(host_, state_.language, state_.localeClass);
    CLanguageSet dialog(logic, parent_);
    host_.RunModal(dialog, "language");
    return {true};
}

// The card is read behind the waiting box before its window shows; a card that could not be read
// has nothing to show. A tour also shows the mode copy menu, before the window's own picture
// closes it.
DialogOutcome QtDialogOpener::OpenOutputBoard() {
    const int card = state_.selectedOutput;
    OutputBoardLogic::Dialogs dialogs;
    dialogs.askModeName = [this](const std::string& name) { return AskModeName(name); };
    dialogs.advanced = [this, card] { OpenAdvancedOutput(card); };
    dialogs.mosaic = [this] { OpenMosaic(); };
    OutputBoardLogic logic(state_, store_, commands_, host_, card, dialogs);
    if (!logic.Open()) return {};
    CCOverlay dialog(logic, parent_);
    const QString name = card == 0 ? "output-board-k" : "output-board-l";
    if (TourRecorder* tour = host_.Tour()) {
        QTimer::singleShot(0, &dialog, [&dialog, tour, name] {
            QMenu& menu = dialog.PopUpModeCopyMenu();
            tour->Save(menu, name + "-mode-copy");
            menu.close();
        });
    }
    host_.RunModal(dialog, name);
    return {true};
}

// The card was read, and so selected on the processor, just before.
DialogOutcome QtDialogOpener::OpenInputCard() {
    const int card = state_.selectedInput;
    InputCardLogic::Dialogs dialogs;
    dialogs.pictureAdjustment = [this, card] { OpenPictureAdjustment(card); };
    InputCardLogic logic(state_, commands_, host_, card, dialogs);
    COneShow dialog(logic, parent_);
    host_.RunModal(dialog, QString("input-card-%1").arg(QChar('a' + card)));
    return {true};
}

// Not modal, so that it can watch the traffic of the dialogs opened after it. Its parent is the
// main window, whose own modal loop would otherwise keep it from the operator's clicks.
DialogOutcome QtDialogOpener::OpenTrafficMonitor() {
    if (!monitor_) {
        monitorLogic_ = std::make_unique<TrafficMonitorLogic>(commands_.link().Traffic(), host_,
                                                              state_.language);
        monitor_ = std::make_unique<CTrafficMonitor>(*monitorLogic_, parent_);
    }
    monitor_->show();
    monitor_->raise();
    monitor_->activateWindow();
    if (TourRecorder* tour = host_.Tour()) {
        tour->Save(*monitor_, "traffic-monitor");
        monitor_->hide();
    }
    return {true};
}

void QtDialogOpener::OpenPictureAdjustment(int card) {
    PictureAdjustmentLogic logic(state_, store_, commands_, host_, card);
    logic.Open();
    COtherSet dialog(logic, Asking());
    host_.RunModal(dialog, "picture-adjustment");
}

// The dialogs opened from another one stand over the window that asks, never behind it.
QWidget* QtDialogOpener::Asking() const {
    QWidget* asking = QApplication::activeModalWidget();
    return asking != nullptr ? asking : parent_;
}

std::string QtDialogOpener::AskModeName(const std::string& name) {
    ModeNameLogic logic(name, state_.language);
    CCSetModeName dialog(logic, Asking());
    host_.RunModal(dialog, "mode-name");
    return logic.Name();
}

void QtDialogOpener::OpenAdvancedOutput(int card) {
    AdvancedOutputLogic logic(state_, store_, commands_, host_, card);
    CCOutAdvanced dialog(logic, Asking());
    host_.RunModal(dialog, card == 0 ? "advanced-output-k" : "advanced-output-l");
}

// Built anew at each opening: it takes the resolution, the cards and their modes as they are.
void QtDialogOpener::OpenMosaic() {
    MosaicLogic logic(state_, commands_, host_);
    CMosaicSet dialog(logic, Asking());
    host_.RunModal(dialog, "mosaic");
}

}  // namespace hsq
