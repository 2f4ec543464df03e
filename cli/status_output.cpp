#include "cli/status_output.h"

#include <nlohmann/json.hpp>

#include "output/application_modes.h"

namespace hsq::cli {
namespace {

std::string InputLetter(int card) { return std::string(1, static_cast<char>('A' + card)); }
std::string OutputLetter(int card) { return std::string(1, static_cast<char>('K' + card)); }

std::string ApplicationModeName(std::uint8_t mode) {
    const auto caption = ApplicationModeCaption(mode);
    return caption ? std::string(caption->english) : "mode " + std::to_string(mode);
}

std::string ClockSourceName(std::uint8_t source) {
    return source == 0 ? "In-A" : source == 1 ? "K.Out1" : std::to_string(source);
}

template <std::size_t Count>
std::string Letters(const std::array<bool, Count>& present, std::string (*letter)(int)) {
    std::string letters;
    for (std::size_t card = 0; card < Count; ++card) {
        if (present[card]) letters += (letters.empty() ? "" : " ") + letter(static_cast<int>(card));
    }
    return letters.empty() ? "none" : letters;
}

}  // namespace

std::string StatusText(const ProcessorStatus& status) {
    std::string text = "Input cards:   " + Letters(status.presence.input, InputLetter) + "\n";
    text += "Output cards:  " + Letters(status.presence.output, OutputLetter) + "\n";
    text += "Output format: " + std::to_string(status.outputFormat);
    if (status.resolution) {
        text += " (" + std::to_string(status.resolution->width) + " x " +
                std::to_string(status.resolution->height) + ")";
    }
    text += "\nIn-A/K.Out1:   " + ClockSourceName(status.clockSource) + "\n";
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (!status.presence.output[card]) continue;
        const auto& mode = status.displayModes[card];
        text += "Board " + OutputLetter(card) + ":       " +
                ApplicationModeName(status.applicationModes[card]) + ", display mode " +
                (mode ? "M" + std::to_string(*mode + 1) : "not reported") + ", firmware " +
                status.outputVersions[card] + "\n";
    }
    for (int card = 0; card < kInputCardCount; ++card) {
        if (status.presence.input[card])
            text += "Card " + InputLetter(card) + ":        firmware " +
                    status.inputVersions[card] + "\n";
    }
    return text;
}

std::string StatusJson(const ProcessorStatus& status) {
    nlohmann::json json;
    json["outputFormat"] = status.outputFormat;
    if (status.resolution) {
        json["resolution"] = {{"width", status.resolution->width},
                              {"height", status.resolution->height}};
    }
    json["clockSource"] = ClockSourceName(status.clockSource);
    json["inputs"] = nlohmann::json::object();
    for (int card = 0; card < kInputCardCount; ++card) {
        if (status.presence.input[card])
            json["inputs"][InputLetter(card)] = {{"version", status.inputVersions[card]}};
    }
    json["boards"] = nlohmann::json::object();
    for (int card = 0; card < kOutputCardCount; ++card) {
        if (!status.presence.output[card]) continue;
        nlohmann::json board = {{"applicationMode", status.applicationModes[card]},
                                {"applicationModeName",
                                 ApplicationModeName(status.applicationModes[card])},
                                {"version", status.outputVersions[card]}};
        const auto& mode = status.displayModes[card];
        board["displayMode"] = mode ? nlohmann::json(*mode + 1) : nlohmann::json(nullptr);
        json["boards"][OutputLetter(card)] = board;
    }
    return json.dump(2) + "\n";
}

}  // namespace hsq::cli
