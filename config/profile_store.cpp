#include "config/profile_store.h"

#include <algorithm>
#include <string>

#include "config/atomic_file.h"
#include "config/config_folder.h"
#include "config/ini_document.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"

namespace hsq {
namespace {

constexpr ConfigFileKind kKinds[] = {ConfigFileKind::Input, ConfigFileKind::Output,
                                     ConfigFileKind::Timer, ConfigFileKind::SystemInfo};

std::string FileName(ConfigFileKind kind, std::uint8_t card) {
    switch (kind) {
        case ConfigFileKind::Input: return "Input.ini";
        case ConfigFileKind::Output: return "Output" + std::to_string(card) + ".ini";
        case ConfigFileKind::Timer: return "Timer.ini";
        case ConfigFileKind::SystemInfo: break;
    }
    return "2600Info.ini";
}

bool Matches(const IniEdit& edit, std::string_view section, std::string_view key) {
    return EqualsIgnoringAsciiCase(edit.section, section) && EqualsIgnoringAsciiCase(edit.key, key);
}

// Output card files exist for cards K and L only.
bool IsConfigFileName(std::string_view name) {
    for (const ConfigFileKind kind : kKinds) {
        for (std::uint8_t card = 1; card <= 2; ++card) {
            if (EqualsIgnoringAsciiCase(name, FileName(kind, card))) return true;
        }
    }
    return false;
}

bool HasAnySection(const std::string& bytes, std::span<const std::string> sections) {
    const IniDocument document(bytes);
    return std::any_of(sections.begin(), sections.end(),
                       [&](const std::string& section) { return document.HasSection(section); });
}

}  // namespace

ProfileStore::ProfileStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path ProfileStore::FilePath(ConfigFileKind kind, std::uint8_t card) const {
    const std::string name = FileName(kind, card);
    return FindFileIgnoringCase(folder_, name).value_or(folder_ / name);
}

bool ProfileStore::FileExists(ConfigFileKind kind, std::uint8_t card) const {
    std::error_code error;
    return std::filesystem::is_regular_file(FilePath(kind, card), error);
}

bool ProfileStore::ReadValue(ConfigFileKind kind, std::string_view section, std::string_view key,
                             std::string& value, std::uint8_t card) const {
    value.clear();
    return ReadValueAt(section, key, value, FilePath(kind, card));
}

bool ProfileStore::WriteValue(ConfigFileKind kind, std::string_view section, std::string_view key,
                              std::string_view value, std::uint8_t card) {
    return Write(FilePath(kind, card), {std::string(section), std::string(key), std::string(value)});
}

bool ProfileStore::WriteInt(ConfigFileKind kind, std::string_view section, std::string_view key,
                            int value, std::uint8_t card) {
    return WriteValue(kind, section, key, std::to_string(value), card);
}

bool ProfileStore::ReadValueAt(std::string_view section, std::string_view key, std::string& value,
                               const std::filesystem::path& file) const {
    if (file.empty()) return false;
    if (!ReadPending(file, section, key, value)) {
        value = ReadIniValue(file, section, key).value_or(std::string());
    }
    return !value.empty();
}

bool ProfileStore::WriteValueAt(std::string_view section, std::string_view key,
                                std::string_view value, const std::filesystem::path& file) {
    if (file.empty()) return false;
    return Write(file, {std::string(section), std::string(key), std::string(value)});
}

bool ProfileStore::Write(const std::filesystem::path& file, IniEdit edit) {
    {
        std::lock_guard guard(batchMutex_);
        const auto batch = std::find_if(batches_.begin(), batches_.end(), [](PendingBatch* b) {
            return b->thread == std::this_thread::get_id();
        });
        if (batch != batches_.end()) {
            (*batch)->edits[file].push_back(std::move(edit));
            return true;
        }
    }
    return WriteFile(file, std::span(&edit, 1));
}

bool ProfileStore::WriteFile(const std::filesystem::path& file, std::span<const IniEdit> edits) {
    if (!problems_.KeepAsideIfDamaged(file)) {
        problems_.Tell(ProfileProblem::NotWritten, file);
        return false;
    }
    IniWriteResult result = WriteIniValues(file, edits);
    for (std::string& text : result.unstorable)
        problems_.Tell(ProfileProblem::TextNotStored, file, std::move(text));
    if (!result.written) {
        problems_.Tell(ProfileProblem::NotWritten, file);
        return false;
    }
    ++replacements_;
    return result.unstorable.empty();
}

bool ProfileStore::ReadPending(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string& value) const {
    std::lock_guard guard(batchMutex_);
    for (const PendingBatch* batch : batches_) {
        if (batch->thread != std::this_thread::get_id()) continue;
        const auto edits = batch->edits.find(file);
        if (edits == batch->edits.end()) return false;
        const auto latest = std::find_if(edits->second.rbegin(), edits->second.rend(),
                                         [&](const IniEdit& e) { return Matches(e, section, key); });
        if (latest == edits->second.rend()) return false;
        value = std::string(FirstCharacters(latest->value, kMaxValueCharacters));
        return true;
    }
    return false;
}

bool ProfileStore::CommitBatch(PendingBatch& batch) {
    std::map<std::filesystem::path, std::vector<IniEdit>> edits;
    {
        std::lock_guard guard(batchMutex_);
        edits.swap(batch.edits);
    }
    bool allWritten = true;
    for (const auto& [file, fileEdits] : edits) allWritten = WriteFile(file, fileEdits) && allWritten;
    return allWritten;
}

bool ProfileStore::CheckBeforeLoad(ConfigFileKind kind, std::uint8_t card,
                                   std::span<const std::string> sections) const {
    const std::filesystem::path file = FilePath(kind, card);
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) return false;
    if (!IsText(*bytes) || !HasAnySection(*bytes, sections)) problems_.MarkDamaged(file);
    return true;
}

void ProfileStore::ReportShortList(ConfigFileKind kind, std::uint8_t card) const {
    problems_.MarkDamaged(FilePath(kind, card));
}

void ProfileStore::RemoveStaleTemporaries() const {
    RemoveLeftTemporaries(folder_, IsConfigFileName);
}

ProfileBatch::ProfileBatch(ProfileStore& store) : store_(store) {
    pending_.thread = std::this_thread::get_id();
    std::lock_guard guard(store_.batchMutex_);
    joined_ = std::any_of(store_.batches_.begin(), store_.batches_.end(),
                          [&](const auto* b) { return b->thread == pending_.thread; });
    if (!joined_) store_.batches_.push_back(&pending_);
}

ProfileBatch::~ProfileBatch() {
    if (joined_) return;
    Commit();
    std::lock_guard guard(store_.batchMutex_);
    std::erase(store_.batches_, &pending_);
}

bool ProfileBatch::Commit() { return joined_ || store_.CommitBatch(pending_); }

}  // namespace hsq
