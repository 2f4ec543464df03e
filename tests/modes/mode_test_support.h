#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "link/link_transport.h"
#include "modes/mode_bank.h"

namespace hsq::testing {

// Hands each frame on to the simulator and keeps it. A frame the test silences goes nowhere,
// as if the processor had not heard it.
class FrameTap final : public LinkTransport {
  public:
    explicit FrameTap(LinkTransport& inner) : inner_(inner) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        Frame frame{};
        std::copy_n(bytes, std::min(count, kFrameSize), frame.begin());
        frames.push_back(frame);
        if (silence && silence(frame)) return count;
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }

    std::vector<Frame> frames;
    std::function<bool(const Frame&)> silence;

  private:
    LinkTransport& inner_;
};

// Every field different from its neighbours', within what the processor takes and reports.
inline ModeBank SampleBank() {
    const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
    const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
    ModeBank bank{3, 1, {}, {true, true, true, true}, {true, true}};
    for (int n = 0; n < 4; ++n) {
        bank.inputs[n] = {{u8(n + 1), u8(7 * n), u8(200 - n)},
                          {u16(10 * n), 1920, 4, 1080},
                          {16, u16(640 + n), 16, 360}};
    }
    for (int card = 0; card < 2; ++card) {
        bank.outputs[card] = {u8(0x40 + card), u8(3 + 17 * card)};
        for (int mode = 0; mode < 16; ++mode) {
            BankMode& layout = bank.modes[mode][card];
            layout.byteA = u8(7 * mode + card);
            layout.byteB = u8(mode % 8);
            for (int k = 0; k < 4; ++k) {
                const auto v = u16(mode + 16 * k + 64 * card);
                layout.channels[k] = {{v, u16(960 + v), 8, 540}, {u16(2 * v), 960, v, 540},
                                      u8((mode + k + card) % 4), (mode + k) % 3 != 0};
            }
        }
    }
    bank.modes[2][0].channels[1].crop = {300, 1280, 8, 720};
    return bank;
}

}  // namespace hsq::testing
