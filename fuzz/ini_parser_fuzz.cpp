// Any bytes make a document that can be searched and edited: no crash, no read out of bounds,
// and a key written reads back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/comma_list.h"
#include "config/ini_document.h"
#include "config/text_encoding.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// Names taken from the input itself, so that the fuzzer can reach matching sections and keys.
std::string_view NameFrom(std::string_view bytes, std::size_t at) {
    if (bytes.empty()) return {};
    const std::size_t begin = at % bytes.size();
    const std::size_t length = std::min<std::size_t>(bytes.size() - begin, at % 7);
    return bytes.substr(begin, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    hsq::IniDocument document(bytes);
    Require(document.Bytes() == bytes);

    for (std::size_t at = 0; at < 4; ++at) {
        if (auto value = document.Find(NameFrom(bytes, at * 13), NameFrom(bytes, at * 29 + 3))) {
            std::vector<std::string> fields;
            hsq::SplitCommaList(*value, fields);
            for (const auto& field : fields) hsq::DecimalValue(field);
        }
    }
    hsq::DetectEncoding(bytes);
    Require(hsq::FirstCharacters(bytes, 255).size() <= bytes.size());

    document.Set("BOARD", "Display_Mode", "5");
    document.Set("Mode5", "aOverlay", "4,3,2,1");
    const auto mode = document.Find("board", "DISPLAY_MODE");
    const auto order = document.Find("MODE5", "aoverlay");
    Require(mode && *mode == "5");
    Require(order && *order == "4,3,2,1");
    return 0;
}
