#include "config/profile_problems.h"

#include <string_view>
#include <system_error>

#include "config/atomic_file.h"

namespace hsq {
namespace {

constexpr int kMaxCopies = 1000;

std::filesystem::path CopyName(const std::filesystem::path& file, int number) {
    std::filesystem::path copy = file;
    copy += number == 0 ? std::string(".bad") : ".bad." + std::to_string(number);
    return copy;
}

// An earlier copy is never overwritten: it may hold the only good version.
bool KeepCopyAside(const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file);
    std::error_code error;
    if (!bytes) return !std::filesystem::exists(file, error);  // nothing there to lose
    for (int number = 0; number < kMaxCopies; ++number) {
        switch (CreateNewFile(CopyName(file, number), *bytes)) {
            case NewFile::Created: return true;
            case NewFile::Exists: continue;
            case NewFile::Failed: return false;
        }
    }
    return false;
}

}  // namespace

void ProfileProblems::Tell(ProfileProblem problem, const std::filesystem::path& file,
                           std::string text) {
    if (ProfileProblemSink* sink = sink_.load()) sink->Report({problem, file, std::move(text)});
}

void ProfileProblems::MarkDamaged(const std::filesystem::path& file) {
    {
        std::lock_guard guard(mutex_);
        if (!damaged_.insert(file).second) return;
        toKeepAside_.insert(file);
    }
    Tell(ProfileProblem::Damaged, file);
}

// Held locked while copying, so that no other write of the store rewrites the file first.
bool ProfileProblems::KeepAsideIfDamaged(const std::filesystem::path& file) {
    std::lock_guard guard(mutex_);
    if (!toKeepAside_.contains(file)) return true;
    if (!KeepCopyAside(file)) return false;
    toKeepAside_.erase(file);
    return true;
}

}  // namespace hsq
