#include "input/adc_edid_logic.h"

#include <gtest/gtest.h>

#include "support/recording_transport.h"
#include "support/scripted_host.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Each press is one frame that nothing answers: quick presses are paced by the link alone.
TEST(AdcEdid, EachPressSendsItsOneFrame) {
    VirtualClock clock;
    testing::RecordingTransport wire(clock);
    DeviceLink link(clock);
    link.AttachTransport(&wire);
    DeviceCommands commands(link);
    testing::ScriptedHost host;
    AdcEdidLogic logic(commands, host);

    logic.OnEdid(2, AdcEdidLogic::Edid::Dvi);
    logic.OnEdid(0, AdcEdidLogic::Edid::Vga);
    logic.OnAdc(3);
    logic.OnAdc(4);  // no such card
    ASSERT_EQ(wire.written.size(), 3u);
    const auto head = [&](int frame) { return Bytes(wire.written[frame].begin() + 2, wire.written[frame].begin() + 5); };
    EXPECT_EQ(head(0), (Bytes{0xFD, 2, 2}));
    EXPECT_EQ(head(1), (Bytes{0xFD, 0, 0}));
    EXPECT_EQ(head(2), (Bytes{0xFC, 3, 0}));
    EXPECT_EQ(clock.ElapsedMs(), 3 * DeviceLink::kSendPauseMs);
}

}  // namespace
}  // namespace hsq
