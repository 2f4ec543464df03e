#include "tools/fault_campaign.h"

#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "app/status_readback.h"
#include "commands/reply_decoders.h"
#include "config/output_board_profile.h"
#include "sim/in_process_transport.h"
#include "sim/query_replies.h"
#include "sim/simulated_processor.h"
#include "tools/campaign_random.h"

namespace hsq::campaign {
namespace {

std::uint8_t Byte(Random& random, int low = 0, int high = 255) {
    return static_cast<std::uint8_t>(Between(random, low, high));
}

// Within every field width the replies carry, so that a value that comes back changed can
// only have been changed on the way.
WindowRect Rect(Random& random) {
    const auto value = [&] { return static_cast<std::uint16_t>(Between(random, 0, 4095)); };
    return {value(), value(), value(), value()};
}

// Every card, mode and channel holds values of its own, so that an answer taken for the wrong
// question shows.
sim::ProcessorState VariedState(std::uint64_t seed) {
    Random random(seed);
    sim::ProcessorState state;
    state.outputFormat = Byte(random);
    state.matrixReference = Byte(random, 0, 1);
    state.ipAddress = {Byte(random, 1), Byte(random), Byte(random), Byte(random)};
    state.configFlag0 = random() & 1;
    state.configFlag1 = random() & 1;
    for (sim::InputCardState& card : state.inputs) {
        card = {Byte(random, 0, 3), Byte(random, 0, 3), Byte(random, 0, 15), Byte(random),
                Byte(random), Byte(random), Byte(random, 0, 1), Byte(random), Byte(random),
                Byte(random), {Byte(random), Byte(random), Byte(random)}, Rect(random),
                Rect(random), {Byte(random), Byte(random, 0, 15), Byte(random, 0, 15)}};
    }
    constexpr std::uint8_t kApplicationModes[] = {0, 1, 5, 6};
    for (sim::OutputBoardState& board : state.outputs) {
        board.applicationMode = kApplicationModes[Between(random, 0, 3)];
        board.displayMode = Byte(random, 0, 15);
        board.selectedImage = Byte(random, 0, 3);
        board.overlayMatrix = random() & 1;
        board.imageAll = random() & 1;
        board.brightness = Byte(random);
        board.pllSource = Byte(random);
        board.boardByte = Byte(random);
        board.clockByte = Byte(random);
        board.firmware = {Byte(random), Byte(random), 0};
        for (int channel = 0; channel < sim::kChannels; ++channel) {
            board.framesyncInport[channel] = Byte(random);
            board.borders[channel] = {Byte(random), Byte(random), Byte(random), Byte(random),
                                      Byte(random)};
        }
        for (sim::DisplayMode& mode : board.modes) {
            mode.overlayIndex = Byte(random, 0, 23);
            mode.switchSeconds = Byte(random, 0, 5);
            mode.byteA = Byte(random);
            for (sim::ChannelState& channel : mode.channels)
                channel = {Byte(random, 0, 3), static_cast<bool>(random() & 1), Rect(random),
                           Rect(random)};
        }
    }
    return state;
}

struct Question {
    bool query = true;
    std::uint8_t selector = 0;
    std::uint8_t argument = 0;
};

// Every query the program asks, about any card, board, mode and channel, and now and then a
// confirmed command whose reply carries nothing to check.
Question PickQuestion(Random& random) {
    static constexpr std::uint8_t kSelectors[] = {0,  1,  2,  6,  7,  8,  9,  10, 11, 12, 13,
                                                  14, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    const int pick = Between(random, 0, static_cast<int>(std::size(kSelectors)));
    if (pick == static_cast<int>(std::size(kSelectors)))
        return {false, 0x80, Byte(random, 0, 3)};
    const std::uint8_t selector = kSelectors[pick];
    const int board = Between(random, 0, 1);
    const int channel = Between(random, 0, 3);
    const int mode = Between(random, 0, 15);
    switch (selector) {
        case 6: case 7: case 8: case 16: case 17: case 18:
            return {true, selector, Byte(random, 0, 3)};
        case 19:
            return {true, selector, static_cast<std::uint8_t>(board)};
        case 11: case 14: case 20:
            return {true, selector, static_cast<std::uint8_t>(mode * 16 + board)};
        case 9: case 10: case 12: case 13: case 21: case 22:
            return {true, selector, static_cast<std::uint8_t>(mode * 16 + channel * 4 + board)};
        default:
            return {true, selector, 0};
    }
}

// The processor behind the program's link and read-back, on virtual time.
struct Bench {
    Bench(std::uint64_t seed, const std::filesystem::path& folder)
        : processor(VariedState(seed)),
          truth(processor.Snapshot()),
          transport(processor, clock),
          link(clock),
          commands(link),
          store(folder),
          readback(state, store, commands) {
        link.AttachTransport(&transport);
        link.Open("", 0, "");
    }

    // One exchange; false when it returned success with a wrong answer.
    bool Exchange(const Question& question, bool& succeeded) {
        if (!question.query) {
            succeeded = commands.SelectInputCard(question.argument) == kFrameSize;
            return true;
        }
        Frame reply{};
        succeeded = commands.Query(question.selector, question.argument, reply) == kFrameSize;
        return !succeeded || reply == sim::QueryReply(truth, question.selector, question.argument);
    }

    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::ProcessorState truth;
    sim::InProcessTransport transport;
    DeviceLink link;
    DeviceCommands commands;
    ProfileStore store;
    MainWindowState state;
    StatusReadback readback;
};

// What the output board window reads when it opens: the mode data, then the clock source, the
// input and output windows, the borders of each image and the brightness, stopping at the first
// question that gets no answer.
void ReadOutputBoard(DeviceCommands& commands, ProfileStore& store, int board, int mode) {
    const auto ask = [&](std::uint8_t selector, int channel) {
        Frame reply{};
        const auto argument = static_cast<std::uint8_t>(mode * 16 + channel * 4 + board);
        if (commands.Query(selector, argument, reply) != kFrameSize) return false;
        RecordOutputReport(store, reply);
        return true;
    };
    commands.link().DiscardReply();
    if (!ask(kQueryModeData, 0)) return;
    for (std::uint8_t selector : {kQueryClockSource, kQueryImageInputWindow,
                                  kQueryImageOutputWindow, kQueryImageBorder}) {
        for (int channel = 0; channel < 4; ++channel) {
            if (!ask(selector, channel)) return;
        }
    }
    ask(kQueryOutputBrightness, 0);
}

// Everything the program reads back and records: the system status and versions, each input
// card, each output board's mode in force.
void ReadBackRound(Bench& bench) {
    ProfileBatch batch(bench.store);
    bench.readback.ReadSystemStatus();
    for (std::uint8_t card = 0; card < 4; ++card)
        bench.readback.ReadInputCard(card);
    for (int board = 0; board < 2; ++board)
        ReadOutputBoard(bench.commands, bench.store, board, bench.truth.outputs[board].displayMode);
}

using Snapshot = std::map<std::filesystem::path, std::string>;

Snapshot Files(const std::filesystem::path& folder) {
    Snapshot files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path()] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    return files;
}

void Restore(const Snapshot& files) {
    for (const auto& [path, bytes] : files)
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void RunExchanges(Bench& bench, const Plan& plan, Figures& figures) {
    Random random(plan.seed ^ 0x5EED);
    for (long i = 0; i < plan.exchanges; ++i) {
        bool succeeded = false;
        figures.wrongAccepted += bench.Exchange(PickQuestion(random), succeeded) ? 0 : 1;
        figures.succeeded += succeeded ? 1 : 0;
        ++figures.exchanges;
        if (i % 1000 == 0) bench.clock.ClearPauses();
    }
}

void RunRecorderRounds(Bench& bench, const Plan& plan, const Snapshot& reference,
                       Figures& figures) {
    for (long round = 0; round < plan.recorderRounds; ++round) {
        ReadBackRound(bench);
        ++figures.recorderRounds;
        if (Files(bench.store.Folder()) != reference) {
            ++figures.wrongRounds;
            Restore(reference);
        }
        bench.clock.ClearPauses();
    }
}

}  // namespace

std::vector<Plan> StandardPlans(double rate, long exchanges, long recorderRounds,
                                std::uint64_t seed) {
    static constexpr std::pair<const char*, sim::FaultKind> kKinds[] = {
        {"garbage", sim::FaultKind::kGarbage}, {"extra", sim::FaultKind::kExtra},
        {"pieces", sim::FaultKind::kPieces},   {"badsum", sim::FaultKind::kBadSum},
        {"late", sim::FaultKind::kLate},       {"noreply", sim::FaultKind::kNoReply},
        {"drop", sim::FaultKind::kDrop}};
    std::vector<Plan> plans;
    std::vector<sim::FaultRule> all;
    for (const auto& [name, kind] : kKinds) {
        plans.push_back({{{kind, rate}}, name, exchanges, recorderRounds, seed});
        all.push_back({kind, rate});
    }
    plans.push_back({all, "all mixed", exchanges, recorderRounds, seed});
    return plans;
}

// The link opens on a clean line, as a connect does (handshake and system read), so that the
// processor's checksummed replies are seen before the faults begin.
Figures Run(const Plan& plan, const std::filesystem::path& folder) {
    Bench bench(plan.seed, folder);
    Figures figures;
    figures.faults = plan.name;
    bench.readback.Handshake();
    ReadBackRound(bench);
    const Snapshot reference = Files(folder);

    bench.processor.SetFaults(sim::FaultInjector(plan.faults, plan.seed));
    RunExchanges(bench, plan, figures);
    RunRecorderRounds(bench, plan, reference, figures);

    bench.processor.SetFaults(sim::FaultInjector{});
    bool succeeded = false;
    const bool right = bench.Exchange({true, kQueryModeData, 0x31}, succeeded);
    figures.recovered = succeeded && right;
    figures.violations = static_cast<long>(bench.processor.Violations().size());
    return figures;
}

}  // namespace hsq::campaign
