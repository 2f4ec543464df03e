#include "config/output_board_profile.h"

#include <string_view>
#include <vector>

#include "commands/reply_decoders.h"
#include "config/comma_list.h"
#include "config/ini_file.h"
#include "config/overlay_order_table.h"
#include "config/profile_values.h"
#include "config/system_info.h"

namespace hsq {
namespace {

using Record = OutputBoardRecord;

constexpr std::string_view kBoard = "BOARD";
constexpr std::string_view kModeNames = "MODENAME";
constexpr std::string_view kCropSuffix = "_Jiequ_InputMap_Size";
constexpr std::string_view kOutputSuffix = "_OutputMap_Size";
constexpr std::string_view kFormSuffix = "_Form";

bool IsOutputCard(int card) {
    return card == 1 || card == 2;
}

std::string ModeSection(int mode) {
    return "Mode" + std::to_string(mode);
}

// Channels are numbered from 1 in the keys.
std::string ChannelKey(int channel, std::string_view suffix) {
    return "OutCH" + std::to_string(channel) + std::string(suffix);
}

const std::vector<std::string>& OutputSections() {
    static const std::vector<std::string> sections = [] {
        std::vector<std::string> names{std::string(kModeNames), std::string(kBoard)};
        for (int mode = 0; mode < kDisplayModeCount; ++mode) names.push_back(ModeSection(mode));
        return names;
    }();
    return sections;
}

ProfileKey OutputKey(int card, std::string_view section, std::string key) {
    return {ConfigFileKind::Output, static_cast<std::uint8_t>(card), std::string(section),
            std::move(key)};
}

ProfileKey BoardKey(int card, std::string key) {
    return OutputKey(card, kBoard, std::move(key));
}

ProfileKey ModeKey(int card, int mode, std::string key) {
    return OutputKey(card, ModeSection(mode), std::move(key));
}

// A number the program uses as an index: one outside 0..count - 1 reads as 0, never as a place
// beyond the end of what it indexes.
std::uint8_t IndexOf(const ProfileStore& store, const ProfileKey& key, int count) {
    const int value = ReadProfileInt(store, key);
    return static_cast<std::uint8_t>(value >= 0 && value < count ? value : 0);
}

void LoadBoardKeys(const ProfileStore& store, int card, Record& r) {
    auto byte = [&](const char* key) {
        return static_cast<std::uint8_t>(ReadProfileInt(store, BoardKey(card, key)));
    };
    r.configMode = byte("Config_Mode");
    r.displayMode = IndexOf(store, BoardKey(card, "Display_Mode"), kDisplayModeCount);
    r.brightness = byte("OutCH_Brightness");
    r.clockSource = byte("Out_PLL_Source");
    r.overlayMatrix = ReadProfileInt(store, BoardKey(card, "Overlay_matrix")) != 0;
    r.imageAll = ReadProfileInt(store, BoardKey(card, "Img_all")) != 0;
    r.imageChannel = IndexOf(store, BoardKey(card, "Img_Ch"), kOutputChannelCount);
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        ReadProfileInts(store, BoardKey(card, ChannelKey(channel, kFormSuffix)),
                        r.form[channel - 1]);
    r.firmwareMajor = byte("Out_Software_Version_Main");
    r.firmwareMinor = byte("Out_Software_Version_Child");
}

void LoadModeKeys(const ProfileStore& store, int card, Record& r) {
    const int mode = r.displayMode;
    r.overlayMode =
        static_cast<std::uint8_t>(ReadProfileInt(store, ModeKey(card, mode, "Overlay_Mode")));
    r.switchMode =
        static_cast<std::uint8_t>(ReadProfileInt(store, ModeKey(card, mode, "Switch_Mode")));
    ReadProfileInts(store, ModeKey(card, mode, "aOverlay"), r.layerOrder);
    ReadProfileInts(store, ModeKey(card, mode, "OutCH_Map_InPort"), r.inputPort);
    ReadProfileInts(store, ModeKey(card, mode, "OutCH_YN"), r.channelOn);
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        r.cropRect[channel - 1] =
            ReadProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kCropSuffix)));
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        r.outputRect[channel - 1] =
            ReadProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kOutputSuffix)));
}

void WriteForms(ProfileStore& store, int card, const Record& r) {
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        WriteProfileInts(store, BoardKey(card, ChannelKey(channel, kFormSuffix)),
                         r.form[channel - 1]);
}

void WriteBoardKeys(ProfileStore& store, int card, const Record& r) {
    WriteProfileInt(store, BoardKey(card, "Config_Mode"), r.configMode);
    WriteProfileInt(store, BoardKey(card, "Display_Mode"), r.displayMode);
    WriteProfileInt(store, BoardKey(card, "OutCH_Brightness"), r.brightness);
    WriteProfileInt(store, BoardKey(card, "Out_PLL_Source"), r.clockSource);
    WriteProfileInt(store, BoardKey(card, "Overlay_matrix"), r.overlayMatrix ? 1 : 0);
    WriteProfileInt(store, BoardKey(card, "Img_all"), r.imageAll ? 1 : 0);
    WriteProfileInt(store, BoardKey(card, "Img_Ch"), r.imageChannel);
    WriteForms(store, card, r);
    WriteProfileInt(store, BoardKey(card, "Out_Software_Version_Main"), r.firmwareMajor);
    WriteProfileInt(store, BoardKey(card, "Out_Software_Version_Child"), r.firmwareMinor);
}

// The per-mode keys of the record, into the section of the given mode.
void WriteModeKeys(ProfileStore& store, int card, int mode, const Record& r) {
    WriteProfileInt(store, ModeKey(card, mode, "Overlay_Mode"), r.overlayMode);
    WriteProfileInt(store, ModeKey(card, mode, "Switch_Mode"), r.switchMode);
    WriteProfileInts(store, ModeKey(card, mode, "aOverlay"), r.layerOrder);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_Map_InPort"), r.inputPort);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_YN"), r.channelOn);
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        WriteProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kCropSuffix)),
                         r.cropRect[channel - 1]);
    for (int channel = 1; channel <= kOutputChannelCount; ++channel)
        WriteProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kOutputSuffix)),
                         r.outputRect[channel - 1]);
}

// What a freshly initialised card holds in every mode. Ports are stored 0-based (0 = In-A), the
// numbering the processor's reports use and the output dialog reads, so a profile reads the
// same before and after its first read-back.
Record FreshRecord(std::uint8_t configMode, const OutputResolution& resolution) {
    Record fresh;
    fresh.configMode = configMode;
    fresh.layerOrder = {4, 3, 2, 1};
    if (configMode != 0)
        fresh.inputPort = {0, 1, 2, 3};
    fresh.channelOn = {1, 1, 1, 1};
    WindowRect whole;
    whole.width = resolution.width;
    whole.height = resolution.height;
    fresh.cropRect.fill(whole);
    fresh.outputRect.fill(whole);
    fresh.form.fill({0, 128, 128, 128, 4});
    return fresh;
}

bool RecordChannelWindow(ProfileStore& store, const Frame& reply, std::string_view suffix) {
    const ChannelWindowReport window = DecodeChannelWindow(reply);
    const int card = window.board + 1;
    if (!IsOutputCard(card))
        return false;
    const ProfileKey key = ModeKey(card, window.mode, ChannelKey(window.channel + 1, suffix));
    return WriteProfileRect(store, key, window.rect);
}

bool RecordModeData(ProfileStore& store, const Frame& reply) {
    const ModeDataReport report = DecodeModeData(reply);
    const int card = report.board + 1;
    if (!IsOutputCard(card))
        return false;
    const int mode = report.displayMode;
    ProfileBatch batch(store);
    WriteProfileInt(store, BoardKey(card, "Config_Mode"), report.configMode);
    WriteProfileInt(store, BoardKey(card, "Display_Mode"), mode);
    // The layer-order index, the same bits that "aOverlay" is taken from.
    WriteProfileInt(store, ModeKey(card, mode, "Overlay_Mode"), report.overlayIndex);
    WriteProfileText(store, ModeKey(card, mode, "aOverlay"),
                     OverlayOrderTable(report.overlayIndex));
    WriteProfileInt(store, ModeKey(card, mode, "Switch_Mode"), report.switchMode);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_Map_InPort"), report.ports);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_YN"), report.channelOn);
    WriteProfileInt(store, BoardKey(card, "Overlay_matrix"), report.overlayMatrix ? 1 : 0);
    WriteProfileInt(store, BoardKey(card, "Img_all"), report.imageAll ? 1 : 0);
    WriteProfileInt(store, BoardKey(card, "Img_Ch"), report.imageChannel);
    return batch.Commit();
}

bool RecordClockSource(ProfileStore& store, const Frame& reply) {
    const ClockSourceReport report = DecodeClockSource(reply);
    const int card = report.board + 1;
    if (!IsOutputCard(card))
        return false;
    ProfileBatch batch(store);
    WriteProfileInt(store, BoardKey(card, "Out_PLL_Source"), report.pllSource);
    WriteProfileInt(store,
                    BoardKey(card, "OutCH_Framesynch_Inport" + std::to_string(report.channel + 1)),
                    report.framesyncInport);
    return batch.Commit();
}

bool RecordImageBorder(ProfileStore& store, const Frame& reply) {
    const ImageBorderReport report = DecodeImageBorder(reply);
    const int card = report.board + 1;
    if (!IsOutputCard(card))
        return false;
    return WriteProfileInts(store, BoardKey(card, ChannelKey(report.channel + 1, kFormSuffix)),
                            report.form);
}

bool RecordOutputBrightness(ProfileStore& store, const Frame& reply) {
    const OutputBrightnessReport report = DecodeOutputBrightness(reply);
    const int card = report.board + 1;
    if (!IsOutputCard(card))
        return false;
    return WriteProfileInt(store, BoardKey(card, "OutCH_Brightness"), report.brightness);
}

// One reading of the file serves every key of every mode.
class ModeSectionReader {
  public:
    explicit ModeSectionReader(const IniSnapshot& file) : file_(file) {}

    std::string Text(std::string_view section, std::string_view key) const {
        return file_.Value(section, key).value_or(std::string());
    }
    template <typename Integer, std::size_t N>
    void Ints(std::string_view section, std::string_view key,
              std::array<Integer, N>& fields) const {
        NarrowInto(ProfileInts(Text(section, key), N), fields);
    }
    ModeSectionValues Mode(int mode) const {
        const std::string section = ModeSection(mode);
        ModeSectionValues values;
        values.overlayMode =
            static_cast<std::uint8_t>(DecimalValue(Text(section, "Overlay_Mode")));
        Ints(section, "aOverlay", values.layerOrder);
        Ints(section, "OutCH_YN", values.channelOn);
        for (int channel = 1; channel <= kOutputChannelCount; ++channel)
            values.outputRect[channel - 1] =
                ProfileRect(Text(section, ChannelKey(channel, kOutputSuffix)));
        return values;
    }

  private:
    const IniSnapshot& file_;
};

}  // namespace

bool LoadOutputProfile(const ProfileStore& store, std::uint8_t card, OutputBoardRecord& record) {
    if (!IsOutputCard(card))
        return false;
    record.loaded = store.CheckBeforeLoad(ConfigFileKind::Output, card, OutputSections());
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        record.modeNames[mode] =
            ReadProfileText(store, OutputKey(card, kModeNames, ModeSection(mode)));
    LoadBoardKeys(store, card, record);
    LoadModeKeys(store, card, record);
    return true;
}

bool SaveOutputProfile(ProfileStore& store, std::uint8_t card, const OutputBoardRecord& record) {
    if (!IsOutputCard(card) || !record.loaded)
        return false;
    ProfileBatch batch(store);
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        WriteProfileText(store, OutputKey(card, kModeNames, ModeSection(mode)),
                         record.modeNames[mode]);
    WriteBoardKeys(store, card, record);
    WriteModeKeys(store, card, record.displayMode, record);
    return batch.Commit();
}

void LoadOutputProfiles(const ProfileStore& store, OutputBoardRecords& records) {
    for (std::uint8_t card = 1; card <= records.size(); ++card)
        LoadOutputProfile(store, card, records[card - 1]);
}

bool SaveOutputProfiles(ProfileStore& store, const OutputBoardRecords& records) {
    ProfileBatch batch(store);
    bool saved = true;
    for (std::uint8_t card = 1; card <= records.size(); ++card)
        saved = SaveOutputProfile(store, card, records[card - 1]) && saved;
    return batch.Commit() && saved;
}

std::optional<OutputProfileModes> ReadOutputProfileModes(const ProfileStore& store,
                                                         std::uint8_t card) {
    if (!IsOutputCard(card))
        return std::nullopt;
    const std::optional<IniSnapshot> file =
        IniSnapshot::Read(store.FilePath(ConfigFileKind::Output, card));
    if (!file)
        return std::nullopt;
    const ModeSectionReader reader(*file);
    OutputProfileModes read;
    read.configMode = static_cast<std::uint8_t>(DecimalValue(reader.Text(kBoard, "Config_Mode")));
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        read.names[mode] = reader.Text(kModeNames, ModeSection(mode));
        read.modes[mode] = reader.Mode(mode);
    }
    return read;
}

bool WriteModeChannels(ProfileStore& store, std::uint8_t card, int mode,
                       const ModeChannelValues& values) {
    if (!IsOutputCard(card) || mode < 0 || mode >= kDisplayModeCount)
        return false;
    ProfileBatch batch(store);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_Map_InPort"), values.inputPort);
    WriteProfileInts(store, ModeKey(card, mode, "OutCH_YN"), values.channelOn);
    for (int channel = 1; channel <= kOutputChannelCount; ++channel) {
        WriteProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kCropSuffix)),
                         values.cropRect[channel - 1]);
        WriteProfileRect(store, ModeKey(card, mode, ChannelKey(channel, kOutputSuffix)),
                         values.outputRect[channel - 1]);
    }
    return batch.Commit();
}

bool InitialiseOutputProfile(ProfileStore& store, std::uint8_t card,
                             const OutputBoardRecord& record, const OutputResolution& resolution) {
    if (!IsOutputCard(card))
        return false;
    const Record fresh = FreshRecord(record.configMode, resolution);
    ProfileBatch batch(store);
    WriteProfileInt(store, BoardKey(card, "Config_Mode"), fresh.configMode);
    WriteProfileInt(store, BoardKey(card, "Display_Mode"), fresh.displayMode);
    WriteProfileInt(store, BoardKey(card, "OutCH_Brightness"), fresh.brightness);
    WriteProfileInt(store, BoardKey(card, "Out_PLL_Source"), fresh.clockSource);
    WriteProfileText(store, BoardKey(card, "OutCH_Framesynch_Delayphase"), "16,16,16,16");
    WriteForms(store, card, fresh);
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        WriteModeKeys(store, card, mode, fresh);
    return batch.Commit();
}

bool RecordOutputReport(ProfileStore& store, const Frame& reply) {
    switch (RouteReport(reply)) {
        case ReportRoute::ImageInputWindow:
            return RecordChannelWindow(store, reply, kCropSuffix);
        case ReportRoute::ImageOutputWindow:
            return RecordChannelWindow(store, reply, kOutputSuffix);
        case ReportRoute::ModeData:
            return RecordModeData(store, reply);
        case ReportRoute::ClockSource:
            return RecordClockSource(store, reply);
        case ReportRoute::ImageBorder:
            return RecordImageBorder(store, reply);
        case ReportRoute::OutputBrightness:
            return RecordOutputBrightness(store, reply);
        case ReportRoute::OutputVersions:
            return RecordOutputVersions(store, reply);
        case ReportRoute::InputVersions:
            return RecordInputVersions(store, reply);
        case ReportRoute::Ignored:
            break;
    }
    return false;
}

}  // namespace hsq
