#include "commands/command_names.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace hsq {
namespace {

constexpr CommandName kCommands[] = {
    {0x80, {"选择输入卡", "SelectInputCard"}},
    {0x81, {"主画面信号源", "SetMainSource"}},
    {0x82, {"画中画开关", "SetPipEnable"}},
    {0x83, {"画中画信号源", "SetPipSource"}},
    {0x84, {"字幕开关", "SetTextEnable"}},
    {0x85, {"字幕信号源", "SetTextSource"}},
    {0x86, {"主画面窗口", "SetMainWindow"}},
    {0x87, {"画中画窗口", "SetPipWindow"}},
    {0x88, {"输入亮度", "SetInputBrightness"}},
    {0x89, {"输入对比度", "SetInputContrast"}},
    {0x8A, {"输入色彩", "SetInputColour"}},
    {0x8B, {"字幕抠像", "SetCaptionKey"}},
    {0x8D, {"选择输出卡", "SelectOutputBoard"}},
    {0x8E, {"调用模式", "RecallMode"}},
    {0x8F, {"图像信号源", "SetImageSource"}},
    {0x90, {"选择图像", "SelectImage"}},
    {0x91, {"图像输入窗口", "SetImageInputWindow"}},
    {0x92, {"图像输出窗口", "SetImageOutputWindow"}},
    {0x93, {"图像边框", "SetImageBorder"}},
    {0x94, {"应用模式", "SetApplicationMode"}},
    {0x97, {"复位HDMI", "ResetHdmi"}},
    {0x9A, {"帧同步", "SetSynchronization"}},
    {0x9C, {"输出分辨率", "SetOutputFormat"}},
    {0x9E, {"VGA自动调整", "VgaAutoAdjust"}},
    {0x9F, {"输出亮度", "SetOutputBrightness"}},
    {0xA0, {"模式拷贝", "CopyMode"}},
    {0xA4, {"导入开始", "ImportBegin"}},
    {0xA5, {"导入系统设置", "ImportSystem"}},
    {0xA6, {"导入输入卡设置", "ImportInputSetup"}},
    {0xA7, {"导入输入窗口", "ImportInputWindow"}},
    {0xA8, {"导入输入窗口2", "ImportInputWindow2"}},
    {0xA9, {"导入输出卡设置", "ImportOutputSetup"}},
    {0xAC, {"导入模式设置", "ImportModeSetup"}},
    {0xAE, {"导入通道输出窗口", "ImportChannelOutputWindow"}},
    {0xAF, {"导入通道裁剪窗口", "ImportChannelCropWindow"}},
    {0xB0, {"导入结束", "ImportEnd"}},
    {0xB4, {"静音", "SetMute"}},
    {0xB5, {"矩阵参考", "SetMatrixReference"}},
    {0xB6, {"叠加", "SetOverlay"}},
    {0xB7, {"显示全部图像", "ShowAllImages"}},
    {0xB8, {"叠加切换时间", "SetSwitchMode"}},
    {0xFC, {"ADC校准", "AdcCalibrate"}},
    {0xFD, {"写EDID", "WriteEdid"}},
    {kQueryCode, {"查询", "Query"}},
};

// Indexed by selector; the selectors 3 to 5 are never asked.
constexpr std::array<Bilingual, 25> kQueries = {{
    {"状态", "status"},
    {"系统配置", "configuration"},
    {"IP地址", "IP address"},
    {},
    {},
    {},
    {"主画面窗口", "main picture window"},
    {"画中画窗口", "picture-in-picture window"},
    {"输入卡设置", "input card settings"},
    {"图像输入窗口", "image input window"},
    {"图像输出窗口", "image output window"},
    {"模式数据", "mode data"},
    {"时钟与帧同步", "clock and frame sync"},
    {"图像边框", "image border"},
    {"图像亮度", "image brightness"},
    {"导出：系统设置", "export: system"},
    {"导出：输入卡设置", "export: input card setup"},
    {"导出：输入窗口", "export: input window"},
    {"导出：输入窗口2", "export: input window 2"},
    {"导出：输出卡设置", "export: output board setup"},
    {"导出：模式设置", "export: mode setup"},
    {"导出：通道裁剪窗口", "export: channel crop window"},
    {"导出：通道输出窗口", "export: channel output window"},
    {"输出卡版本", "output board versions"},
    {"输入卡版本", "input card versions"},
}};

}  // namespace

std::span<const CommandName> CommandNames() { return kCommands; }

std::optional<Bilingual> NameOfCommand(std::uint8_t code) {
    const auto found = std::lower_bound(std::begin(kCommands), std::end(kCommands), code,
                                        [](const CommandName& c, std::uint8_t v) { return c.code < v; });
    if (found == std::end(kCommands) || found->code != code) return std::nullopt;
    return found->name;
}

std::optional<Bilingual> MeaningOfQuery(std::uint8_t selector) {
    if (selector >= kQueries.size() || kQueries[selector].english.empty()) return std::nullopt;
    return kQueries[selector];
}

}  // namespace hsq
