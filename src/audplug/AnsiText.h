#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Texts crossing the plug-in interface are in the program's 8-bit code page: Windows-1252 when
// every character fits, else UTF-8, so that no character is lost. The host reads them back by
// the same rule (valid UTF-8 with non-ASCII bytes is UTF-8, anything else Windows-1252).

// `utf8` in the 8-bit code page, cut at a character boundary to at most `maxBytes` bytes;
// std::nullopt when `utf8` is not valid UTF-8.
std::optional<std::string> utf8ToAnsi(std::string_view utf8, std::size_t maxBytes);

// The number of UTF-16 code units of a UTF-8 text; std::nullopt when it is not valid UTF-8.
std::optional<std::size_t> utf16Length(std::string_view utf8);
