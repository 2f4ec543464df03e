#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "service/board_actions.h"

namespace hsq {

// What the front ends without windows (the command line, the HTTP routes) ask of one card,
// checked in one place so that both take and refuse the same words and numbers.
struct BoardRequest {
    enum class Kind { Recall, Source, Brightness };
    Kind kind = Kind::Recall;
    int board = 0;  // 0..3 for input cards A..D, 4 and 5 for output cards K and L
    int value = 0;  // the mode 0..15, the signal code, or the brightness
};

// What is wrong with a request, in both languages; unknownCard when its letter names no card of
// the kind the action needs (the HTTP routes answer that as a missing resource).
struct RequestProblem {
    bool unknownCard = false;
    std::string english;
    std::string chinese;
};

// Exactly one of the two.
struct CheckedRequest {
    std::optional<BoardRequest> request;
    RequestProblem problem;
};

// board "K" or "L", mode 1..16 as the operator counts them.
CheckedRequest CheckRecall(std::string_view board, long long mode);
// card "A".."D", signal "sdi", "dvi", "vga" or "video".
CheckedRequest CheckSource(std::string_view card, std::string_view signal);
// "A".."D" take 0..100, "K" and "L" 0..32.
CheckedRequest CheckBrightness(std::string_view board, long long value);

// True when the processor confirmed it.
bool CarryOut(BoardActions& actions, const BoardRequest& request);

// "A".."D", "K", "L" for 0..5.
std::string BoardLetter(int board);

}  // namespace hsq
