// Any bytes as a mode file are read or refused without a crash or a read out of bounds; a file
// that is read writes a mode file that reads back the same bank.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "modes/mode_file.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// One folder for the whole run: the reader takes a path, as the dialog gives it.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "mode-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path input = Folder() / "input.ini";
    const std::filesystem::path written = Folder() / "written.ini";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const auto bank = hsq::ReadModeFile(input);
    if (!bank) return 0;
    Require(hsq::WriteModeFile(written, *bank));
    Require(hsq::ReadModeFile(written) == bank);
    return 0;
}
