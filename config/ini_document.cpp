#include "config/ini_document.h"

#include <algorithm>

namespace hsq {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Narrows [begin, end) of text to its part without white space at either end.
void Trim(std::string_view text, std::size_t& begin, std::size_t& end) {
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
}

std::string_view WithoutOuterQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A line break inside a name or value would end its line and start another key or section.
std::string OnOneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (crlf) ++i;
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    if (std::string_view(bytes_).starts_with(kByteOrderMark)) start_ = kByteOrderMark.size();
    const std::size_t firstEnding = bytes_.find_first_of("\r\n", start_);
    if (firstEnding != std::string::npos) {
        const bool crlf = bytes_[firstEnding] == '\r' && firstEnding + 1 < bytes_.size() &&
                          bytes_[firstEnding + 1] == '\n';
        lineEnding_ = crlf ? "\r\n" : std::string(1, bytes_[firstEnding]);
    }
    Parse();
}

void IniDocument::Parse() {
    lines_.clear();
    sections_.clear();
    std::size_t begin = start_;
    while (begin < bytes_.size()) {
        std::size_t end = bytes_.find_first_of("\r\n", begin);
        std::size_t next = end;
        if (end == std::string::npos) {
            end = next = bytes_.size();
        } else {
            next = end + 1;
            if (bytes_[end] == '\r' && next < bytes_.size() && bytes_[next] == '\n') ++next;
        }
        const Line line = ParseLine(begin, end, next);
        const std::size_t index = lines_.size();
        lines_.push_back(line);
        if (line.isSection) {
            sections_.push_back({index, index, {}});
        } else if (line.isKey && !sections_.empty()) {
            sections_.back().keys.push_back(index);
            sections_.back().lastLine = index;
        }
        begin = next;
    }
}

IniDocument::Line IniDocument::ParseLine(std::size_t begin, std::size_t end,
                                         std::size_t next) const {
    const std::string_view text = bytes_;
    Line line{begin, end, next};
    std::size_t first = begin, last = end;
    Trim(text, first, last);
    if (first == last || text[first] == ';') return line;
    if (text[first] == '[') {
        const std::size_t close = text.substr(0, last).find(']', first);
        if (close == std::string_view::npos) return line;
        line.isSection = true;
        line.nameBegin = first + 1;
        line.nameEnd = close;
        Trim(text, line.nameBegin, line.nameEnd);
        return line;
    }
    const std::size_t equals = text.substr(0, last).find('=', first);
    if (equals == std::string_view::npos) return line;
    line.nameBegin = first;
    line.nameEnd = equals;
    Trim(text, line.nameBegin, line.nameEnd);
    line.valueBegin = equals + 1;
    line.valueEnd = last;
    Trim(text, line.valueBegin, line.valueEnd);
    line.isKey = line.nameBegin < line.nameEnd;
    return line;
}

std::string_view IniDocument::Text(std::size_t begin, std::size_t end) const {
    return std::string_view(bytes_).substr(begin, end - begin);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        const Line& header = lines_[section.header];
        if (EqualsIgnoringAsciiCase(Text(header.nameBegin, header.nameEnd), name)) return &section;
    }
    return nullptr;
}

const IniDocument::Line* IniDocument::FindKey(const Section& section, std::string_view key) const {
    for (const std::size_t index : section.keys) {
        const Line& line = lines_[index];
        if (EqualsIgnoringAsciiCase(Text(line.nameBegin, line.nameEnd), key)) return &line;
    }
    return nullptr;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = FindSection(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    if (line == nullptr) return std::nullopt;
    return WithoutOuterQuotes(Text(line->valueBegin, line->valueEnd));
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::pair<std::string_view, std::string_view>> IniDocument::KeysOf(
    std::string_view section) const {
    std::vector<std::pair<std::string_view, std::string_view>> keys;
    if (const Section* found = FindSection(section)) {
        keys.reserve(found->keys.size());
        for (const std::size_t index : found->keys) {
            const Line& line = lines_[index];
            keys.emplace_back(Text(line.nameBegin, line.nameEnd),
                              WithoutOuterQuotes(Text(line.valueBegin, line.valueEnd)));
        }
    }
    return keys;
}

void IniDocument::Set(std::string_view sectionText, std::string_view keyText,
                      std::string_view valueText) {
    const std::string section = OnOneLine(sectionText);
    const std::string key = OnOneLine(keyText);
    const std::string value = OnOneLine(valueText);
    const Section* found = FindSection(section);
    if (found == nullptr) {
        AppendLine("[" + section + "]");
        AppendLine(key + "=" + value);
    } else if (const Line* line = FindKey(*found, key)) {
        bytes_.replace(line->valueBegin, line->valueEnd - line->valueBegin, value);
    } else {
        InsertLine(found->lastLine, key + "=" + value);
    }
    Parse();
}

void IniDocument::InsertLine(std::size_t afterLine, std::string_view text) {
    const Line& line = lines_[afterLine];
    std::string inserted;
    if (line.next == line.end) inserted = lineEnding_;  // the file's last line had no ending
    inserted.append(text).append(lineEnding_);
    bytes_.insert(line.next, inserted);
}

void IniDocument::AppendLine(std::string_view text) {
    const bool endsOpen =
        bytes_.size() > start_ && bytes_.back() != '\n' && bytes_.back() != '\r';
    if (endsOpen) bytes_ += lineEnding_;
    bytes_.append(text).append(lineEnding_);
}

}  // namespace hsq
