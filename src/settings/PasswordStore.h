// The three optional passwords in config.ini, one section each, key "password", stored scrambled.
// Nothing is kept in memory: every call reads or writes the file, so an edit from outside takes
// effect at the next check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/App.h"

namespace sut {

inline constexpr std::string_view kPasswordFileName = "config.ini";

enum class PasswordKind : std::uint8_t { Start, Exit, Lock };

// Set when the stored value unscrambles to a non-empty text.
bool IsPasswordSet(App& app, PasswordKind kind);
// The unscrambled value; "" when not set (missing file, section, key or an empty value).
std::string ReadPassword(App& app, PasswordKind kind);
// Stores the text as given; the checks on a new password belong to the set windows. False when
// config.ini could not be written (a read-only file or directory, a missing directory, a full
// disk): the file then holds what it held before.
bool WritePassword(App& app, PasswordKind kind, std::string_view text);
// Leaves the key with an empty value; false as for WritePassword.
bool ClearPassword(App& app, PasswordKind kind);

}  // namespace sut
