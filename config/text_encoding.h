#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hsq {

// How a configuration file's text is stored. Files from the Chinese edition of the original
// program are in its code page (GBK); everything we create is UTF-8.
enum class TextEncoding { Utf8, Gbk };

// Taken as GBK when the bytes decode as GBK and do not look like UTF-8 text, otherwise as UTF-8
// (plain ASCII is), so that undecodable bytes pass through unchanged.
TextEncoding DetectEncoding(std::string_view bytes);

// Text has no NUL byte and reads as UTF-8 or as GBK; anything else is not a configuration file.
bool IsText(std::string_view bytes);

std::optional<std::string> GbkToUtf8(std::string_view gbk);
// Empty when the text holds a character GBK cannot carry.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// The first maxCharacters characters of UTF-8 text, never cutting a character in two.
std::string_view FirstCharacters(std::string_view utf8, std::size_t maxCharacters);

}  // namespace hsq
