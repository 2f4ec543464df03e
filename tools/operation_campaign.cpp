#include "tools/operation_campaign.h"

#include <array>
#include <functional>
#include <random>
#include <set>
#include <thread>
#include <tuple>

#include <nlohmann/json.hpp>
#include "app/main_window_logic.h"
#include "config/default_configuration.h"
#include "config/output_board_profile.h"
#include "config/profile_values.h"
#include "input/adc_edid_logic.h"
#include "input/input_card_logic.h"
#include "input/picture_adjustment_logic.h"
#include "modes/mode_export.h"
#include "modes/mode_file.h"
#include "modes/mode_get_logic.h"
#include "modes/mode_import.h"
#include "output/advanced_output_logic.h"
#include "output/mosaic_logic.h"
#include "output/output_board_logic.h"
#include "output/output_resolution_logic.h"
#include "scheduler/timer_editor_logic.h"
#include "scheduler/timer_file.h"

#include "service/board_actions.h"
#include "service/headless_timers.h"
#include "service/http_api.h"
#include "service/processor_status.h"
#include "service/remote_events.h"
#include "service/remote_state.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "tools/campaign_random.h"

namespace hsq::campaign {
namespace {

constexpr std::uint8_t kQueryCode = 0xFE;
constexpr int kEnglishSystem = 1033;
constexpr std::size_t kMostFindings = 20;
// What the remote control may answer: done, refused (bad, unknown, wrong method), or not
// confirmed by the processor.
const std::set<int> kAnswerStatuses{200, 400, 404, 405, 502};
// A reply wait ends about 10.1 s (long: 100.1 s) after the frame; a little more is the link's
// last read.
constexpr int kShortWaitBoundMs = 10500;
constexpr int kLongWaitBoundMs = 100500;

// Mostly what an operator types, now and then what a careless one does.
std::string Typed(Random& random) {
    static const std::array<std::string, 6> kOdd{"", "abc", "-5", "99999", "1e3", " 12"};
    if (Chance(random, 0.15)) return kOdd[static_cast<std::size_t>(Between(random, 0, 5))];
    return std::to_string(Between(random, 0, 1920));
}

WindowRect AnyRect(Random& random) {
    WindowRect rect;
    rect.x = static_cast<std::uint16_t>(Between(random, 0, 1919));
    rect.width = static_cast<std::uint16_t>(Between(random, 16, 1920));
    rect.y = static_cast<std::uint16_t>(Between(random, 0, 1079));
    rect.height = static_cast<std::uint16_t>(Between(random, 16, 1080));
    return rect;
}

// Every mode and channel holds windows of its own, so that one mode's values written into
// another's section show.
sim::ProcessorState StartingState(Random& random) {
    sim::ProcessorState state;
    for (sim::OutputBoardState& board : state.outputs) {
        for (sim::DisplayMode& mode : board.modes) {
            for (sim::ChannelState& channel : mode.channels) {
                channel.crop = AnyRect(random);
                channel.output = AnyRect(random);
            }
        }
    }
    return state;
}

// Every value the processor has held for each window and for each card's display mode, and what
// the files held at the start: a file may hold any of them (a value confirmed before a later,
// unconfirmed change) but nothing else.
class ProcessorHistory {
  public:
    void Take(const sim::ProcessorState& state) {
        for (int board = 0; board < kOutputCardCount; ++board) {
            const sim::OutputBoardState& card = state.outputs[static_cast<std::size_t>(board)];
            displayModes_[static_cast<std::size_t>(board)].insert(card.displayMode);
            for (int mode = 0; mode < kDisplayModeCount; ++mode) {
                for (int channel = 0; channel < kOutputChannelCount; ++channel) {
                    const auto& held = card.modes[static_cast<std::size_t>(mode)]
                                           .channels[static_cast<std::size_t>(channel)];
                    Allow(board, mode, channel, true, held.crop);
                    Allow(board, mode, channel, false, held.output);
                }
            }
        }
    }
    void Allow(int board, int mode, int channel, bool crop, const WindowRect& rect) {
        rects_[Index(board, mode, channel, crop)].insert(Key(rect));
    }
    void AllowDisplayMode(int board, int mode) {
        displayModes_[static_cast<std::size_t>(board)].insert(mode);
    }
    bool Held(int board, int mode, int channel, bool crop, const WindowRect& rect) const {
        return rects_[Index(board, mode, channel, crop)].contains(Key(rect));
    }
    // Where else the processor held it, for the finding to say: "mode 3 channel 2", or nothing.
    std::string WhereHeld(int board, bool crop, const WindowRect& rect) const {
        for (int mode = 0; mode < kDisplayModeCount; ++mode) {
            for (int channel = 0; channel < kOutputChannelCount; ++channel) {
                if (Held(board, mode, channel, crop, rect))
                    return "mode " + std::to_string(mode) + " channel " +
                           std::to_string(channel + 1);
            }
        }
        return {};
    }
    bool HeldDisplayMode(int board, int mode) const {
        return displayModes_[static_cast<std::size_t>(board)].contains(mode);
    }

  private:
    using RectKey = std::tuple<int, int, int, int>;
    static RectKey Key(const WindowRect& r) { return {r.x, r.width, r.y, r.height}; }
    static std::size_t Index(int board, int mode, int channel, bool crop) {
        return static_cast<std::size_t>(
            ((board * kDisplayModeCount + mode) * kOutputChannelCount + channel) * 2 +
            (crop ? 1 : 0));
    }

    std::array<std::set<RectKey>, kOutputCardCount * kDisplayModeCount * kOutputChannelCount * 2>
        rects_;
    std::array<std::set<int>, kOutputCardCount> displayModes_;
};

// The simulator behind the link, telling the history of every command it applied.
class WatchedTransport final : public LinkTransport {
  public:
    WatchedTransport(sim::SimulatedProcessor& processor, Clock& clock, ProcessorHistory& history)
        : processor_(processor), inner_(processor, clock), history_(history) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        const int written = inner_.WriteFrame(bytes, count);
        ++frames;
        if (count == kFrameSize && bytes[2] != kQueryCode) history_.Take(processor_.Snapshot());
        return written;
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }

    long frames = 0;

  private:
    sim::SimulatedProcessor& processor_;
    sim::InProcessTransport inner_;
    ProcessorHistory& history_;
};

// The operator: answers questions mostly yes, chooses the campaign's mode file, and now and then
// presses Cancel on a waiting box.
class CampaignHost final : public DialogHost, private WorkProgress {
  public:
    CampaignHost(Random& random, std::filesystem::path modeFile)
        : random_(random), modeFile_(std::move(modeFile)) {}

    void ShowMessage(std::string_view, std::string_view) override { ++messages; }
    bool AskYesNo(std::string_view, std::string_view) override { return Chance(random_, 0.85); }
    void RunWorker(const std::function<void(WorkProgress&)>& work) override {
        ++openBoxes;
        reports_ = 0;
        stopAfterReports_ = Chance(random_, 0.05) ? Between(random_, 0, 40) : -1;
        std::thread worker([&] { work(*this); });
        worker.join();
        --openBoxes;
    }
    std::string AskSaveFile(std::string_view, std::string_view,
                            std::span<const FileFilter>) override {
        return Chance(random_, 0.9) ? modeFile_.string() : std::string();
    }
    std::string AskOpenFile(std::string_view, std::string_view,
                            std::span<const FileFilter>) override {
        const bool there = std::filesystem::exists(modeFile_);
        return there && Chance(random_, 0.9) ? modeFile_.string() : std::string();
    }

    int openBoxes = 0;
    long messages = 0;

  private:
    void Report(int, int) override { ++reports_; }
    bool StopRequested() const override {
        return stopAfterReports_ >= 0 && reports_ >= stopAfterReports_;
    }

    Random& random_;
    std::filesystem::path modeFile_;
    int reports_ = 0;
    int stopAfterReports_ = -1;
};

std::string RectText(const WindowRect& rect) {
    return std::to_string(rect.x) + "," + std::to_string(rect.width) + "," +
           std::to_string(rect.y) + "," + std::to_string(rect.height);
}

struct Operation {
    const char* name;
    int weight;
    std::function<void()> run;
};

// The whole program as the operator meets it, on virtual time: the main window with every
// dialog it opens, each dialog driven through a few random operations before it closes.
class Campaign final : private DialogOpener {
  public:
    Campaign(const OperationRun& run, const std::filesystem::path& folder)
        : log_(run.log),
          random_(run.seed),
          processor_(StartingState(random_)),
          line_(processor_, clock_, history_),
          link_(clock_),
          commands_(link_),
          store_(folder),
          modeFile_(folder / "modes.ini"),
          commandLineFile_(folder / "ctl-modes.ini"),
          host_(random_, modeFile_),
          window_(state_, store_, commands_, host_, *this),
          serviceStore_(folder),
          serviceTimers_(commands_, clock_, serviceStore_, [](const std::string&) {}),
          remoteState_(commands_, remoteEvents_),
          remote_(commands_, clock_, remoteState_, serviceStore_, serviceTimers_,
                  {std::nullopt, kEnglish, 1e9, 1e9}) {
        link_.AttachTransport(&line_);
        WriteDefaultConfiguration(folder);
        history_.Take(processor_.Snapshot());
        AllowStartingFiles();
    }

    OperationFigures Run(long exchanges) {
        store_.WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
        window_.Start(kEnglishSystem, 1920, 1080);
        while (line_.frames < exchanges && figures_.findings.size() < kMostFindings) {
            ChangeFaults();
            if (log_) log_("step " + std::to_string(figures_.steps + 1));
            const std::string done = MainWindowStep();
            ++figures_.steps;
            Check(done);
            clock_.ClearPauses();
        }
        processor_.SetFaults(sim::FaultInjector{});
        figures_.recovered = Recovered();
        Check("recovery");
        figures_.exchanges = line_.frames;
        return figures_;
    }

  private:
    void AllowStartingFiles() {
        for (int board = 0; board < kOutputCardCount; ++board) {
            for (int mode = 0; mode < kDisplayModeCount; ++mode) {
                for (int channel = 0; channel < kOutputChannelCount; ++channel) {
                    for (bool crop : {true, false})
                        history_.Allow(board, mode, channel, crop,
                                       FileRect(board, mode, channel, crop));
                }
            }
            history_.AllowDisplayMode(board, FileDisplayMode(board));
        }
    }

    WindowRect FileRect(int board, int mode, int channel, bool crop) const {
        std::string value;
        store_.ReadValue(ConfigFileKind::Output, "Mode" + std::to_string(mode),
                         "OutCH" + std::to_string(channel + 1) +
                             (crop ? "_Jiequ_InputMap_Size" : "_OutputMap_Size"),
                         value, static_cast<std::uint8_t>(board + 1));
        return ProfileRect(value);
    }

    int FileDisplayMode(int board) const {
        std::string value;
        store_.ReadValue(ConfigFileKind::Output, "BOARD", "Display_Mode", value,
                         static_cast<std::uint8_t>(board + 1));
        return std::atoi(value.c_str());
    }

    // Now and then the line changes: clean, a silent spell, or one or two kinds of fault.
    void ChangeFaults() {
        if (!Chance(random_, 0.2)) return;
        static constexpr std::array<sim::FaultKind, 7> kKinds{
            sim::FaultKind::kBadSum, sim::FaultKind::kExtra, sim::FaultKind::kGarbage,
            sim::FaultKind::kPieces, sim::FaultKind::kLate,  sim::FaultKind::kNoReply,
            sim::FaultKind::kDrop};
        static constexpr std::array<double, 4> kRates{0.02, 0.05, 0.1, 0.3};
        std::vector<sim::FaultRule> rules;
        const int pick = Between(random_, 0, 9);
        if (pick == 0) {
            rules.push_back({sim::FaultKind::kNoReply, 1.0});
        } else if (pick > 3) {
            for (int i = Between(random_, 1, 2); i > 0; --i)
                rules.push_back({kKinds[static_cast<std::size_t>(Between(random_, 0, 6))],
                                 kRates[static_cast<std::size_t>(Between(random_, 0, 3))]});
        }
        processor_.SetFaults(sim::FaultInjector(rules, random_()));
        ++figures_.faultSpells;
        if (log_) log_("faults: " + std::to_string(rules.size()) + " kinds");
    }

    // Runs one of the operations, chosen by weight; its name.
    std::string RunOne(const std::vector<Operation>& operations) {
        int total = 0;
        for (const Operation& operation : operations) total += operation.weight;
        int pick = Between(random_, 1, total);
        for (const Operation& operation : operations) {
            pick -= operation.weight;
            if (pick > 0) continue;
            ++figures_.operations[operation.name];
            if (log_) log_(operation.name);
            operation.run();
            // Followed closely, a finding names the very operation.
            if (log_) Check(operation.name);
            return operation.name;
        }
        return {};
    }

    void RunSome(const std::vector<Operation>& operations, int most) {
        for (int count = Between(random_, 1, most); count > 0; --count) RunOne(operations);
    }

    void OpenCard(MainWindowLogic::Area area, int card) {
        const auto& pictures = area == MainWindowLogic::Area::Output ? window_.OutputPictures()
                                                                     : window_.InputPictures();
        const Rect& place = pictures.Picture(card);
        const Point middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        window_.OnLeftButtonDown(area, middle);
        window_.OnLeftButtonUp(middle);
        window_.OnDoubleClick(area);
    }

    std::string MainWindowStep() {
        using Area = MainWindowLogic::Area;
        return RunOne({
            {"connect or disconnect", 1, [&] { window_.OnConnectButton(); }},
            {"initialise", 1, [&] { window_.OnInitialise(); }},
            {"output card", 12, [&] { OpenCard(Area::Output, Between(random_, 0, 1)); }},
            {"input card", 5, [&] { OpenCard(Area::Input, Between(random_, 0, 3)); }},
            {"display mode", 4, [&] { window_.OnDisplayMode(); }},
            {"mode recall", 2, [&] { window_.OnModeRecall(); }},
            {"resolution", 1, [&] { window_.OnResolution(); }},
            // Its presses and the command line reach a line only while the program holds it:
            // the simulator, unlike a closed port, would take frames from a closed link.
            {"ADC/EDID", 1,
             [&] {
                 if (state_.connected) window_.OnAdcEdid();
             }},
            {"scheduler", 2, [&] { window_.OnScheduler(); }},
            {"clock tick", 2, [&] { window_.OnClockTick(); }},
            {"command line", 3,
             [&] {
                 if (state_.connected) CommandLine();
             }},
            {"remote control", 3,
             [&] {
                 if (state_.connected) RemoteControl();
             }},
        });
    }

    DialogOutcome Open(DialogKind kind) override {
        switch (kind) {
            case DialogKind::OutputBoard: OutputBoard(state_.selectedOutput); return {true};
            case DialogKind::InputCard: InputCard(state_.selectedInput); return {true};
            case DialogKind::DisplayMode: return DisplayModes();
            case DialogKind::Resolution: Resolution(); return {true};
            case DialogKind::AdcEdid: AdcEdid(); return {true};
            case DialogKind::Scheduler: Timers(); return {true};
            default: return {};
        }
    }

    void OutputBoard(int card) {
        using Canvas = OutputBoardLogic::Canvas;
        OutputBoardLogic::Dialogs dialogs;
        dialogs.askModeName = [&](const std::string&) {
            return Chance(random_, 0.9) ? "Copy" + std::to_string(Between(random_, 1, 99))
                                        : std::string();
        };
        dialogs.advanced = [&] { Advanced(card); };
        dialogs.mosaic = [&] { Mosaic(); };
        OutputBoardLogic logic(state_, store_, commands_, host_, card, dialogs);
        if (!logic.Open()) return;
        const auto canvas = [&] { return Chance(random_, 0.5) ? Canvas::Input : Canvas::Output; };
        const auto field = [&] { return static_cast<OutputSpace::Field>(Between(random_, 0, 3)); };
        RunSome({{"output: image", 3, [&] { logic.OnImage(Between(random_, 0, 3)); }},
                 {"output: image all", 1, [&] { logic.OnImageAll(); }},
                 {"output: overlay", 1, [&] { logic.OnOverlay(); }},
                 {"output: fade time", 1, [&] { logic.OnFadeTime(Between(random_, 0, 5)); }},
                 {"output: recall", 3, [&] { logic.OnDisplayMode(Between(random_, 0, 15)); }},
                 {"output: matrix", 1, [&] { logic.OnMatrix(Between(random_, 0, 3)); }},
                 {"output: channel on", 1, [&] { logic.OnChannelOn(Chance(random_, 0.7)); }},
                 {"output: border", 1,
                  [&] {
                      logic.OnBorderSwitch(Chance(random_, 0.5));
                      logic.OnBorderField(Between(random_, 0, 3), Typed(random_));
                      logic.OnBorderSet();
                  }},
                 {"output: brightness", 1,
                  [&] {
                      logic.OnBrightnessField(Typed(random_));
                      logic.OnBrightnessSet();
                  }},
                 {"output: clock source", 1, [&] { logic.OnClockSource(Between(random_, 0, 1)); }},
                 {"output: field", 6, [&] { logic.OnField(canvas(), field(), Typed(random_)); }},
                 {"output: save input", 3, [&] { logic.OnSaveInput(); }},
                 {"output: save output", 3, [&] { logic.OnSaveOutput(); }},
                 {"output: mode copy", 2, [&] { logic.OnModeCopy(Between(random_, 0, 15)); }},
                 {"output: undo", 2, [&] { logic.OnUndo(canvas()); }},
                 {"output: advanced", 1, [&] { logic.OnAdvanced(); }},
                 {"output: mosaic", 1, [&] { logic.OnMosaic(); }}},
                12);
    }

    void Advanced(int card) {
        AdvancedOutputLogic logic(state_, store_, commands_, host_, card);
        static constexpr std::array<int, 5> kModes{0, 1, 5, 6, 3};
        RunSome(
            {{"advanced: synchronisation", 1,
              [&] { logic.OnSynchronization(Chance(random_, 0.5)); }},
             {"advanced: reset HDMI", 1, [&] { logic.OnResetHdmi(); }},
             {"advanced: application mode", 2,
              [&] {
                  logic.OnApplicationMode(kModes[static_cast<std::size_t>(Between(random_, 0, 4))]);
              }}},
            3);
    }

    void Mosaic() {
        using Group = MosaicLogic::Group;
        MosaicLogic logic(state_, commands_, host_);
        const auto group = [&] { return Chance(random_, 0.5) ? Group::Input : Group::Output; };
        RunSome({{"mosaic: layout", 2,
                  [&] {
                      const auto& [rows, columns] = MosaicLogic::kLayouts[static_cast<std::size_t>(
                          Between(random_, 0, MosaicLogic::kLayouts.size() - 1))];
                      logic.OnLayout(rows, columns);
                  }},
                 {"mosaic: create", 1, [&] { logic.OnCreate(Typed(random_), Typed(random_)); }},
                 {"mosaic: window", 1, [&] { logic.OnSelectWindow(Between(random_, 0, 7)); }},
                 {"mosaic: auto calculation", 2, [&] { logic.OnAutoCalculation(); }},
                 {"mosaic: field", 2,
                  [&] {
                      logic.OnField(group(),
                                    static_cast<MosaicLogic::Field>(Between(random_, 0, 3)),
                                    Typed(random_));
                  }},
                 {"mosaic: save input", 2, [&] { logic.OnSaveInput(); }},
                 {"mosaic: save output", 2, [&] { logic.OnSaveOutput(); }}},
                6);
    }

    void InputCard(int card) {
        using Row = InputCardLogic::Row;
        InputCardLogic::Dialogs dialogs;
        dialogs.pictureAdjustment = [&] { PictureAdjustment(card); };
        InputCardLogic logic(state_, commands_, host_, card, dialogs);
        RunSome({{"input: signal", 2, [&] { logic.OnSignal(Between(random_, 0, 3)); }},
                 {"input: PIP", 1, [&] { logic.OnPip(); }},
                 {"input: text", 1, [&] { logic.OnText(); }},
                 {"input: VGA auto", 1, [&] { logic.OnVgaAuto(); }},
                 {"input: settings", 1, [&] { logic.OnSettings(); }},
                 {"input: panel", 1, [&] { logic.OnPanelToggle(); }},
                 {"input: field", 3,
                  [&] {
                      logic.OnField(Chance(random_, 0.5) ? Row::Main : Row::Pip,
                                    static_cast<InputCardLogic::Field>(Between(random_, 0, 3)),
                                    Typed(random_));
                  }},
                 {"input: save", 2, [&] { logic.OnSave(); }},
                 {"input: undo", 1, [&] { logic.OnUndo(); }}},
                6);
    }

    void PictureAdjustment(int card) {
        using Value = PictureAdjustmentLogic::Value;
        using Group = PictureAdjustmentLogic::Group;
        PictureAdjustmentLogic logic(state_, store_, commands_, host_, card);
        logic.Open();
        const auto value = [&] { return static_cast<Value>(Between(random_, 0, 5)); };
        const auto group = [&] { return static_cast<Group>(Between(random_, 0, 3)); };
        RunSome({{"picture: slider", 2,
                  [&] {
                      const Value which = value();
                      logic.OnSlider(
                          which, Between(random_, 0, PictureAdjustmentLogic::SliderMaximum(which)));
                  }},
                 {"picture: text", 1, [&] { logic.OnText(value(), Typed(random_)); }},
                 {"picture: direction", 1, [&] { logic.OnDirection(Chance(random_, 0.5)); }},
                 {"picture: set", 2, [&] { logic.OnSet(group()); }},
                 {"picture: reset", 1, [&] { logic.OnReset(group()); }}},
                4);
    }

    DialogOutcome DisplayModes() {
        ModeGetLogic logic(state_, store_, commands_, host_);
        RunSome({{"modes: recall", 3,
                  [&] {
                      logic.OnMode(Between(random_, 1, 16));
                      logic.OnLoad();
                  }},
                 {"modes: export", 1, [&] { logic.OnExport(); }},
                 {"modes: import", 1, [&] { logic.OnImport(); }}},
                2);
        return logic.Outcome();
    }

    void Resolution() {
        OutputResolutionLogic logic(state_, store_, commands_, host_);
        logic.OnSlider(Between(random_, 0, 12));
        ++figures_.operations["resolution: set"];
        logic.OnSet();
    }

    void AdcEdid() {
        AdcEdidLogic logic(commands_);
        RunSome({{"ADC", 1, [&] { logic.OnAdc(Between(random_, 0, 3)); }},
                 {"EDID", 1,
                  [&] {
                      logic.OnEdid(Between(random_, 0, 3), Chance(random_, 0.5)
                                                               ? AdcEdidLogic::Edid::Vga
                                                               : AdcEdidLogic::Edid::Dvi);
                  }}},
                3);
    }

    // Timers are edited and saved, never started: a worker firing on its own thread would make
    // the run depend on the threads' timing.
    void Timers() {
        TimerEditorLogic logic(store_, commands_, host_, state_.language, state_.configFlags[1]);
        const auto section = [&] {
            return kTimerSections[static_cast<std::size_t>(Between(random_, 0, 2))];
        };
        RunSome({{"timers: kind", 1,
                  [&] { logic.OnKind(section(), static_cast<TimerKind>(Between(random_, 1, 4))); }},
                 {"timers: choice", 1, [&] { logic.OnChoice(section(), Between(random_, 0, 16)); }},
                 {"timers: time", 1,
                  [&] {
                      logic.OnTime(section(), {Between(random_, 0, 23), Between(random_, 0, 59),
                                               Between(random_, 0, 59)});
                  }},
                 {"timers: board", 1,
                  [&] {
                      const TimerSection which = section();
                      const auto boards = TimerEditorLogic::PanelBoards(which);
                      logic.OnBoard(which,
                                    boards[static_cast<std::size_t>(
                                        Between(random_, 0, static_cast<int>(boards.size()) - 1))],
                                    Chance(random_, 0.7));
                  }},
                 {"timers: save", 2, [&] { logic.OnSave(section()); }},
                 {"timers: delete", 1, [&] { logic.OnDelete(section(), Between(random_, 0, 3)); }}},
                6);
    }

    // What hsq2600ctl does through the line the desktop program holds, with the same core
    // operations, while the main window keeps its own records: the processor changed by another
    // program. Like hsq2600ctl, it shakes hands first and stops there when nothing answers.
    void CommandLine() {
        const auto presence = Handshake(commands_);
        if (!presence) return;
        BoardActions actions(commands_, clock_);
        UnwatchedProgress progress;
        RunOne({{"ctl: recall", 2,
                 [&] { actions.Recall(Between(random_, 0, 1), Between(random_, 0, 15)); }},
                {"ctl: source", 1,
                 [&] { actions.SwitchSource(Between(random_, 0, 3), Between(random_, 0, 3)); }},
                {"ctl: brightness", 1,
                 [&] {
                     const int board = Between(random_, 0, 5);
                     actions.SetBrightness(board, Between(random_, 0, board < 4 ? 100 : 32));
                 }},
                {"ctl: export", 1,
                 [&] {
                     const ModeExport exported = ExportModes(commands_, *presence, progress);
                     if (exported.outcome.Done()) WriteModeFile(commandLineFile_, exported.bank);
                 }},
                {"ctl: import", 1, [&] {
                     if (const auto bank = ReadModeFile(commandLineFile_))
                         ImportModes(commands_, *bank, *presence, progress);
                 }}});
    }

    // What a control system or the remote page asks over HTTP, now and then wrongly. Every
    // answer is JSON with a status the API gives, and a recall answered 200 is in force.
    void RemoteControl() {
        static constexpr std::array<std::string_view, 4> kSignals{"sdi", "dvi", "vga", "video"};
        const std::string board = Chance(random_, 0.5) ? "K" : "L";
        const std::string card(1, static_cast<char>('A' + Between(random_, 0, 3)));
        const int mode = Between(random_, 0, 17);
        const auto ask = [&](std::string method, std::string path, std::string body = {}) {
            const HttpAnswer answer = remote_.Handle(
                {std::move(method), "/api/v1" + path, {}, {}, std::move(body), "127.0.0.1"});
            if (!kAnswerStatuses.contains(answer.status) || !nlohmann::json::accept(answer.body))
                Find("remote control", "answered " + std::to_string(answer.status) + " " +
                                           answer.body.substr(0, 80) + " to " + path);
            return answer;
        };
        RunOne({{"http: status", 2, [&] { ask("GET", "/status"); }},
                {"http: modes", 1, [&] { ask("GET", "/boards/" + board + "/modes"); }},
                {"http: recall", 3,
                 [&] {
                     const auto answer = ask("POST", "/boards/" + board + "/recall",
                                             "{\"mode\": " + std::to_string(mode) + "}");
                     const auto held = processor_.Snapshot().outputs[board == "K" ? 0 : 1];
                     if (answer.status == 200 && held.displayMode != mode - 1)
                         Find("http: recall", "a recall answered 200 is not in force");
                 }},
                {"http: source", 1,
                 [&] {
                     const std::string signal =
                         Chance(random_, 0.9)
                             ? std::string(
                                   kSignals[static_cast<std::size_t>(Between(random_, 0, 3))])
                             : "hdmi";
                     ask("POST", "/inputs/" + card + "/source", "{\"signal\": \"" + signal + "\"}");
                 }},
                {"http: brightness", 1,
                 [&] {
                     ask("POST", "/boards/" + board + "/brightness",
                         "{\"value\": " + std::to_string(Between(random_, -2, 40)) + "}");
                 }},
                {"http: timers", 1, [&] { ask("GET", "/timers"); }},
                {"http: nonsense", 1, [&] {
                     ask(Chance(random_, 0.5) ? "POST" : "GET", "/boards/" + card + "/recall",
                         Typed(random_));
                 }}});
    }

    // Once the faults stop, a card opens and a recall lands, with nothing to tell the operator.
    bool Recovered() {
        if (!state_.connected) window_.OnConnectButton();
        if (!state_.connected) return false;
        const long messages = host_.messages;
        commands_.SelectOutputBoard(0, 0);
        OutputBoardLogic logic(state_, store_, commands_, host_, 0, {});
        if (!logic.Open()) return false;
        const int mode = Between(random_, 0, 15);
        logic.OnDisplayMode(mode);
        return processor_.Snapshot().outputs[0].displayMode == mode && host_.messages == messages;
    }

    void Find(const std::string& after, const std::string& what) {
        if (figures_.findings.size() >= kMostFindings) return;
        figures_.findings.push_back("step " + std::to_string(figures_.steps) + " (" + after +
                                    "): " + what);
    }

    void Check(const std::string& after) {
        if (host_.openBoxes != 0) Find(after, "a waiting box stayed open");
        for (const std::string& violation : processor_.TakeViolations())
            Find(after, "protocol: " + violation);
        CheckWaits(after);
        CheckOutputFiles(after);
        CheckRecords(after);
        CheckTimerFile(after);
        for (const auto& file : {modeFile_, commandLineFile_}) {
            if (std::filesystem::exists(file) && !ReadModeFile(file))
                Find(after, file.filename().string() + " does not read back");
        }
    }

    void CheckWaits(const std::string& after) {
        for (const TrafficEntry& entry : link_.Traffic().Since(seenTraffic_)) {
            seenTraffic_ = entry.number;
            if (entry.direction != TrafficDirection::Received) continue;
            const int bound =
                DeviceLink::TakesLongWait(entry.command) ? kLongWaitBoundMs : kShortWaitBoundMs;
            if (entry.waitedMs > bound)
                Find(after, "waited " + std::to_string(entry.waitedMs) + " ms for command " +
                                std::to_string(entry.command));
        }
    }

    std::string Elsewhere(int board, bool crop, const WindowRect& rect) const {
        const std::string where = history_.WhereHeld(board, crop, rect);
        return where.empty() ? " nor anywhere" : " but in " + where;
    }

    void CheckOutputFiles(const std::string& after) {
        for (int board = 0; board < kOutputCardCount; ++board) {
            const std::string file = "Output" + std::to_string(board + 1) + ".ini";
            OutputBoardRecord record;
            if (!LoadOutputProfile(store_, static_cast<std::uint8_t>(board + 1), record)) {
                Find(after, file + " does not read");
                continue;
            }
            if (!history_.HeldDisplayMode(board, FileDisplayMode(board)))
                Find(after, file + " says display mode " + std::to_string(FileDisplayMode(board)) +
                                ", never the processor's");
            for (int mode = 0; mode < kDisplayModeCount; ++mode) {
                for (int channel = 0; channel < kOutputChannelCount; ++channel) {
                    for (bool crop : {true, false}) {
                        const WindowRect rect = FileRect(board, mode, channel, crop);
                        if (!history_.Held(board, mode, channel, crop, rect))
                            Find(after, file + " Mode" + std::to_string(mode) + " channel " +
                                            std::to_string(channel + 1) +
                                            (crop ? " crop " : " window ") + RectText(rect) +
                                            " was never the processor's there" +
                                            Elsewhere(board, crop, rect));
                    }
                }
            }
        }
    }

    // What the main window keeps of each card: its mode's windows as the processor held them.
    void CheckRecords(const std::string& after) {
        for (int board = 0; board < kOutputCardCount; ++board) {
            const OutputBoardRecord& record = state_.outputs[static_cast<std::size_t>(board)];
            if (!record.loaded) continue;
            if (record.displayMode >= kDisplayModeCount) {
                Find(after, "a record's display mode is out of range");
                continue;
            }
            for (int channel = 0; channel < kOutputChannelCount; ++channel) {
                const auto at = static_cast<std::size_t>(channel);
                for (bool crop : {true, false}) {
                    const WindowRect& rect = crop ? record.cropRect[at] : record.outputRect[at];
                    if (!history_.Held(board, record.displayMode, channel, crop, rect))
                        Find(after, "the record of card " + std::to_string(board) + " mode " +
                                        std::to_string(record.displayMode) + " channel " +
                                        std::to_string(channel + 1) +
                                        (crop ? " crop " : " window ") + RectText(rect) +
                                        " was never the processor's (now in mode " +
                                        std::to_string(processor_.Snapshot()
                                                           .outputs[static_cast<std::size_t>(board)]
                                                           .displayMode) +
                                        ")");
                }
            }
        }
    }

    void CheckTimerFile(const std::string& after) {
        for (TimerSection section : kTimerSections) {
            for (const TimerRecord& record : LoadTimerSection(store_, section, clock_.LocalNow())) {
                if (record.damaged) Find(after, "Timer.ini holds a damaged record");
            }
        }
    }

    std::function<void(const std::string&)> log_;
    Random random_;
    VirtualClock clock_;
    ProcessorHistory history_;
    sim::SimulatedProcessor processor_;
    WatchedTransport line_;
    DeviceLink link_;
    DeviceCommands commands_;
    ProfileStore store_;
    std::filesystem::path modeFile_;
    std::filesystem::path commandLineFile_;
    CampaignHost host_;
    MainWindowState state_;
    MainWindowLogic window_;
    // The remote control of the service that would hold this line, on the same configuration
    // folder as another program would open it; its timers are never started.
    ProfileStore serviceStore_;
    HeadlessTimers serviceTimers_;
    RemoteEvents remoteEvents_;
    RemoteState remoteState_;
    HttpApi remote_;
    OperationFigures figures_;
    std::uint64_t seenTraffic_ = 0;
};

}  // namespace

OperationFigures RunOperations(const OperationRun& run, const std::filesystem::path& folder) {
    Campaign campaign(run, folder);
    return campaign.Run(run.exchanges);
}

}  // namespace hsq::campaign
