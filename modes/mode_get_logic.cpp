#include "modes/mode_get_logic.h"

#include <filesystem>

#include "config/atomic_file.h"
#include "dialog/processor_messages.h"
#include "modes/mode_export.h"
#include "modes/mode_file.h"
#include "modes/mode_import.h"

namespace hsq {
namespace {

constexpr Bilingual kNoModeSelected{"请选定要获取的模式", "Please select the mode you want to get"};
constexpr Bilingual kImportFailed{"导入数据失败", "Import data failed"};
constexpr Bilingual kModeDataFailure{"未能正确获取模式数据！", "Failure to get mode data ！"};
constexpr Bilingual kNotWritten{"无法写入模式文件：", "Cannot write the mode file: "};

constexpr std::string_view kModeFileName = "mode.ini";
constexpr FileFilter kModeFileFilters[] = {{"INI Files", "*.ini"}, {"All Files", "*.*"}};

ModeChannelValues ChannelValuesOf(const BankMode& mode) {
    ModeChannelValues values;
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        const BankChannel& from = mode.channels[channel];
        values.cropRect[channel] = from.crop;
        values.outputRect[channel] = from.output;
        values.inputPort[channel] = from.inputPort;
        values.channelOn[channel] = from.on ? 1 : 0;
    }
    return values;
}

}  // namespace

ModeGetLogic::ModeGetLogic(MainWindowState& state, ProfileStore& store, DeviceCommands& commands,
                           DialogHost& host)
    : state_(state), store_(store), commands_(commands), host_(host) {
    RereadPreviews();
}

std::string_view ModeGetLogic::CaptionText(Caption caption) const {
    const LanguageFlag l = Language();
    switch (caption) {
        case Caption::Title: return Bilingual{"显示模式", "Display mode"}.In(l);
        case Caption::Load: return Bilingual{"调用", "Load"}.In(l);
        case Caption::Export: return Bilingual{"导出", "Export"}.In(l);
        case Caption::Import: return Bilingual{"导入", "Import"}.In(l);
    }
    return {};
}

std::string ModeGetLogic::ModeCaption(int button) const {
    return std::string(Bilingual{"模式", "M"}.In(Language())) + std::to_string(button);
}

std::string ModeGetLogic::PreviewCardText() const {
    return std::string(Bilingual{"板卡:", "Board:"}.In(Language())) +
           static_cast<char>('K' + state_.selectedOutput % kOutputCardCount);
}

void ModeGetLogic::RereadPreviews() {
    const int card = state_.selectedOutput % kOutputCardCount;
    previews_ = CurrentModeLayouts(store_, card, state_.system.resolution, state_.outputs[card]);
}

void ModeGetLogic::OnMode(int button) {
    if (button >= 1 && button <= kModeButtons) selectedMode_ = static_cast<std::uint8_t>(button - 1);
}

void ModeGetLogic::OnLoad() {
    if (!state_.connected) {
        host_.ShowMessage(kSystemInformation.In(Language()), kNotConnected.In(Language()));
        return;
    }
    if (!selectedMode_) {
        host_.ShowMessage(kSystemInformation.In(Language()), kNoModeSelected.In(Language()));
        return;
    }
    const std::uint8_t mode = *selectedMode_;
    bool recalled = false;
    host_.RunWorker([&](WorkProgress&) {
        {
            std::lock_guard hold(lock_);
            commands_.link().DiscardReply();
            recalled =
                AnsweredWithRetry([&] { return commands_.RecallMode(mode, true) == kFrameSize; });
            commands_.link().clock().SleepMs(kRecallPauseMs);
        }
        commands_.link().clock().SleepMs(kAfterRecallPauseMs);
    });
    if (!recalled) Tell(kNotConfirmed.In(Language()));
}

void ModeGetLogic::OnExport() {
    if (!state_.connected) return;
    const std::string proposed =
        (std::filesystem::path(state_.modeFileFolder) / kModeFileName).string();
    const std::string path =
        host_.AskSaveFile(CaptionText(Caption::Export), proposed, kModeFileFilters);
    if (path.empty()) return;
    RememberFolderOf(path);
    // Said now rather than after minutes of reading the processor.
    if (!FolderTakesNewFiles(path)) {
        ShowNotWritten(path);
        return;
    }
    Export(path);
}

void ModeGetLogic::OnImport() {
    if (!state_.connected) return;
    const std::string path =
        host_.AskOpenFile(CaptionText(Caption::Import), state_.modeFileFolder, kModeFileFilters);
    if (!path.empty()) RememberFolderOf(path);
    Import(path);
}

void ModeGetLogic::RememberFolderOf(const std::string& path) {
    state_.modeFileFolder = std::filesystem::path(path).parent_path().string();
}

// The file is written once the worker has ended. A request left unanswered would put into the
// file values the processor never gave, so then nothing is written.
void ModeGetLogic::Export(const std::string& path) {
    const CardPresence present = state_.presence;
    ModeExport exported;
    host_.RunWorker([&](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        exported = ExportModes(commands_, present, progress);
    });
    if (!exported.outcome.Done()) {
        Tell(UnansweredText(Language(), exported.outcome, kNoFileWritten));
    } else if (!WriteModeFile(path, exported.bank)) {
        ShowNotWritten(path);
    }
}

void ModeGetLogic::ShowNotWritten(const std::string& path) {
    Tell(std::string(kNotWritten.In(Language())) + path);
}

void ModeGetLogic::Import(const std::string& path) {
    const std::optional<ModeBank> bank = ReadModeFile(path);
    if (!bank) {
        ShowModeDataFailure();
        return;
    }
    const CardPresence present = state_.presence;
    PlanOutcome outcome;
    host_.RunWorker([&](WorkProgress& progress) {
        std::lock_guard hold(lock_);
        outcome = ImportModes(commands_, *bank, present, progress);
    });
    // The main window takes the file's system values only once the processor confirmed them all.
    if (outcome.Done()) {
        imported_ = SystemValues{bank->outputFormat, bank->clockSource};
        KeepImported(*bank, present);
    } else {
        Tell(std::string(kImportFailed.In(Language())) + "\n" +
             UnansweredText(Language(), outcome, kPartOfFileHeld));
    }
}

// The modes go into the sections of the cards the file lists and the processor holds; their
// layer orders stay, as the file does not carry them.
void ModeGetLogic::KeepImported(const ModeBank& bank, const CardPresence& present) {
    {
        ProfileBatch batch(store_);
        for (int card = 0; card < kOutputCardCount; ++card) {
            if (!bank.outputListed[card] || !present.output[card] || !state_.outputs[card].loaded)
                continue;
            for (int mode = 0; mode < kDisplayModeCount; ++mode)
                WriteModeChannels(store_, static_cast<std::uint8_t>(card + 1), mode,
                                  ChannelValuesOf(bank.modes[mode][card]));
        }
    }
    LoadOutputProfiles(store_, state_.outputs);
    RereadPreviews();
}

void ModeGetLogic::Tell(std::string_view text) {
    host_.ShowMessage(kSystemInformation.In(Language()), text);
}

// Asked with Yes and No, as the original did; either answer just closes it.
void ModeGetLogic::ShowModeDataFailure() {
    host_.AskYesNo(kSystemMessage.In(Language()), kModeDataFailure.In(Language()));
}

DialogOutcome ModeGetLogic::Outcome() const {
    if (!imported_) return {true};
    return {true, imported_->outputFormat, imported_->clockSource};
}

}  // namespace hsq
