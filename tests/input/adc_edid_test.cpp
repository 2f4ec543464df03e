#include "input/adc_edid_logic.h"

#include <gtest/gtest.h>

#include "support/recording_transport.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Each press is one frame that nothing answers, in the order pressed and paced by the link
// alone. A press never waits, not even for a link another exchange holds; closing the panel
// sends what is still queued.
TEST(AdcEdid, EachPressSendsItsOneFrame) {
    testing::RecordingLink bench;
    const auto& wire = bench.transport;
    {
        auto busy = bench.link.LockExchange();
        AdcEdidLogic logic(bench.commands);
        logic.OnEdid(2, AdcEdidLogic::Edid::Dvi);
        logic.OnEdid(0, AdcEdidLogic::Edid::Vga);
        logic.OnAdc(3);
        logic.OnAdc(4);  // no such card
        EXPECT_TRUE(wire.written.empty());
        busy.unlock();
    }
    ASSERT_EQ(wire.written.size(), 3u);
    const auto head = [&](int frame) {
        return Bytes(wire.written[frame].begin() + 2, wire.written[frame].begin() + 5);
    };
    EXPECT_EQ(head(0), (Bytes{0xFD, 2, 2}));
    EXPECT_EQ(head(1), (Bytes{0xFD, 0, 0}));
    EXPECT_EQ(head(2), (Bytes{0xFC, 3, 0}));
    EXPECT_EQ(bench.clock.Pauses(), (std::vector<int>(3, DeviceLink::kSendPauseMs)));
}

}  // namespace
}  // namespace hsq
