#include "input/input_card_space.h"

#include <cstdint>
#include <utility>

namespace hsq {
namespace {

using Member = std::int32_t ProcessorRect::*;

// A picture of no size yet puts everything at the canvas origin rather than at infinity.
double Scaled(std::int32_t value, int canvas, int picture) {
    return picture == 0 ? 0.0 : static_cast<double>(value) * canvas / picture;
}

// The field's own value and the one it adds up with along the same side of the picture.
std::pair<Member, Member> MembersOf(InputCardSpace::Field field) {
    using Field = InputCardSpace::Field;
    switch (field) {
        case Field::W: return {&ProcessorRect::w, &ProcessorRect::x};
        case Field::H: return {&ProcessorRect::h, &ProcessorRect::y};
        case Field::X: return {&ProcessorRect::x, &ProcessorRect::w};
        case Field::Y: return {&ProcessorRect::y, &ProcessorRect::h};
    }
    return {&ProcessorRect::w, &ProcessorRect::x};
}

}  // namespace

RectF InputCardSpace::CanvasRect(const ProcessorRect& window) const {
    const double left = Scaled(window.x, kCanvasWidth, width_);
    const double top = Scaled(window.y, kCanvasHeight, height_);
    return {left, top, left + Scaled(window.w, kCanvasWidth, width_),
            top + Scaled(window.h, kCanvasHeight, height_)};
}

// Summed in 64 bits: a typed value near the top of int must not overflow.
std::optional<ProcessorRect> InputCardSpace::Edited(const ProcessorRect& window, Field field,
                                                    int value) const {
    const auto [own, other] = MembersOf(field);
    const int extent = field == Field::W || field == Field::X ? width_ : height_;
    if (value < 0 || std::int64_t{value} + window.*other > extent) return std::nullopt;
    ProcessorRect edited = window;
    edited.*own = value;
    return edited;
}

int InputCardSpace::Shown(const ProcessorRect& window, Field field) {
    return window.*MembersOf(field).first;
}

}  // namespace hsq
