// A short random operation campaign; bench/operation_campaign runs the long one.
#include "tools/operation_campaign.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_folder.h"

namespace hsq::campaign {
namespace {

// HSQ_CAMPAIGN_SEED repeats a run that found something.
std::uint64_t Seed() {
    const char* seed = std::getenv("HSQ_CAMPAIGN_SEED");
    return seed != nullptr ? std::strtoull(seed, nullptr, 10) : 2600;
}

TEST(OperationCampaignTest, EveryPromiseHoldsThroughRandomOperationsUnderFaults) {
    const std::uint64_t seed = Seed();
    testing::TempFolder folder;
    OperationRun run;
    run.seed = seed;
    run.exchanges = 3000;
    const OperationFigures figures = RunOperations(run, folder.path());
    EXPECT_EQ(figures.findings, std::vector<std::string>{}) << "seed " << seed;
    EXPECT_TRUE(figures.recovered) << "seed " << seed;
    EXPECT_GE(figures.exchanges, 3000);
    // Every dialog and front end was reached, through its own operations.
    for (const std::string dialog :
         {"output:", "mosaic:", "advanced:", "input:", "picture:", "modes:", "timers:", "ctl:",
          "http:", "resolution:", "initialise"}) {
        const auto reached = figures.operations.lower_bound(dialog);
        EXPECT_TRUE(reached != figures.operations.end() && reached->first.starts_with(dialog))
            << dialog << ", seed " << seed;
    }
}

}  // namespace
}  // namespace hsq::campaign
