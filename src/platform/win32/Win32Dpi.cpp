// The dpi queries that exist only on newer Windows are looked up at run time: the program must
// start on Windows 7, whose user32 has none of them.
#include "platform/win32/Dpi.h"

namespace sut::win32 {
namespace {

template <typename F>
F User32(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT SystemDpi() {
    static const UINT dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kLayoutDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return d > 0 ? static_cast<UINT>(d) : static_cast<UINT>(kLayoutDpi);
    }();
    return dpi;
}

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

void EnableNonClientScaling(HWND window) {
    static const auto enable = User32<BOOL(WINAPI*)(HWND)>("EnableNonClientDpiScaling");
    if (enable) enable(window);
}

}  // namespace sut::win32
