#pragma once

#include <cstdint>
#include <vector>

#include "app/paced_plan.h"
#include "commands/device_commands.h"
#include "config/output_board_profile.h"
#include "config/profile_store.h"

namespace hsq {

// How the output board dialog reads its card back into the profile and the record. Runs on a
// worker behind the waiting box. A request left unanswered is asked once more, then the reading
// stops there; the profile and the record then stay as they were, so that they never mix the
// processor's word with what the file held.
class OutputCardReader {
  public:
    static constexpr int kRecallPauseMs = 500;
    static constexpr int kRecallCommandPauseMs = 150;

    // card: 0 for K, 1 for L.
    OutputCardReader(ProfileStore& store, DeviceCommands& commands, int card);

    // The mode data asked at the record's display mode, each image's clock source, then (at the
    // display mode just reported) each image's input and output windows and border, and the
    // brightness.
    PlanOutcome ReadCard(OutputBoardRecord& record, WorkProgress& progress);
    // RecallMode m, then the windows of mode m and its mode data.
    PlanOutcome Recall(std::uint8_t mode, OutputBoardRecord& record, WorkProgress& progress);

  private:
    std::uint8_t Selector(int mode, int channel) const;
    // Asks [selector, argument of the mode the step runs at]; a reply that answers is kept.
    PacedStep Ask(std::uint8_t selector, const int& mode, int channel, int pauseAfterMs = 0);
    PlanOutcome Run(const PacedPlan& plan, OutputBoardRecord& record, WorkProgress& progress);

    ProfileStore& store_;
    DeviceCommands& commands_;
    int card_;
    std::vector<Frame> replies_;
};

}  // namespace hsq
