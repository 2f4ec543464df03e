#pragma once

#include <filesystem>
#include <string>

namespace hsq {

enum class ProfileProblem {
    // The file could not be written (folder not writable, disk full, not a regular file): what
    // was to be written to it is not there.
    NotWritten,
    // The file's encoding (GBK) cannot hold a text; that key keeps what it held.
    TextNotStored,
    // Loaded from a file that is not text, holds none of its kind's sections or has a list with
    // fewer values than its key needs; a copy is kept aside before it is first rewritten.
    Damaged,
};

struct ProfileProblemReport {
    ProfileProblem problem = ProfileProblem::NotWritten;
    std::filesystem::path file;
    std::string text;  // the text not stored; empty for the other problems
};

// Where the store tells what went wrong with a configuration file. Called from whichever thread
// met the problem, with no lock of the store held.
class ProfileProblemSink {
  public:
    virtual ~ProfileProblemSink() = default;
    virtual void Report(const ProfileProblemReport& report) = 0;
};

}  // namespace hsq
