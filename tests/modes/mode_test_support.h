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
    ModeBank bank;
    bank.outputFormat = 3;
    bank.clockSource = 1;
    bank.inputListed = {true, true, true, true};
    bank.outputListed = {true, true};
    for (int card = 0; card < 4; ++card) {
        const auto n = static_cast<std::uint8_t>(card);
        bank.inputs[card] = {{static_cast<std::uint8_t>(n + 1), static_cast<std::uint8_t>(7 * n),
                              static_cast<std::uint8_t>(200 - n)},
                             {static_cast<std::uint16_t>(10 * n), 1920, 4, 1080},
                             {16, static_cast<std::uint16_t>(640 + n), 16, 360}};
    }
    for (int card = 0; card < 2; ++card) {
        bank.outputs[card] = {static_cast<std::uint8_t>(0x40 + card),
                              static_cast<std::uint8_t>(3 + 17 * card)};
        for (int mode = 0; mode < 16; ++mode) {
            BankMode& layout = bank.modes[mode][card];
            layout.byteA = static_cast<std::uint8_t>(7 * mode + card);
            layout.byteB = static_cast<std::uint8_t>(mode % 8);
            for (int k = 0; k < 4; ++k) {
                const auto v = static_cast<std::uint16_t>(mode + 16 * k + 64 * card);
                layout.channels[k] = {{v, static_cast<std::uint16_t>(960 + v), 8, 540},
                                      {static_cast<std::uint16_t>(2 * v), 960, v, 540},
                                      static_cast<std::uint8_t>((mode + k + card) % 4),
                                      (mode + k) % 3 != 0};
            }
        }
    }
    bank.modes[2][0].channels[1].crop = {300, 1280, 8, 720};
    return bank;
}

}  // namespace hsq::testing
