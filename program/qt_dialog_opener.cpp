#include "program/qt_dialog_opener.h"

#include "app/about_dialog.h"
#include "app/language_dialog.h"
#include "app/serial_set_dialog.h"
#include "app/version_dialog.h"

namespace hsq {

QtDialogOpener::QtDialogOpener(QWidget* parent, QtDialogHost& host, MainWindowState& state,
                               ProfileStore& store, DeviceCommands& commands)
    : parent_(parent), host_(host), state_(state), store_(store), commands_(commands) {}

DialogOutcome QtDialogOpener::Open(DialogKind kind) {
    switch (kind) {
        case DialogKind::ConnectionSettings: return OpenConnectionSettings();
        case DialogKind::Language: return OpenLanguage();
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

}  // namespace hsq
