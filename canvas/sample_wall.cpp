#include "canvas/sample_wall.h"

#include <memory>
#include <string>

#include "canvas/channel_window.h"

namespace hsq {
namespace {

constexpr int kChannels = 4;
constexpr int kQuadMode = 4;

// Inset from its quarter by a tenth of the quarter, in processor pixels.
ProcessorRect SampleChannelPlace(int channel) {
    const int quarterWidth = kSampleOutputWidth / 2, quarterHeight = kSampleOutputHeight / 2;
    return {(channel % 2) * quarterWidth + quarterWidth / 10,
            (channel / 2) * quarterHeight + quarterHeight / 10, quarterWidth * 8 / 10,
            quarterHeight * 8 / 10};
}

}  // namespace

void BuildSampleWall(CWallEditor& editor, Size area) {
    editor.SetWall({2, 2, area.width, area.height});
    ChannelWindowSettings settings;
    settings.ratioX = static_cast<double>(kSampleOutputWidth) / area.width;
    settings.ratioY = static_cast<double>(kSampleOutputHeight) / area.height;
    settings.kind = kOutputChannelWindow;
    settings.splitMode = kQuadMode;
    settings.layoutWidth = static_cast<std::uint16_t>(area.width);
    settings.layoutHeight = static_cast<std::uint16_t>(area.height);
    for (int channel = 0; channel < kChannels; ++channel) {
        auto window = std::make_unique<CChannelWindow>();
        settings.index = static_cast<std::uint8_t>(channel + 1);
        window->SetSettings(settings);
        const ProcessorRect place = SampleChannelPlace(channel);
        window->SetProcessor(place);
        window->SetRectangle({place.x / settings.ratioX, place.y / settings.ratioY,
                              (place.x + place.w) / settings.ratioX,
                              (place.y + place.h) / settings.ratioY});
        window->SetTitle("CH" + std::to_string(channel + 1));
        editor.AddObject(std::move(window));
    }
}

}  // namespace hsq
