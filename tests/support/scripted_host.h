#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dialog/dialog_host.h"

namespace hsq::testing {

// Answers questions from a script and records every box shown. A question nobody scripted an
// answer for fails the test.
class ScriptedHost final : public DialogHost, private WorkProgress {
  public:
    struct Box {
        std::string caption;
        std::string text;
        bool question = false;
    };
    // A file dialog: its caption, the name it proposed (opening: the folder it starts in) and its
    // filters as "name (pattern)" joined by ";;".
    struct FileQuestion {
        bool save = false;
        std::string caption;
        std::string proposedName;
        std::string filters;
    };

    void Answer(bool yes) { answers_.push_back(yes); }
    // The path the next file dialog returns; empty when the operator cancels.
    void AnswerFile(std::string path) { files_.push_back(std::move(path)); }

    void ShowMessage(std::string_view caption, std::string_view text) override {
        boxes.push_back({std::string(caption), std::string(text), false});
    }
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        boxes.push_back({std::string(caption), std::string(text), true});
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    // A real worker thread, as the waiting box runs it.
    void RunWorker(const std::function<void(WorkProgress&)>& work) override {
        ++workersRun;
        std::thread worker([&] { work(*this); });
        worker.join();
    }
    std::string AskSaveFile(std::string_view caption, std::string_view proposedName,
                            std::span<const FileFilter> filters) override {
        return AskFile({true, std::string(caption), std::string(proposedName), Joined(filters)});
    }
    std::string AskOpenFile(std::string_view caption, std::string_view folder,
                            std::span<const FileFilter> filters) override {
        return AskFile({false, std::string(caption), std::string(folder), Joined(filters)});
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : boxes) texts.push_back(box.text);
        return texts;
    }
    // Each box as "caption: text", a question marked with " ?".
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const Box& box : boxes)
            shown.push_back(box.caption + ": " + box.text + (box.question ? " ?" : ""));
        return shown;
    }

    std::vector<Box> boxes;
    std::vector<FileQuestion> fileQuestions;
    // Each report of the waiting box: done and total, and the seconds left (-1 when not told).
    std::vector<std::pair<int, int>> progress;
    std::vector<int> secondsLeft;
    int workersRun = 0;
    // The operator presses Cancel once the work has told this many steps done.
    int stopAfterSteps = -1;
    bool stopNow = false;  // the operator's Cancel, pressed at once

  private:
    void Report(int done, int total) override {
        ReportTimeLeft(done, total, -1);
    }
    void ReportTimeLeft(int done, int total, int left) override {
        progress.emplace_back(done, total);
        secondsLeft.push_back(left);
    }
    bool StopRequested() const override {
        return stopNow || (stopAfterSteps >= 0 && !progress.empty() &&
                           progress.back().first >= stopAfterSteps);
    }
    std::string AskFile(FileQuestion question) {
        fileQuestions.push_back(std::move(question));
        if (files_.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << fileQuestions.back().caption;
            return {};
        }
        std::string path = std::move(files_.front());
        files_.pop_front();
        return path;
    }
    static std::string Joined(std::span<const FileFilter> filters) {
        std::string joined;
        for (const FileFilter& filter : filters) {
            if (!joined.empty()) joined += ";;";
            joined += std::string(filter.name) + " (" + std::string(filter.pattern) + ")";
        }
        return joined;
    }

    std::deque<bool> answers_;
    std::deque<std::string> files_;
};

}  // namespace hsq::testing
