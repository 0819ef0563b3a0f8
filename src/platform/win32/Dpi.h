// Display scale. Layout tables and the Ui interface speak layout units, pixels at 96 dpi; the
// backend turns them into the pixels of the display a window is on, and back, at its own edge.
#pragma once

#include <windows.h>

namespace sut::win32 {

inline constexpr int kLayoutDpi = 96;

// Rounded to the nearest pixel. From 96 dpi up, a size scaled and read back is the size written.
inline int ToPixels(int units, UINT dpi) { return MulDiv(units, static_cast<int>(dpi), kLayoutDpi); }
inline int ToUnits(int pixels, UINT dpi) { return MulDiv(pixels, kLayoutDpi, static_cast<int>(dpi)); }

// The dpi of the primary display when the session began: what GetSystemMetrics and the stock
// objects are made for.
UINT SystemDpi();
// The dpi of the display the window is on, asked of the window from Windows 10 1607 on. Before,
// the system dpi: every window's on Windows 7 and 8 (system-aware), and on 8.1 a new window's
// until WM_DPICHANGED says otherwise.
UINT WindowDpi(HWND window);
// Windows 10 1607 runs the program per-monitor v1, which leaves the title bar and menu bar at
// the system dpi unless asked at WM_NCCREATE; v2 (1703 on) scales them itself. A no-op elsewhere.
void EnableNonClientScaling(HWND window);

}  // namespace sut::win32
