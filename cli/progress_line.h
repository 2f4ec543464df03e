#pragma once

#include <signal.h>

#include <cstdio>
#include <string>

#include "dialog/dialog_host.h"

namespace hsq::cli {

// The waiting box of the command line: one line on standard error, rewritten as the work goes
// on, only when standard error is a terminal (a script's log gets none of it). While it is up,
// Ctrl+C (SIGINT) asks the work to stop after the exchange in flight, as Cancel does.
class ProgressLine final : public WorkProgress {
  public:
    explicit ProgressLine(std::string what);
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Report(int done, int total) override { ReportTimeLeft(done, total, -1); }
    void ReportTimeLeft(int done, int total, int secondsLeft) override;
    bool StopRequested() const override;

  private:
    std::string what_;
    bool shown_ = false;
    bool terminal_;
    struct sigaction previous_ {};
};

}  // namespace hsq::cli
