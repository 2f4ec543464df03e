#include "sim/card_set.h"

namespace hsq::sim {

namespace {

// Marks one card letter; false for anything that is not a card.
bool MarkCard(std::string_view name, CardSet& cards) {
    if (name.size() != 1)
        return false;
    const char letter = name[0];
    if (letter >= 'A' && letter < 'A' + kInputCards) {
        cards.inputs[letter - 'A'] = true;
        return true;
    }
    if (letter >= 'K' && letter < 'K' + kOutputBoards) {
        cards.outputs[letter - 'K'] = true;
        return true;
    }
    return false;
}

}  // namespace

std::optional<CardSet> ParseCardList(std::string_view list) {
    CardSet cards = CardSet::None();
    while (true) {
        const auto comma = list.find(',');
        if (!MarkCard(list.substr(0, comma), cards))
            return std::nullopt;
        if (comma == std::string_view::npos)
            return cards;
        list.remove_prefix(comma + 1);
    }
}

}  // namespace hsq::sim
