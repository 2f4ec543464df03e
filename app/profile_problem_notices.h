#pragma once

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "config/profile_problem.h"

namespace hsq {

// Tells the operator what went wrong with the configuration files, once per problem and file in
// a run (once per text for texts that could not be stored). A box belongs to the window's
// thread: problems met there are shown at once, those met by a worker when the window next
// calls ShowPending.
class ProfileProblemNotices final : public ProfileProblemSink {
  public:
    ProfileProblemNotices(DialogHost& host, const LanguageFlag& language);

    void Report(const ProfileProblemReport& report) override;
    void ShowPending();

  private:
    using Told = std::tuple<ProfileProblem, std::string, std::string>;

    DialogHost& host_;
    const LanguageFlag& language_;
    const std::thread::id windowThread_;
    std::mutex mutex_;
    std::set<Told> told_;
    std::vector<ProfileProblemReport> pending_;
};

}  // namespace hsq
