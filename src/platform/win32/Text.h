// GBK (code page 936) <-> UTF-16 at the Win32 calls. Code page 936 is always named explicitly,
// so the program is right whatever the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace sut::win32 {

inline constexpr unsigned kGbk = 936;

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);
// True when every character of the text has a GBK form (no '?' substitution needed).
bool RepresentableInGbk(std::wstring_view wide);

}  // namespace sut::win32
