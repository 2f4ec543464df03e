#include "cli/progress_line.h"

#include <unistd.h>

namespace hsq::cli {

ProgressLine::ProgressLine(std::string what)
    : what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine() {
    if (shown_) std::fputc('\n', stderr);
}

void ProgressLine::ReportTimeLeft(int done, int total, int secondsLeft) {
    if (!terminal_) return;
    shown_ = true;
    std::fprintf(stderr, "\r%s: step %d of %d", what_.c_str(), done, total);
    if (secondsLeft >= 0) std::fprintf(stderr, ", %d:%02d left", secondsLeft / 60, secondsLeft % 60);
    std::fputs("   ", stderr);
    std::fflush(stderr);
}

}  // namespace hsq::cli
