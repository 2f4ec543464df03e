#include "sim/sim_options.h"

#include <charconv>
#include <limits>

namespace hsq::sim {

namespace {

// Decimal digits only, all of them, and no more than limit.
std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t limit) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || value > limit)
        return std::nullopt;
    return value;
}

// A list of input card letters only.
bool ParseInputCards(std::string_view list, std::array<bool, kInputCards>& cards) {
    const auto parsed = ParseCardList(list);
    if (!parsed || parsed->outputs[0] || parsed->outputs[1])
        return false;
    cards = parsed->inputs;
    return true;
}

// Takes one option with its value, if it has one; false when it is wrong.
bool TakeOption(std::string_view name, const std::string* value, SimOptions& options) {
    if (name == "--pty") {
        options.pty = true;
        return true;
    }
    if (name == "--trace") {
        options.trace = true;
        return true;
    }
    if (name == "--strict") {
        options.strict = true;
        return true;
    }
    if (value == nullptr)
        return false;
    if (name == "--tcp") {
        const auto port = ParseNumber(*value, std::numeric_limits<std::uint16_t>::max());
        if (port)
            options.tcpPort = static_cast<std::uint16_t>(*port);
        return port.has_value();
    }
    if (name == "--seed") {
        const auto seed = ParseNumber(*value, std::numeric_limits<std::uint64_t>::max());
        options.seed = seed.value_or(kDefaultSeed);
        return seed.has_value();
    }
    if (name == "--cards") {
        const auto cards = ParseCardList(*value);
        if (cards)
            options.cards = *cards;
        return cards.has_value();
    }
    if (name == "--absent")
        return ParseInputCards(*value, options.absent);
    if (name == "--silent")
        return ParseInputCards(*value, options.silent);
    if (name == "--fault") {
        const auto fault = ParseFaultRule(*value);
        if (fault)
            options.faults.push_back(*fault);
        return fault.has_value();
    }
    return false;
}

bool TakesValue(std::string_view name) {
    return name == "--tcp" || name == "--seed" || name == "--cards" || name == "--fault" ||
           name == "--absent" || name == "--silent";
}

}  // namespace

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool withValue = TakesValue(args[i]) && i + 1 < args.size();
        const std::string* value = withValue ? &args[i + 1] : nullptr;
        if (!TakeOption(args[i], value, options))
            return std::nullopt;
        if (withValue)
            ++i;
    }
    if (!options.pty && !options.tcpPort)
        return std::nullopt;
    return options;
}

ProcessorState InitialState(const SimOptions& options) {
    ProcessorState state(options.cards);
    for (int card = 0; card < kInputCards; ++card) {
        state.listedButAbsent[card] = options.absent[card];
        state.present.inputs[card] = options.cards.inputs[card] && !options.absent[card];
        state.silent[card] = options.silent[card];
    }
    if (options.tcpPort)
        state.ipAddress = {127, 0, 0, 1};
    return state;
}

}  // namespace hsq::sim
