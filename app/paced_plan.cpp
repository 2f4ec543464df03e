#include "app/paced_plan.h"

#include <cstdio>

#include "commands/device_commands.h"
#include "commands/reply_decoders.h"
#include "dialog/processor_messages.h"

namespace hsq {
namespace {

int StepFloorMs(const PacedStep& step) {
    return DeviceLink::kSendPauseMs + step.pauseAfterMs;
}

int SecondsUp(int ms) {
    return (ms + 999) / 1000;
}

bool StatusAnswered(DeviceLink& link) {
    Frame reply{};
    return DeviceCommands(link).Query(kQueryStatus, 0, reply) == kFrameSize;
}

}  // namespace

int PlanFloorMs(const PacedPlan& plan) {
    int total = 0;
    for (const PacedStep& step : plan)
        total += StepFloorMs(step);
    return total;
}

bool AnsweredWithRetry(const std::function<bool()>& exchange) {
    return exchange() || exchange();
}

// The line is held for the whole plan: the processor takes a sequence such as an import only
// whole, and the frame named on failure must be the step's own.
PlanOutcome RunPlan(const PacedPlan& plan, DeviceLink& link, WorkProgress& progress) {
    const auto hold = link.HoldLine();
    PlanOutcome outcome;
    outcome.total = static_cast<int>(plan.size());
    int leftMs = PlanFloorMs(plan);
    progress.ReportTimeLeft(0, outcome.total, SecondsUp(leftMs));
    if (!link.Answering() && !StatusAnswered(link)) {
        outcome.silent = true;
        outcome.unanswered = link.LastFrame();
        return outcome;
    }
    for (const PacedStep& step : plan) {
        if (progress.StopRequested()) {
            outcome.stopped = true;
            return outcome;
        }
        // An operator who stopped while the step went unanswered is not kept waiting by its
        // retry.
        const bool answered =
            step.exchange() || (!step.sendOnce && !progress.StopRequested() && step.exchange());
        if (!answered) {
            outcome.stopped = progress.StopRequested();
            if (!outcome.stopped) outcome.unanswered = link.LastFrame();
            return outcome;
        }
        if (step.pauseAfterMs > 0)
            link.clock().SleepMs(step.pauseAfterMs);
        leftMs -= StepFloorMs(step);
        ++outcome.answered;
        progress.ReportTimeLeft(outcome.answered, outcome.total, SecondsUp(leftMs));
    }
    return outcome;
}

std::string FrameText(const Frame& frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", frame[2], frame[3], frame[4]);
    return text;
}

std::string UnansweredText(LanguageFlag language, const PlanOutcome& outcome,
                           const Bilingual& consequence) {
    if (outcome.stopped)
        return StoppedStepText(language, outcome.answered, outcome.total, consequence);
    if (outcome.silent) return std::string(kProcessorSilent.In(language));
    const std::string request = outcome.unanswered ? FrameText(*outcome.unanswered) : "";
    return UnansweredStepText(language, outcome.answered + 1, outcome.total, request, consequence);
}

}  // namespace hsq
