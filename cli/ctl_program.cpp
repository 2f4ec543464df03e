#include "cli/ctl_program.h"

#include <CLI/CLI.hpp>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <optional>
#include <vector>

#include "app/paced_plan.h"
#include "app/traffic_rows.h"
#include "cli/progress_line.h"
#include "cli/status_output.h"
#include "config/atomic_file.h"
#include "config/config_folder.h"
#include "config/profile_store.h"
#include "dialog/processor_messages.h"
#include "modes/mode_export.h"
#include "modes/mode_file.h"
#include "modes/mode_import.h"
#include "service/board_actions.h"
#include "service/access_token.h"
#include "service/board_requests.h"
#include "service/headless_timers.h"
#include "service/line_service.h"
#include "service/line_socket.h"
#include "service/processor_connection.h"
#include "service/processor_status.h"
#include "service/remote_control.h"

namespace hsq::cli {
namespace {

// What one run was asked to do, once the command line is read.
struct Request {
    std::string serial;
    std::string tcp;
    bool simulated = false;
    std::string configFolder;
    bool json = false;
    bool trace = false;
    std::string file;
    std::string code;
    std::vector<std::string> data;
    std::string http;
    std::string tokenFile;
    std::optional<HttpAddress> httpAddress;
    std::optional<std::string> token;
};

// Talks to the processor for one command and tells what came of it.
class Run {
  public:
    Run(const Request& request, Clock& clock, std::ostream& out, std::ostream& err,
        const CtlEnvironment& environment)
        : request_(request),
          out_(out),
          err_(err),
          environment_(environment),
          clock_(clock),
          connection_(clock) {}

    // Opens the line, through the service that holds it when there is one, and shakes hands;
    // then the command.
    int Do(const std::function<int(Run&)>& command) {
        if (request_.trace) Trace();
        line_ = Line();
        std::string error;
        if (!connection_.Open(line_, LineSocketFolder(environment_.runtimeFolder), error))
            return Fail(error);
        if (connection_.ThroughService())
            err_ << "hsq2600ctl: going through the service that holds " << LineName(line_) << "\n";
        presence_ = Handshake(Commands());
        if (!presence_) return Fail("the processor does not answer on " + LineName(line_));
        return command(*this);
    }

    // Holds the line itself and serves it to the other programs until SIGINT or SIGTERM; the
    // remote control's timers start only when asked.
    int Serve() {
        if (!request_.httpAddress) return Serving(false, [] {}, nullptr);
        HeadlessTimers timers(Commands(), clock_, Store(), Logger());
        return Serving(false, [] {}, &timers);
    }

    // Runs the timers of the configuration day after day, serving the line meanwhile, until
    // SIGINT or SIGTERM; the file is looked at again every few seconds.
    int RunTimers() {
        HeadlessTimers timers(Commands(), clock_, Store(), Logger());
        return Serving(true, [&] { timers.StartOrReload(); }, &timers);
    }

  private:
    static constexpr int kFileLookSeconds = 5;

    // Lines of the timers' log, whole, from any thread.
    HeadlessTimers::Log Logger() {
        return [this](const std::string& line) {
            std::lock_guard hold(logged_);
            out_ << line << std::endl;
        };
    }

    // The line served (a simulated one only when timers run on it), the remote control when
    // asked for, and every few seconds the work to do, until a stop signal.
    int Serving(bool simulatedAllowed, const std::function<void()>& meanwhile,
                HeadlessTimers* timers) {
        if (connection_.ThroughService())
            return Fail("another service already holds " + LineName(line_));
        const bool simulated = line_.kind == LineChoice::Kind::Simulated;
        if (simulated && !simulatedAllowed)
            return Fail("serve needs a line: a serial port or a TCP address");
        sigset_t stop;
        sigemptyset(&stop);
        sigaddset(&stop, SIGINT);
        sigaddset(&stop, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before any thread starts
        LineService service(Commands());
        if (!simulated) {
            const auto socket = LineSocketPath(LineSocketFolder(environment_.runtimeFolder), line_);
            std::string error;
            if (!service.Start(socket, error)) return Fail(error);
            err_ << "hsq2600ctl: serving " << LineName(line_) << " at " << socket.string()
                 << "\n";
        }
        std::optional<RemoteControl> remote;
        if (request_.httpAddress) {
            const HttpApi::Settings settings{request_.token, environment_.language};
            remote.emplace(Commands(), clock_, Store(), *timers, settings);
            std::string error;
            if (!remote->Start(*request_.httpAddress, error)) return Fail(error);
            err_ << "hsq2600ctl: answering HTTP at http://" << request_.http << "/"
                 << (request_.token ? " (access token required)" : "") << "\n";
        }
        const timespec look{kFileLookSeconds, 0};
        do {
            meanwhile();
        } while (sigtimedwait(&stop, nullptr, &look) < 0);
        return kExitDone;
    }

    ProfileStore& Store() {
        if (!store_) store_.emplace(ConfigFolder());
        return *store_;
    }

    std::filesystem::path ConfigFolder() const {
        return ResolveConfigFolder(request_.configFolder,
                                   ConfigFolderPlaces::OfThisProcess(environment_.configFolder));
    }

  public:

    int Status() {
        const auto status = ReadProcessorStatus(Commands());
        if (!status) return Fail("the processor stopped answering");
        out_ << (request_.json ? StatusJson(*status) : StatusText(*status));
        return kExitDone;
    }

    int Export() {
        if (!FolderTakesNewFiles(request_.file))
            return Fail("cannot write a file in the folder of " + request_.file);
        ModeExport exported;
        {
            ProgressLine progress("export");
            exported = ExportModes(Commands(), *presence_, progress);
        }
        if (!exported.outcome.Done())
            return Fail(UnansweredText(kEnglish, exported.outcome, kNoFileWritten));
        if (!WriteModeFile(request_.file, exported.bank))
            return Fail("cannot write the mode file " + request_.file);
        return kExitDone;
    }

    int Import(const ModeBank& bank) {
        PlanOutcome outcome;
        {
            ProgressLine progress("import");
            outcome = ImportModes(Commands(), bank, *presence_, progress);
        }
        if (!outcome.Done()) return Fail(UnansweredText(kEnglish, outcome, kPartOfFileHeld));
        return kExitDone;
    }

    int OnBoard(const BoardRequest& request) {
        const int board = request.board;
        const bool input = board < kInputCardCount;
        const bool present =
            input ? presence_->input[board] : presence_->output[board - kInputCardCount];
        if (!present) return Fail("the processor holds no card " + BoardLetter(board));
        BoardActions actions(Commands(), clock_);
        if (!CarryOut(actions, request))
            return Fail("the processor did not confirm; nothing was changed");
        return kExitDone;
    }

    int Raw(std::uint8_t code, const std::vector<std::uint8_t>& data) {
        Frame reply{};
        if (Commands().Exchange(code, data, reply) != kFrameSize)
            return Fail("the processor did not answer");
        out_ << FrameHex(reply) << "\n";
        return kExitDone;
    }

  private:
    DeviceCommands& Commands() { return connection_.Commands(); }

    // Every frame and reply on error output as it happens, in the monitor's words. A progress
    // line on the terminal is wiped first; the next step draws it again below.
    void Trace() {
        const bool terminal = &err_ == &std::cerr && ::isatty(STDERR_FILENO) == 1;
        connection_.Link().Traffic().Listen([this, terminal](const TrafficEntry& entry) {
            if (terminal) err_ << "\r\033[K";
            err_ << LineOf(RowOf(entry, kEnglish)) << std::endl;
        });
    }

    LineChoice Line() const {
        LineChoice line;
        if (request_.simulated) {
            line.kind = LineChoice::Kind::Simulated;
        } else if (!request_.serial.empty()) {
            line.port = request_.serial;
        } else if (!request_.tcp.empty()) {
            line.kind = LineChoice::Kind::Tcp;
            line.address = request_.tcp;
        } else {
            line = LineChoice::From(LoadConnectionSettings(ProfileStore(ConfigFolder())));
        }
        return line;
    }

    static std::string LineName(const LineChoice& line) {
        switch (line.kind) {
            case LineChoice::Kind::Serial: return line.port;
            case LineChoice::Kind::Tcp: return line.address;
            case LineChoice::Kind::Simulated: return "the simulated line";
        }
        return {};
    }

    static std::string FrameHex(const Frame& frame) {
        std::string text;
        char byte[4];
        for (std::uint8_t value : frame) {
            std::snprintf(byte, sizeof byte, "%02X", value);
            text += (text.empty() ? "" : " ") + std::string(byte);
        }
        return text;
    }

    int Fail(const std::string& why) {
        err_ << "hsq2600ctl: "
             << (connection_.ServiceEnded()
                     ? "the service that held the line has ended; the line is free again"
                     : why)
             << "\n";
        return kExitFailed;
    }

    const Request& request_;
    std::ostream& out_;
    std::ostream& err_;
    const CtlEnvironment& environment_;
    Clock& clock_;
    ProcessorConnection connection_;
    LineChoice line_;
    std::optional<ProfileStore> store_;
    std::optional<CardPresence> presence_;
    std::mutex logged_;
};

// A byte as the operator wrote it: decimal, or hexadecimal after 0x.
std::optional<std::uint8_t> ByteOf(const std::string& text) {
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || value > 0xFF) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

void AddHttpOptions(CLI::App& command, Request& request) {
    command.add_option("--http", request.http,
                       "also answers HTTP at ADDRESS:PORT (an address other than loopback needs "
                       "--token-file)");
    command.add_option("--token-file", request.tokenFile,
                       "every HTTP request must carry the token of this file "
                       "(Authorization: Bearer ...)")
        ->check(CLI::ExistingFile);
}

// The address, and the token it needs: any address but loopback is reachable from elsewhere.
void TakeHttpOptions(Request& request) {
    if (request.http.empty()) {
        if (!request.tokenFile.empty())
            throw CLI::ValidationError("--token-file", "is only for --http");
        return;
    }
    request.httpAddress = ParseHttpAddress(request.http);
    if (!request.httpAddress)
        throw CLI::ValidationError("--http", request.http + " is not ADDRESS:PORT");
    if (!request.tokenFile.empty()) {
        request.token = ReadTokenFile(request.tokenFile);
        if (!request.token)
            throw CLI::ValidationError("--token-file", request.tokenFile + " holds no token");
    } else if (!IsLoopbackHost(request.httpAddress->host)) {
        throw CLI::ValidationError(
            "--http", request.httpAddress->host +
                          " is reachable from other machines: give --token-file (hsq2600ctl "
                          "token new makes one)");
    }
}

int NewToken(const std::string& given, std::ostream& out, std::ostream& err,
             const CtlEnvironment& environment) {
    const std::filesystem::path file =
        given.empty() ? DefaultTokenFile(environment.configHome, environment.home)
                      : std::filesystem::path(given);
    if (file.empty()) {
        err << "hsq2600ctl: no HOME to keep the token in: give --token-file\n";
        return kExitFailed;
    }
    const auto token = NewAccessToken();
    if (!token || !WriteTokenFile(file, *token)) {
        err << "hsq2600ctl: cannot write the token file " << file.string() << "\n";
        return kExitFailed;
    }
    out << *token << "\n";
    err << "hsq2600ctl: token written to " << file.string() << " (readable by you only)\n";
    return kExitDone;
}

int Usage(std::ostream& err, const std::string& why) {
    err << "hsq2600ctl: " << why << " (hsq2600ctl --help lists the commands)\n";
    return kExitUsage;
}

}  // namespace

int RunCtl(std::span<const std::string> arguments, Clock& clock, std::ostream& out,
           std::ostream& err, const CtlEnvironment& environment) {
    CLI::App app{"Controls the HSQ2600 video processor over its serial line or TCP.",
                 "hsq2600ctl"};
    app.set_version_flag("--version", std::string("hsq2600ctl ") + HSQ_VERSION);
    app.require_subcommand(1);
    Request request;
    auto* serial = app.add_option("--serial", request.serial,
                                  "serial port of the processor (/dev/ttyUSB0, ttyUSB0, COM1)");
    auto* tcp = app.add_option("--tcp", request.tcp, "IPv4 address of the processor (TCP port 7)");
    auto* simulated =
        app.add_flag("--sim", request.simulated, "a simulated processor inside this program");
    serial->excludes(tcp)->excludes(simulated);
    tcp->excludes(simulated);
    app.add_flag("--trace", request.trace,
                 "every frame sent and every reply received on standard error, as they happen");
    app.add_option("--config-dir", request.configFolder,
                   "configuration folder (default: HSQ2600_CONFIG_DIR, SystemINI beside the "
                   "program, or ~/.config/hsq2600/SystemINI); its \"Connect\" section names the "
                   "line when no option does");

    std::function<int(Run&)> command;
    std::optional<ModeBank> importBank;

    auto* status = app.add_subcommand("status", "cards, output format, modes and versions");
    status->add_flag("--json", request.json, "one JSON object instead of lines of text");
    status->callback([&] { command = &Run::Status; });

    auto* exportModes =
        app.add_subcommand("export", "every display mode and input card setting into a mode file");
    exportModes->add_option("FILE", request.file, "the mode file to write")->required();
    exportModes->callback([&] { command = &Run::Export; });

    auto* importModes = app.add_subcommand("import", "a mode file into the processor");
    importModes->add_option("FILE", request.file, "the mode file to read")
        ->required()
        ->check(CLI::ExistingFile);
    importModes->callback([&] {
        importBank = ReadModeFile(request.file);
        if (!importBank) throw CLI::ValidationError("FILE", request.file + " is not a mode file");
        command = [&](Run& run) { return run.Import(*importBank); };
    });

    std::string board, signal;
    long long number = 0;
    // The request as the core checks it for every front end; its problem is the usage error.
    const auto take = [&](const char* field, const CheckedRequest& checked) {
        if (!checked.request) throw CLI::ValidationError(field, checked.problem.english);
        command = [request = *checked.request](Run& run) { return run.OnBoard(request); };
    };
    auto* recall = app.add_subcommand("recall", "recalls a stored display mode on an output card");
    recall->add_option("BOARD", board, "K or L")->required();
    recall->add_option("MODE", number, "1 to 16")->required();
    recall->callback([&] { take("BOARD", CheckRecall(board, number)); });

    auto* source = app.add_subcommand("source", "switches an input card's main signal");
    source->add_option("CARD", board, "A, B, C or D")->required();
    source->add_option("SIGNAL", signal, "sdi, dvi, vga or video")->required();
    source->callback([&] { take("CARD", CheckSource(board, signal)); });

    auto* brightness = app.add_subcommand("brightness", "sets a card's brightness");
    brightness->add_option("CARD", board, "A to D (0 to 100), K or L (0 to 32)")->required();
    brightness->add_option("VALUE", number, "the brightness")->required();
    brightness->callback([&] { take("CARD", CheckBrightness(board, number)); });

    auto* timers = app.add_subcommand("timers", "the timers of the configuration's Timer.ini");
    timers->require_subcommand(1);
    auto* runTimers = timers->add_subcommand(
        "run", "carries them out day after day, serving the line, until SIGINT or SIGTERM");
    AddHttpOptions(*runTimers, request);
    runTimers->callback([&] {
        TakeHttpOptions(request);
        command = &Run::RunTimers;
    });

    auto* raw = app.add_subcommand("raw", "one frame, waiting for its reply, printed in hex");
    raw->add_option("CODE", request.code, "command code (0x80 to 0xFE, or decimal)")->required();
    raw->add_option("DATA", request.data, "up to nine data bytes");
    raw->callback([&] {
        const auto code = ByteOf(request.code);
        if (!code) throw CLI::ValidationError("CODE", request.code + " is not a byte");
        if (request.data.size() > kMaxDataBytes)
            throw CLI::ValidationError("DATA", "a frame holds at most nine data bytes");
        std::vector<std::uint8_t> data;
        for (const std::string& text : request.data) {
            const auto byte = ByteOf(text);
            if (!byte) throw CLI::ValidationError("DATA", text + " is not a byte");
            data.push_back(*byte);
        }
        command = [code = *code, data](Run& run) { return run.Raw(code, data); };
    });

    auto* serve = app.add_subcommand(
        "serve", "holds the line and shares it with this machine's other programs until stopped");
    AddHttpOptions(*serve, request);
    serve->callback([&] {
        TakeHttpOptions(request);
        command = &Run::Serve;
    });

    std::string tokenFile;
    auto* token = app.add_subcommand("token", "the access token of the HTTP interface");
    token->require_subcommand(1);
    auto* newToken = token->add_subcommand(
        "new", "makes a new random token, writes it to its file (mode 0600) and prints it once");
    newToken->add_option("--token-file", tokenFile,
                         "where to write it (default: ~/.config/hsq2600/http-token)");

    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        return Usage(err, e.what());
    }
    if (newToken->parsed()) return NewToken(tokenFile, out, err, environment);
    Run run(request, clock, out, err, environment);
    return run.Do(command);
}

}  // namespace hsq::cli
