// Reading and writing one value of an INI file, byte-exact: section, key and value bytes are
// stored as they are (GBK), whatever the system's code page.
//
// The file: "[section]" lines, each followed by its "key=value" lines, CRLF line ends. A write
// replaces the key's line in place (or adds it at the end of its section, or adds the section at
// the end of the file) and keeps every other line as it was, comments and blank lines included.
#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"

namespace sut {

// The key's value, or defaultValue when the file, the section or the key is missing; a key stored
// with an empty value reads as the empty text. Names match without regard to ASCII case; blanks
// around names and values and one pair of surrounding quotes are dropped; a value is cut to 10239
// bytes. An empty path, section or key (after leading bytes 0x01..0x20) reads as the empty text
// without touching the file.
std::string ReadIniValue(Files& files, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue = {});

// Creates the file, section and key as needed, or replaces the key's value; an empty value keeps
// the key. The value is stored unquoted, up to its first line break, without its leading blanks.
// The file is replaced as a whole (Files::Replace). Nobody examines the outcome.
bool WriteIniValue(Files& files, const std::string& path, std::string_view section,
                   std::string_view key, std::string_view value);

}  // namespace sut
