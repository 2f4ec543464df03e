#include "app/profile_problem_notices.h"

#include "app/message_catalogue.h"

namespace hsq {

ProfileProblemNotices::ProfileProblemNotices(DialogHost& host, const LanguageFlag& language)
    : host_(host), language_(language), windowThread_(std::this_thread::get_id()) {}

void ProfileProblemNotices::Report(const ProfileProblemReport& report) {
    {
        std::lock_guard guard(mutex_);
        if (!told_.emplace(report.problem, report.file.string(), report.text).second) return;
        pending_.push_back(report);
    }
    if (std::this_thread::get_id() == windowThread_) ShowPending();
}

void ProfileProblemNotices::ShowPending() {
    std::vector<ProfileProblemReport> reports;
    {
        std::lock_guard guard(mutex_);
        reports.swap(pending_);
    }
    for (const ProfileProblemReport& report : reports)
        host_.ShowMessage(kSystemInformation.In(language_), ProfileProblemText(report, language_));
}

}  // namespace hsq
