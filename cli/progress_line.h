#pragma once

#include <cstdio>
#include <string>

#include "dialog/dialog_host.h"

namespace hsq::cli {

// The waiting box of the command line: one line on standard error, rewritten as the work goes
// on, only when standard error is a terminal (a script's log gets none of it).
class ProgressLine final : public WorkProgress {
  public:
    explicit ProgressLine(std::string what);
    ~ProgressLine() override;

    void Report(int done, int total) override { ReportTimeLeft(done, total, -1); }
    void ReportTimeLeft(int done, int total, int secondsLeft) override;

  private:
    std::string what_;
    bool shown_ = false;
    bool terminal_;
};

}  // namespace hsq::cli
