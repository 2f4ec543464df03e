#include "config/ini_file.h"

#include <mutex>
#include <system_error>

#include "config/atomic_file.h"

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

// Empty when every text of the edit could be stored; otherwise the first one that could not.
std::optional<std::string> ApplyEdit(IniDocument& document, const IniEdit& edit,
                                     TextEncoding encoding) {
    const auto section = ToFileEncoding(edit.section, encoding);
    if (!section) return edit.section;
    const auto key = ToFileEncoding(edit.key, encoding);
    if (!key) return edit.key;
    const auto value = ToFileEncoding(edit.value, encoding);
    if (!value) return edit.value;
    document.Set(*section, *key, *value);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadIniValue(const std::filesystem::path& file,
                                        std::string_view section, std::string_view key) {
    const auto snapshot = IniSnapshot::Read(file);
    if (!snapshot) return std::nullopt;
    return snapshot->Value(section, key);
}

IniSnapshot::IniSnapshot(std::string bytes)
    : encoding_(DetectEncoding(bytes)), document_(std::move(bytes)) {}

std::optional<IniSnapshot> IniSnapshot::Read(const std::filesystem::path& file) {
    std::optional<std::string> bytes;
    {
        std::lock_guard guard(KeyOperationLock());
        bytes = ReadFileBytes(file);
    }
    if (!bytes) return std::nullopt;
    return IniSnapshot(std::move(*bytes));
}

std::optional<std::string> IniSnapshot::Value(std::string_view section,
                                              std::string_view key) const {
    const auto fileSection = ToFileEncoding(section, encoding_);
    const auto fileKey = ToFileEncoding(key, encoding_);
    if (!fileSection || !fileKey) return std::nullopt;
    const auto value = document_.Find(*fileSection, *fileKey);
    if (!value) return std::nullopt;
    return std::string(FirstCharacters(FromFileEncoding(*value, encoding_), kMaxValueCharacters));
}

IniWriteResult WriteIniValues(const std::filesystem::path& file, std::span<const IniEdit> edits) {
    std::lock_guard guard(KeyOperationLock());
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    std::optional<std::string> read = ReadFileBytes(file);
    if (exists && !read) return {};  // never replace a file we could not read
    std::string bytes = read.value_or(std::string());
    const TextEncoding encoding = DetectEncoding(bytes);
    IniDocument document(std::move(bytes));
    IniWriteResult result;
    for (const IniEdit& edit : edits) {
        if (auto unstorable = ApplyEdit(document, edit, encoding))
            result.unstorable.push_back(std::move(*unstorable));
    }
    result.written = ReplaceFileAtomically(file, document.Bytes());
    return result;
}

}  // namespace hsq
