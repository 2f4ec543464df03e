#pragma once

#include <atomic>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>

#include "config/profile_problem.h"

namespace hsq {

// The store's account of what went wrong with its files: it tells the sink, and remembers the
// damaged files whose bytes must be kept aside before the store first rewrites them.
class ProfileProblems {
  public:
    void SetSink(ProfileProblemSink* sink) { sink_ = sink; }
    void Tell(ProfileProblem problem, const std::filesystem::path& file, std::string text = {});
    // Once per file and run: tells the sink and has the file kept aside before its next rewrite.
    void MarkDamaged(const std::filesystem::path& file);
    // Copies a file marked damaged to "<file>.bad" (".bad.1", ".bad.2", ... when that is taken)
    // before it is rewritten; false when the copy could not be made.
    bool KeepAsideIfDamaged(const std::filesystem::path& file);

  private:
    std::atomic<ProfileProblemSink*> sink_{nullptr};
    std::mutex mutex_;
    std::set<std::filesystem::path> damaged_;
    std::set<std::filesystem::path> toKeepAside_;
};

}  // namespace hsq
