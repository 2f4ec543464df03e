#include "config/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace hsq {
namespace {

// Length of the UTF-8 sequence starting at bytes[i], 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < lowest || code > 0x10FFFF || surrogate) return 0;
    return length;
}

std::optional<std::string> Convert(std::string_view text, const char* to, const char* from) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(text.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        const std::size_t used = out.size() - outLeft;
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
    }
    iconv_close(converter);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
    // Many GBK pairs are also valid two-byte UTF-8 ("模式" reads as Latin and Greek letters), but
    // Chinese typed into our files is three-byte UTF-8. So a file that is valid UTF-8 with only
    // two-byte sequences, and decodes as GBK, is taken as GBK.
    bool longSequence = false, shortSequence = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) return GbkToUtf8(bytes) ? TextEncoding::Gbk : TextEncoding::Utf8;
        longSequence |= length > 2;
        shortSequence |= length == 2;
        i += length;
    }
    const bool looksLikeGbk = shortSequence && !longSequence && GbkToUtf8(bytes);
    return looksLikeGbk ? TextEncoding::Gbk : TextEncoding::Utf8;
}

bool IsText(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) return GbkToUtf8(bytes).has_value();
        i += length;
    }
    return true;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) { return Convert(gbk, "UTF-8", "GBK"); }

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    return Convert(utf8, "GBK", "UTF-8");
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t maxCharacters) {
    std::size_t end = 0;
    for (std::size_t count = 0; end < utf8.size() && count < maxCharacters; ++count) {
        const std::size_t length = Utf8SequenceLength(utf8, end);
        end += length == 0 ? 1 : length;  // a stray byte counts as one character
    }
    return utf8.substr(0, end);
}

}  // namespace hsq
