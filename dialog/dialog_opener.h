#pragma once

namespace hsq {

// The dialogs the main window opens. Each is opened through DialogOpener, so that a dialog
// built later only has to be plugged in there.
enum class DialogKind {
    About,
    ConnectionSettings,
    Resolution,
    DisplayMode,
    Language,
    Version,
    Scheduler,
    AdcEdid,
    OutputBoard,
    InputCard,
    TrafficMonitor,
};

// What a dialog hands back to the main window.
struct DialogOutcome {
    bool accepted = false;
    // The display mode dialog reports a changed output format and "InA_Kout1"; -1 for none.
    int outputFormat = -1;
    int inAKout1 = -1;
};

class DialogOpener {
  public:
    virtual ~DialogOpener() = default;
    // Runs the dialog modally; a dialog that does not exist yet opens nothing. The traffic
    // monitor alone is not modal: it shows (again) and stays open, and Open returns at once.
    virtual DialogOutcome Open(DialogKind kind) = 0;
};

}  // namespace hsq
