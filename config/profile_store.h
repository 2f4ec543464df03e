#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "config/ini_edit.h"
#include "config/profile_problems.h"

namespace hsq {

// Selects one of the configuration files; the numbers are the ones callers store and pass.
enum class ConfigFileKind : std::uint8_t {
    Input = 0,       // "Input.ini"
    Output = 1,      // "Output1.ini", "Output2.ini": one per output card
    Timer = 2,       // "Timer.ini"
    SystemInfo = 3,  // "2600Info.ini"
};

class ProfileBatch;

// Reads and writes keys of the configuration files in one folder. Every operation goes to the
// file on disk; nothing is cached between operations. Safe to use from several threads.
class ProfileStore {
  public:
    explicit ProfileStore(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }

    // The file a kind names: the card's low eight bits pick "Output%d.ini"; other kinds ignore
    // it. A file that exists only under another case ("2600info.ini") is found and used.
    std::filesystem::path FilePath(ConfigFileKind kind, std::uint8_t card = 0) const;
    bool FileExists(ConfigFileKind kind, std::uint8_t card = 0) const;

    // True when the value read is not empty; a missing file, section or key gives "" and false.
    bool ReadValue(ConfigFileKind kind, std::string_view section, std::string_view key,
                   std::string& value, std::uint8_t card = 0) const;
    // Creates the file, section and key when absent; false when the file could not be written or
    // cannot hold the text (the key then keeps its value). Either is told to the problem sink.
    bool WriteValue(ConfigFileKind kind, std::string_view section, std::string_view key,
                    std::string_view value, std::uint8_t card = 0);
    bool WriteInt(ConfigFileKind kind, std::string_view section, std::string_view key, int value,
                  std::uint8_t card = 0);

    // The same for a file the operator chose. An empty path reads nothing and leaves value alone.
    bool ReadValueAt(std::string_view section, std::string_view key, std::string& value,
                     const std::filesystem::path& file) const;
    bool WriteValueAt(std::string_view section, std::string_view key, std::string_view value,
                      const std::filesystem::path& file);

    // Files replaced on disk by this store so far.
    std::uint64_t FileReplacements() const { return replacements_.load(); }

    // Told of files that cannot be written, texts they cannot hold and damaged files; null for
    // none. Must outlive its use by the store.
    void SetProblemSink(ProfileProblemSink* sink) { problems_.SetSink(sink); }
    // Before a record is loaded from the kind's file: true when it is a regular file that can be
    // read, so the record mirrors it. One that is not text or holds none of the given sections
    // is told as damaged and kept aside before it is first rewritten.
    bool CheckBeforeLoad(ConfigFileKind kind, std::uint8_t card,
                         std::span<const std::string> sections) const;
    // A list read with fewer values than its key needs: the file is damaged, as above.
    void ReportShortList(ConfigFileKind kind, std::uint8_t card) const;
    // Removes what writes killed half-way left: the temporaries of the configuration files.
    void RemoveStaleTemporaries() const;

  private:
    friend class ProfileBatch;
    struct PendingBatch {
        std::thread::id thread;
        std::map<std::filesystem::path, std::vector<IniEdit>> edits;
    };

    bool Write(const std::filesystem::path& file, IniEdit edit);
    bool WriteFile(const std::filesystem::path& file, std::span<const IniEdit> edits);
    bool ReadPending(const std::filesystem::path& file, std::string_view section,
                     std::string_view key, std::string& value) const;
    bool CommitBatch(PendingBatch& batch);

    std::filesystem::path folder_;
    std::atomic<std::uint64_t> replacements_{0};
    mutable ProfileProblems problems_;
    mutable std::mutex batchMutex_;
    std::vector<PendingBatch*> batches_;
};

// Gathers the writes this thread makes through a store and replaces each file once when the
// scope ends (a whole profile save or initialisation). Reads in the scope see the gathered
// writes. An inner batch on the same thread joins the outer one.
class ProfileBatch {
  public:
    explicit ProfileBatch(ProfileStore& store);
    ~ProfileBatch();
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Writes what was gathered; false when some file could not be written or some text could
    // not be stored (the other keys are written all the same). Later writes in the scope start a
    // new gathering.
    bool Commit();

  private:
    ProfileStore& store_;
    ProfileStore::PendingBatch pending_;
    bool joined_ = false;
};

}  // namespace hsq
