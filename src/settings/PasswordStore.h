// The three optional passwords in config.ini.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/App.h"

namespace sut {

enum class PasswordKind : std::uint8_t { Start, Exit, Lock };

bool IsPasswordSet(App& app, PasswordKind kind);
std::string ReadPassword(App& app, PasswordKind kind);
void WritePassword(App& app, PasswordKind kind, std::string_view text);
void ClearPassword(App& app, PasswordKind kind);

}  // namespace sut
