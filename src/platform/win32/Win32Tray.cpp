// The tray icon and the popup menu.
#include <windows.h>
#include <shellapi.h>

#include "platform/GbkText.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Ui.h"
#include "resource.h"

namespace sut::win32 {
namespace {

constexpr std::size_t kTipBytes = 62;
constexpr UINT kTrayRetryMs = 2000;

}  // namespace

HICON Win32Ui::Icon(IconId icon, int size) {
    for (const LoadedIcon& loaded : icons_)
        if (loaded.icon == icon && loaded.size == size) return loaded.handle;
    const wchar_t* name = MAKEINTRESOURCEW(icon == IconId::Lock ? IDI_LOCK_ICON : IDI_APPLICATION_ICON);
    // LoadImage would stretch the nearest image, a smaller one included (16 up to 20 pixels);
    // scaled down from a larger one it stays sharp. Common controls 6 (Vista on) only, looked up
    // at run time like every newer call.
    using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto scaleDown = reinterpret_cast<ScaleDown>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
    HICON handle = nullptr;
    if (!scaleDown || FAILED(scaleDown(instance_, name, size, size, &handle)))
        handle = static_cast<HICON>(LoadImageW(instance_, name, IMAGE_ICON, size, size, 0));
    if (handle) icons_.push_back({icon, size, handle});
    return handle;
}

// One icon, MainWindow's, which the shell may lose (Explorer restarts and broadcasts
// "TaskbarCreated") or not have yet (a start at log-on, before Explorer is up). Each call asks for
// what is missing: whichever of add and update the bookkeeping expects to work first, the other
// when the shell says no, since an add fails while the icon is there and an update while it is
// not. Until one of them works, a timer tries again; once one has, no timer runs.
void Win32Ui::SyncTrayIcon() {
    const HWND main = W(WindowId::MainWindow).hwnd;
    if (!main || !trayWanted_) return;
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = main;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    nid.uCallbackMessage = kMsgTray;
    // The tray is the shell's, drawn at the system dpi.
    nid.hIcon = Icon(IconId::Application, GetSystemMetrics(SM_CXSMICON));
    lstrcpynW(nid.szTip, trayTip_.c_str(), static_cast<int>(std::size(nid.szTip)));
    const DWORD first = trayAdded_ ? NIM_MODIFY : NIM_ADD;
    const DWORD second = trayAdded_ ? NIM_ADD : NIM_MODIFY;
    trayAdded_ = Shell_NotifyIconW(first, &nid) || Shell_NotifyIconW(second, &nid);
    if (trayAdded_ && trayRetrying_) KillTimer(main, kTrayRetryTimer);
    else if (!trayAdded_ && !trayRetrying_) SetTimer(main, kTrayRetryTimer, kTrayRetryMs, nullptr);
    trayRetrying_ = !trayAdded_;
}

void Win32Ui::RemoveTrayIcon() {
    const HWND main = W(WindowId::MainWindow).hwnd;
    if (!main || !trayWanted_) return;
    // Whatever the bookkeeping says: an icon left behind stays in the tray on Windows until the
    // pointer passes over it.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = main;
    nid.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &nid);
    trayAdded_ = false;
    trayWanted_ = false;
}

void Win32Ui::SetTrayIcon(std::string_view tip) {
    trayWanted_ = true;
    trayTip_ = Wide(CutGbk(tip, kTipBytes));
    SyncTrayIcon();
}

void Win32Ui::OnTrayMessage(LPARAM lp) {
    Window& main = W(WindowId::MainWindow);
    if (!main.hwnd || !main.ready) return;
    int code = 0;
    switch (LOWORD(lp)) {
    case WM_LBUTTONUP: code = kTrayLeftClick; break;
    case WM_LBUTTONDBLCLK: code = kTrayDoubleClick; break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: code = kTrayRightClick; break;
    default: return;
    }
    Raise(main, {EventKind::TrayEvent, 0, code});
}

void Win32Ui::ShowPopupMenu(WindowId window, ControlId menu) {
    Window& w = W(window);
    if (!w.hwnd) return;
    HMENU popup = BuildPopup(w, menu);
    POINT pt;
    GetCursorPos(&pt);
    // Foreground first and WM_NULL after: otherwise the menu stays open when the user clicks
    // elsewhere. The choice comes back as an ordinary WM_COMMAND.
    SetForegroundWindow(w.hwnd);
    const int offset = ToPixels(3, w.dpi);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x + offset, pt.y + offset, 0, w.hwnd, nullptr);
    PostMessageW(w.hwnd, WM_NULL, 0, 0);
    DestroyMenu(popup);
}

}  // namespace sut::win32
