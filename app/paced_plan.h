#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "link/device_link.h"

namespace hsq {

// One exchange with the processor and the pause the sequence keeps after it. The exchange says
// whether the processor answered: a confirmed command got its reply, a query a reply that
// answers it.
struct PacedStep {
    std::function<bool()> exchange;
    int pauseAfterMs = 0;
    // A step the processor must never get twice, such as the end of an import (a second one
    // would come outside the import): sent once even when its reply is lost.
    bool sendOnce = false;
};
using PacedPlan = std::vector<PacedStep>;

// How far a plan got. A plan stops at the first step that went unanswered twice.
struct PlanOutcome {
    int answered = 0;  // steps answered, in order, before it stopped
    int total = 0;
    // The last frame the unanswered step sent, to tell the operator which request it was.
    std::optional<Frame> unanswered;
    // The processor was known to be silent and did not answer the question asked first either:
    // no step was sent.
    bool silent = false;
    // The operator stopped it; the step in flight was finished first.
    bool stopped = false;

    bool Done() const { return !unanswered && !stopped; }
};

// The least time a plan takes: every frame is followed by the link's send pause, then by the
// step's own pause.
int PlanFloorMs(const PacedPlan& plan);

// Runs the steps in order, telling progress the steps done of the total and the time left at
// the plan's pace, before the first and after each. A step that goes unanswered is sent once
// more (every step is a setting or a question, so a repeat is harmless); unanswered again, the
// plan stops there rather than waiting out every later step against a silent processor. When the
// link already knows the processor silent, the status question goes first, and without its
// answer nothing is sent. A stop the operator asked for ends it before the next step.
PlanOutcome RunPlan(const PacedPlan& plan, DeviceLink& link, WorkProgress& progress);

// A one-step plan: the exchange, and once more when it went unanswered.
bool AnsweredWithRetry(const std::function<bool()>& exchange);

// "FE 14 03": a frame's command and first two data bytes, which tell one request from another.
std::string FrameText(const Frame& frame);

// Why a plan did not finish (which step went unanswered, the processor silent, or the operator's
// stop), then what that leaves (kNothingChanged, ...).
std::string UnansweredText(LanguageFlag language, const PlanOutcome& outcome,
                           const Bilingual& consequence);

}  // namespace hsq
