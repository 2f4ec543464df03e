// Any bytes as a timer record or as "Timer.ini" are read or refused without a crash or a read out
// of bounds. A record that reads writes a text that reads back the same record, and one refused
// is kept as the damaged text it was; every section of the file, saved back into it as the timer
// window saves it, loads back the same list. One exception: the engine tells a file's code page
// from all of its bytes, so when rewriting a count or record takes away the only bytes that kept
// the file from reading as GBK (or as UTF-8), the file reads as the other code page from then on,
// and a damaged record's bytes may read as other text or not be writable at all. Only a damaged
// file can do that, so the file as it was must then be kept in "Timer.ini.bad".
#include <stdlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "config/atomic_file.h"
#include "config/text_encoding.h"
#include "scheduler/timer_file.h"

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// One folder for the whole run, emptied for each input: the store copies a damaged file aside
// under a new name each time.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "timer-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

void CheckRecord(std::string_view text) {
    for (const hsq::TimerSection section : hsq::kTimerSections) {
        const hsq::TimerRecord record = hsq::ParseTimerRecord(section, text);
        if (record.damaged) {
            Require(*record.damaged == text);
            Require(hsq::TimerRecordText(record) == text);
        } else {
            Require(hsq::ParseTimerRecord(section, hsq::TimerRecordText(record)) == record);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckRecord(bytes.substr(0, bytes.find_first_of("\r\n")));

    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        std::filesystem::remove_all(entry.path());
    {
        std::ofstream out(Folder() / "Timer.ini", std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    hsq::ProfileStore store(Folder());
    const hsq::LocalTime now{2026, 1, 7, 12, 0, 0};
    std::array<std::vector<hsq::TimerRecord>, hsq::kTimerSections.size()> loaded;
    for (std::size_t i = 0; i < loaded.size(); ++i)
        loaded[i] = hsq::LoadTimerSection(store, hsq::kTimerSections[i], now);
    const hsq::TextEncoding codePage = hsq::DetectEncoding(bytes);
    bool saved = true;
    bool sameCodePage = true;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        saved = hsq::SaveTimerSection(store, hsq::kTimerSections[i], loaded[i]) && saved;
        const auto written = hsq::ReadFileBytes(Folder() / "Timer.ini");
        Require(written.has_value());
        sameCodePage = sameCodePage && hsq::DetectEncoding(*written) == codePage;
    }
    if (!saved || !sameCodePage) {
        Require(hsq::ReadFileBytes(Folder() / "Timer.ini.bad") == std::string(bytes));
        return 0;
    }
    for (std::size_t i = 0; i < loaded.size(); ++i)
        Require(hsq::LoadTimerSection(store, hsq::kTimerSections[i], now) == loaded[i]);
    return 0;
}
