#include "cli/progress_line.h"

#include <unistd.h>

namespace hsq::cli {
namespace {

volatile sig_atomic_t stopAsked = 0;

void AskToStop(int) { stopAsked = 1; }

}  // namespace

ProgressLine::ProgressLine(std::string what)
    : what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1) {
    stopAsked = 0;
    struct sigaction stop {};
    stop.sa_handler = AskToStop;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, &previous_);
}

ProgressLine::~ProgressLine() {
    sigaction(SIGINT, &previous_, nullptr);
    if (shown_) std::fputc('\n', stderr);
}

bool ProgressLine::StopRequested() const { return stopAsked != 0; }

void ProgressLine::ReportTimeLeft(int done, int total, int secondsLeft) {
    if (!terminal_) return;
    shown_ = true;
    std::fprintf(stderr, "\r%s: step %d of %d", what_.c_str(), done, total);
    if (secondsLeft >= 0) std::fprintf(stderr, ", %d:%02d left", secondsLeft / 60, secondsLeft % 60);
    std::fputs("   ", stderr);
    std::fflush(stderr);
}

}  // namespace hsq::cli
