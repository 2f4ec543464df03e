#include "modes/paced_plan.h"

#include "link/device_link.h"

namespace hsq {
namespace {

int StepFloorMs(const PacedStep& step) { return DeviceLink::kSendPauseMs + step.pauseAfterMs; }

int SecondsUp(int ms) { return (ms + 999) / 1000; }

}  // namespace

int PlanFloorMs(const PacedPlan& plan) {
    int total = 0;
    for (const PacedStep& step : plan) total += StepFloorMs(step);
    return total;
}

void RunPlan(const PacedPlan& plan, Clock& clock, WorkProgress& progress) {
    const int total = static_cast<int>(plan.size());
    int leftMs = PlanFloorMs(plan);
    progress.ReportTimeLeft(0, total, SecondsUp(leftMs));
    for (int done = 0; done < total; ++done) {
        const PacedStep& step = plan[done];
        step.exchange();
        if (step.pauseAfterMs > 0) clock.SleepMs(step.pauseAfterMs);
        leftMs -= StepFloorMs(step);
        progress.ReportTimeLeft(done + 1, total, SecondsUp(leftMs));
    }
}

}  // namespace hsq
