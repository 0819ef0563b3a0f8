// Reading and writing values of an INI file, byte-exact: section, key and value bytes are stored
// as they are (GBK), whatever the system's code page.
//
// The file: "[section]" lines, each followed by its "key=value" lines, CRLF line ends. A write
// replaces the key's line in place (or adds it at the end of its section, or adds the section at
// the end of the file) and keeps every other line as it was, comments and blank lines included.
// Files of any size are read a piece at a time and never held whole.
#pragma once

#include <cstdint>
#include <span>
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
// The file is replaced as a whole (Files::ReplaceInPieces), and not at all when nothing
// changes. False when the file was not written; only the password windows look.
bool WriteIniValue(Files& files, const std::string& path, std::string_view section,
                   std::string_view key, std::string_view value);

struct IniEdit {
    std::string_view section, key, value;
};

// The edits in one replace of the file: it ends exactly as one WriteIniValue per edit, in this
// order, would leave it, but a crash leaves it all old or all new. `attributes` as for
// Files::ReplaceInPieces. False when the file was not written or an edit has an empty name.
bool WriteIniValues(Files& files, const std::string& path, std::span<const IniEdit> edits,
                    std::uint32_t attributes = 0);

}  // namespace sut
