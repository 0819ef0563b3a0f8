// The registry view that holds the machine-wide values the program writes (the Run value): the
// 32-bit one. 64-bit Windows gives a 32-bit program that view (HKLM\Software\Wow6432Node) and
// starts the Run entries of both views at log-on. Named here rather than left to the build, so
// that the x86_64 build, which only the tests run, writes where the shipped 32-bit program does,
// and so that a value written by an earlier 32-bit copy is the one a save replaces or removes.
// 32-bit Windows has one view and ignores the flag.
#pragma once

#include <windows.h>

namespace sut::win32 {

inline constexpr REGSAM kMachineView = KEY_WOW64_32KEY;

}  // namespace sut::win32
