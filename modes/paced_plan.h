#pragma once

#include <functional>
#include <vector>

#include "dialog/dialog_host.h"
#include "link/clock.h"

namespace hsq {

// One exchange with the processor (one frame out) and the pause the sequence keeps after it.
struct PacedStep {
    std::function<void()> exchange;
    int pauseAfterMs = 0;
};
using PacedPlan = std::vector<PacedStep>;

// The least time a plan takes: every frame is followed by the link's send pause, then by the
// step's own pause.
int PlanFloorMs(const PacedPlan& plan);

// Runs the steps in order, telling progress the steps done of the total and the time left at
// the plan's pace, before the first and after each.
void RunPlan(const PacedPlan& plan, Clock& clock, WorkProgress& progress);

}  // namespace hsq
