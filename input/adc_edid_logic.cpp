#include "input/adc_edid_logic.h"

namespace hsq {
namespace {

bool IsCard(int card) {
    return card >= 0 && card < 4;
}

}  // namespace

void AdcEdidLogic::OnAdc(int card) {
    if (!IsCard(card)) return;
    const auto index = static_cast<std::uint8_t>(card);
    presses_.Add([this, index] { commands_.AdcCalibrate(index); });
}

void AdcEdidLogic::OnEdid(int card, Edid kind) {
    if (!IsCard(card)) return;
    const auto index = static_cast<std::uint8_t>(card);
    presses_.Add([this, index, kind] {
        commands_.WriteEdid(index, static_cast<std::uint8_t>(kind));
    });
}

}  // namespace hsq
