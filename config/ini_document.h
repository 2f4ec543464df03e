#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hsq {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The bytes of one INI file, read and edited the way the original platform's profile
// functions read and write them: names match without regard to case, the first of duplicate
// sections and keys counts, and an edit touches only the bytes of the key it writes.
// Names and values are bytes in the file's own encoding.
class IniDocument {
  public:
    explicit IniDocument(std::string bytes = {});

    // The value with one outer pair of matching quotes removed; empty when the section or key
    // is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Every key line of the section in file order, with its value as Find gives it (a key
    // repeated is listed each time; Find gives the first), for readers of whole lists.
    std::vector<std::pair<std::string_view, std::string_view>> KeysOf(
        std::string_view section) const;
    // Replaces the value in place, or adds the key after its section's last key, or adds the
    // section at the end of the file. A line break in a name or value is written as a space.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const { return bytes_; }

  private:
    struct Line {
        std::size_t begin = 0;      // first byte
        std::size_t end = 0;        // end of the text, before the line ending
        std::size_t next = 0;       // first byte of the next line
        std::size_t nameBegin = 0;  // section or key name, trimmed
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;  // raw value, trimmed, quotes included
        std::size_t valueEnd = 0;
        bool isSection = false;
        bool isKey = false;
    };
    struct Section {
        std::size_t header = 0;   // index of the header line
        std::size_t lastLine = 0;  // index of its last key line, or of the header
        std::vector<std::size_t> keys;
    };

    void Parse();
    Line ParseLine(std::size_t begin, std::size_t end, std::size_t next) const;
    std::string_view Text(std::size_t begin, std::size_t end) const;
    const Section* FindSection(std::string_view name) const;
    const Line* FindKey(const Section& section, std::string_view key) const;
    void InsertLine(std::size_t afterLine, std::string_view text);
    void AppendLine(std::string_view text);

    std::string bytes_;
    std::string lineEnding_ = "\r\n";
    std::size_t start_ = 0;  // after a byte order mark
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

}  // namespace hsq
