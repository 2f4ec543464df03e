#pragma once

#include <functional>
#include <string_view>

namespace hsq {

// Lets long work tell the waiting box how far it has got.
class WorkProgress {
  public:
    virtual ~WorkProgress() = default;
    virtual void Report(int done, int total) = 0;
};

// How a dialog's logic talks to the operator. The windows show real boxes; tests answer from a
// script and record what was shown.
class DialogHost {
  public:
    virtual ~DialogHost() = default;
    virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
    virtual bool AskYesNo(std::string_view caption, std::string_view text) = 0;
    // Runs the work on a worker thread while the modal waiting box is up; returns when the work
    // has ended and the box is closed.
    virtual void RunWorker(const std::function<void(WorkProgress&)>& work) = 0;
};

}  // namespace hsq
