#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace hsq {

// Lets long work tell the waiting box how far it has got.
class WorkProgress {
  public:
    virtual ~WorkProgress() = default;
    virtual void Report(int done, int total) = 0;
    // Work that knows its own pace also says how long the rest will take.
    virtual void ReportTimeLeft(int done, int total, int /*secondsLeft*/) { Report(done, total); }
    // The operator asked to stop: work that can stop does so after the exchange in flight.
    virtual bool StopRequested() const { return false; }
};

// Work whose progress nobody watches: a read over in a moment, a front end with no waiting box.
class UnwatchedProgress final : public WorkProgress {
  public:
    void Report(int, int) override {}
};

// One entry of a file dialog's list of types: "INI Files" showing the files "*.ini". A pattern
// means what it meant on the original platform: "*.*" is every file.
struct FileFilter {
    std::string_view name;
    std::string_view pattern;
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
    // The path of a file to write, proposing a name and asking before an existing file is
    // overwritten; empty when the operator chose none.
    virtual std::string AskSaveFile(std::string_view caption, std::string_view proposedName,
                                    std::span<const FileFilter> filters) = 0;
    // The path of an existing file to read, starting in the folder (empty: wherever the dialog
    // likes); empty when the operator chose none.
    virtual std::string AskOpenFile(std::string_view caption, std::string_view folder,
                                    std::span<const FileFilter> filters) = 0;
};

}  // namespace hsq
