// Initialising every board profile and loading them back: batched (one replacement per file)
// against one replacement per key write. Reading a mode file that holds one very long line.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/input_profile.h"
#include "config/output_board_profile.h"
#include "config/system_info.h"
#include "modes/mode_file.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

constexpr OutputResolution kFullHd{6, 1920, 1080};

struct Folder {
    Folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hsq-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

void InitialiseAll(ProfileStore& store) {
    InitialiseInputProfile(store, kFullHd);
    InitialiseOutputProfile(store, 1, OutputBoardRecord{}, kFullHd);
    InitialiseOutputProfile(store, 2, OutputBoardRecord{}, kFullHd);
}

void LoadAll(const ProfileStore& store) {
    InputCardRecords inputs;
    OutputBoardRecord k, l;
    LoadInputProfile(store, inputs);
    LoadOutputProfile(store, 1, k);
    LoadOutputProfile(store, 2, l);
    LoadMatrix(store);
    benchmark::DoNotOptimize(inputs);
    benchmark::DoNotOptimize(l);
}

struct KeyWrite {
    std::filesystem::path file;
    std::string section, key, value;
};

// Every key the initialisation writes, read back from the files it wrote.
std::vector<KeyWrite> KeysOf(const std::filesystem::path& folder) {
    std::vector<KeyWrite> writes;
    for (const char* name : {"Input.ini", "Output1.ini", "Output2.ini"}) {
        std::ifstream in(folder / name);
        std::string line, section;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.starts_with('[')) {
                section = line.substr(1, line.find(']') - 1);
            } else if (const auto equals = line.find('='); equals != std::string::npos) {
                writes.push_back({name, section, line.substr(0, equals), line.substr(equals + 1)});
            }
        }
    }
    return writes;
}

void Report(benchmark::State& state, const ProfileStore& store, std::size_t writes) {
    state.counters["replacements"] = benchmark::Counter(
        static_cast<double>(store.FileReplacements()), benchmark::Counter::kAvgIterations);
    state.counters["key_writes"] = static_cast<double>(writes);
}

void BM_InitialiseAndLoadBatched(benchmark::State& state) {
    Folder folder;
    ProfileStore store(folder.path);
    InitialiseAll(store);  // the files exist, as on an operator's machine
    const std::size_t writes = KeysOf(folder.path).size();
    ProfileStore measured(folder.path);
    for (auto _ : state) {
        InitialiseAll(measured);
        LoadAll(measured);
    }
    Report(state, measured, writes);
}
BENCHMARK(BM_InitialiseAndLoadBatched)->Unit(benchmark::kMillisecond);

void BM_InitialiseAndLoadPerKey(benchmark::State& state) {
    Folder folder;
    ProfileStore store(folder.path);
    InitialiseAll(store);
    const std::vector<KeyWrite> writes = KeysOf(folder.path);
    ProfileStore measured(folder.path);
    for (auto _ : state) {
        for (const KeyWrite& w : writes) {
            measured.WriteValueAt(w.section, w.key, w.value, folder.path / w.file);
        }
        LoadAll(measured);
    }
    Report(state, measured, writes.size());
}
BENCHMARK(BM_InitialiseAndLoadPerKey)->Unit(benchmark::kMillisecond);

// A mode file of every card with a 10 MB comment line at its end: the reader must not pay for
// that line once per key it reads.
void BM_ReadModeFileWithLongLine(benchmark::State& state) {
    Folder folder;
    const std::filesystem::path file = folder.path / "mode.ini";
    WriteModeFile(file, testing::SampleBank());
    std::ofstream(file, std::ios::app) << ";" << std::string(10 << 20, 'x') << "\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(ReadModeFile(file));
}
BENCHMARK(BM_ReadModeFileWithLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hsq

BENCHMARK_MAIN();
