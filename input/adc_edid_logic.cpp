#include "input/adc_edid_logic.h"

namespace hsq {
namespace {

bool IsCard(int card) {
    return card >= 0 && card < 4;
}

}  // namespace

// Behind the waiting box like every other frame, so that the window never stalls for the
// link's pause.
void AdcEdidLogic::Send(const std::function<void()>& frame) {
    host_.RunWorker([&](WorkProgress&) {
        std::lock_guard hold(lock_);
        frame();
    });
}

void AdcEdidLogic::OnAdc(int card) {
    if (!IsCard(card)) return;
    Send([&] { commands_.AdcCalibrate(static_cast<std::uint8_t>(card)); });
}

void AdcEdidLogic::OnEdid(int card, Edid kind) {
    if (!IsCard(card)) return;
    Send([&] {
        commands_.WriteEdid(static_cast<std::uint8_t>(card), static_cast<std::uint8_t>(kind));
    });
}

}  // namespace hsq
