#include "program/application_window.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "service/line_socket.h"

#include "scheduler/timer_worker.h"

namespace hsq {

CHSQ2600ObjApp::CHSQ2600ObjApp(Clock& clock, const std::filesystem::path& configFolder,
                               TourRecorder* tour)
    : link_(clock), commands_(link_), store_(configFolder), tour_(tour),
      window_(std::make_unique<CHSQ2600ObjDlg>(logic_)),
      host_(window_.get(), state_.language, tour),
      opener_(window_.get(), host_, state_, store_, commands_),
      logic_(state_, store_, commands_, host_, opener_) {
    logic_.Readback().OnStatusLine(
        [window = window_.get()](const std::string& line) { window->ShowStatusLine(line); });
    logic_.Readback().LookForServicesIn(LineSocketFolder(std::getenv("XDG_RUNTIME_DIR")));
}

bool CHSQ2600ObjApp::StartUp(int systemLanguageId) {
    logic_.TakeSystemLanguage(systemLanguageId);
    window_->Refresh();
    window_->show();
    const QSize screen = window_->screen()->size();
    const bool goOn = logic_.Start(systemLanguageId, screen.width(), screen.height());
    window_->Refresh();
    return goOn;
}

int CHSQ2600ObjApp::Run(int systemLanguageId) {
    // The start-up runs once the window is up, so its questions have a window to stand on.
    QTimer::singleShot(0, window_.get(), [this, systemLanguageId] {
        if (!StartUp(systemLanguageId)) window_->CloseNow();
    });
    window_->exec();
    // A timer worker stopped in an exchange finishes it behind the windows; the link it uses
    // goes with this object.
    FinishStoppedTimerWorkers();
    return 0;
}

int CHSQ2600ObjApp::RunTour(int systemLanguageId) {
    if (!StartUp(systemLanguageId)) return 1;
    const LanguageFlag started = state_.language;
    TourInLanguage(started, started == kChinese ? "zh" : "en");
    TourInLanguage(started == kChinese ? kEnglish : kChinese, started == kChinese ? "en" : "zh");
    logic_.OnClose();
    return 0;
}

void CHSQ2600ObjApp::TourInLanguage(LanguageFlag language, const QString& suffix) {
    state_.language = language;
    window_->Refresh();
    QApplication::processEvents();
    tour_->Save(*window_, "main-window-" + suffix);
    ShowSilentProcessor(suffix);
    logic_.OnConnectionSettings();
    logic_.OnLanguage();
    logic_.OnResolution();
    logic_.OnAdcEdid();
    logic_.OnVersion();
    logic_.OnAbout();
    logic_.OnDisplayMode();
    logic_.OnScheduler();
    logic_.OnTrafficMonitor();
    for (int card = 0; card < kOutputCardCount; ++card) {
        state_.selectedOutput = static_cast<std::uint8_t>(card);
        opener_.Open(DialogKind::OutputBoard);
    }
    opener_.AskModeName(state_.outputs[0].modeNames[0]);
    opener_.OpenAdvancedOutput(0);
    opener_.OpenMosaic();
    state_.selectedInput = 0;
    opener_.Open(DialogKind::InputCard);
    opener_.OpenPictureAdjustment(0);
    state_.language = language;  // the language dialog on a tour chooses nothing
}

// The main window as the operator sees it while the processor does not answer; then as it was.
void CHSQ2600ObjApp::ShowSilentProcessor(const QString& suffix) {
    const std::string statusLine = state_.statusLine;
    logic_.ShowProcessorSilent(true);
    window_->Refresh();
    QApplication::processEvents();
    tour_->Save(*window_, "main-window-silent-" + suffix);
    state_.processorSilent = false;
    state_.statusLine = statusLine;
    window_->Refresh();
}

}  // namespace hsq
