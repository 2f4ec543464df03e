#include "config/ini_file.h"

#include <mutex>
#include <system_error>

#include "config/atomic_file.h"
#include "config/ini_document.h"
#include "config/text_encoding.h"

namespace hsq {
namespace {

// Serialises key operations of the whole process, as the platform's profile functions did, so
// that two threads writing keys of one file never lose one another's write.
std::mutex& KeyOperationLock() {
    static std::mutex lock;
    return lock;
}

std::optional<std::string> ToFileEncoding(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return Utf8ToGbk(text);
    return std::string(text);
}

std::string FromFileEncoding(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) {
        if (auto decoded = GbkToUtf8(text)) return *decoded;
    }
    return std::string(text);
}

bool ApplyEdit(IniDocument& document, const IniEdit& edit, TextEncoding encoding) {
    const auto section = ToFileEncoding(edit.section, encoding);
    const auto key = ToFileEncoding(edit.key, encoding);
    const auto value = ToFileEncoding(edit.value, encoding);
    if (!section || !key || !value) return false;
    document.Set(*section, *key, *value);
    return true;
}

}  // namespace

std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        std::string_view section, std::string_view key) {
    std::optional<std::string> bytes;
    {
        std::lock_guard guard(KeyOperationLock());
        bytes = ReadFileBytes(file);
    }
    if (!bytes) return std::nullopt;
    const TextEncoding encoding = DetectEncoding(*bytes);
    const auto fileSection = ToFileEncoding(section, encoding);
    const auto fileKey = ToFileEncoding(key, encoding);
    if (!fileSection || !fileKey) return std::nullopt;
    const IniDocument document(std::move(*bytes));
    const auto value = document.Find(*fileSection, *fileKey);
    if (!value) return std::nullopt;
    return std::string(FirstCharacters(FromFileEncoding(*value, encoding), kMaxValueCharacters));
}

bool WriteIniValues(const std::filesystem::path& file, std::span<const IniEdit> edits) {
    std::lock_guard guard(KeyOperationLock());
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    std::optional<std::string> read = ReadFileBytes(file);
    if (exists && !read) return false;  // never replace a file we could not read
    std::string bytes = read.value_or(std::string());
    const TextEncoding encoding = DetectEncoding(bytes);
    IniDocument document(std::move(bytes));
    for (const IniEdit& edit : edits) {
        if (!ApplyEdit(document, edit, encoding)) return false;
    }
    return ReplaceFileAtomically(file, document.Bytes());
}

}  // namespace hsq
