#pragma once

#include <cstdint>

#include "link/command_frame.h"

namespace hsq {

// The argument of the board queries: mode x 16 + image (channel) x 4 + board.
struct BoardQueryAddress {
    int board;
    int channel;
    int mode;
};
BoardQueryAddress DecodeBoardQueryArgument(std::uint8_t argument);

// Whether a whole reply answers the query [selector, argument], judged by the addressing fields
// each reply carries: the repeated selector of the mode reports (9 to 14), and the card, board,
// mode and channel that a reply names where its layout has them. The mode report (11) names
// the mode in force, not the one asked about, so its mode is not held to the question.
bool AnswersQuery(std::uint8_t selector, std::uint8_t argument, const Frame& reply);

}  // namespace hsq
