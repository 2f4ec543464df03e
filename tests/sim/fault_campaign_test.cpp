// Faults injected into every reply, against the program's link and read-back: nothing the
// processor did not say is taken for its answer or written to a file.
#include "tools/fault_campaign.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace hsq::campaign {
namespace {

// 8 campaigns of 15,000 exchanges: 120,000 in all, on virtual time.
constexpr long kExchanges = 15000;
constexpr long kRounds = 40;

class FaultCampaign : public ::testing::TestWithParam<Plan> {};

TEST_P(FaultCampaign, NothingWrongIsAcceptedOrRecorded) {
    testing::TempFolder folder;
    const Figures figures = campaign::Run(GetParam(), folder.path());
    EXPECT_EQ(figures.exchanges, kExchanges);
    EXPECT_EQ(figures.wrongAccepted, 0);
    EXPECT_EQ(figures.wrongRounds, 0);
    EXPECT_TRUE(figures.recovered);
    EXPECT_EQ(figures.violations, 0);
    // The faults hit a fifth of the replies or more: most exchanges still get their answer.
    EXPECT_GT(figures.succeeded, figures.exchanges / 3);
}

INSTANTIATE_TEST_SUITE_P(EachKindThenAllMixed, FaultCampaign,
                         ::testing::ValuesIn(StandardPlans(0.2, kExchanges, kRounds, 2600)),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

}  // namespace
}  // namespace hsq::campaign
