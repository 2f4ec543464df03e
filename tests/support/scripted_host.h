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

    void Answer(bool yes) { answers_.push_back(yes); }

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

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : boxes) texts.push_back(box.text);
        return texts;
    }

    std::vector<Box> boxes;
    std::vector<std::pair<int, int>> progress;
    int workersRun = 0;

  private:
    void Report(int done, int total) override { progress.emplace_back(done, total); }
    std::deque<bool> answers_;
};

}  // namespace hsq::testing
