#include "platform/win32/Win32Ui.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resource.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Text.h"

namespace sut::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"SutremoWindow";
constexpr wchar_t kPictureClass[] = L"SutremoPicture";

// WM_SETTINGCHANGE for what moves the local clock: regional settings ("intl") or the time zone.
// A new time zone also comes as WM_TIMECHANGE; this catches the Windows versions that send only
// the setting change.
bool NamesClockSetting(LPARAM lp) {
    const auto* name = reinterpret_cast<const wchar_t*>(lp);
    if (!name) return false;
    std::wstring lower(name);
    CharLowerW(lower.data());
    return lower == L"intl" || lower.find(L"timezone") != std::wstring::npos;
}

DWORD StyleOf(const WindowSpec& spec) {
    // No WS_CLIPCHILDREN: a group box paints only its frame and relies on the parent to fill
    // its inside.
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if (spec.flags & kMinimiseBox) style |= WS_MINIMIZEBOX;
    return style;
}

// Centred on the primary screen, at the scale of the display.
RECT CentredRect(const WindowSpec& spec, UINT dpi) {
    const int width = ToPixels(spec.width, dpi);
    const int height = ToPixels(spec.height, dpi);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return {x, y, x + width, y + height};
}

}  // namespace

Win32Ui::Win32Ui(HINSTANCE instance, LayoutLookup layouts)
    : instance_(instance),
      faceBrush_(GetSysColorBrush(COLOR_BTNFACE)),
      font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);

    WNDCLASSEXW pc{sizeof pc};
    pc.lpfnWndProc = PictureProc;
    pc.hInstance = instance;
    pc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    pc.lpszClassName = kPictureClass;
    RegisterClassExW(&pc);

    for (std::size_t i = 0; i < windows_.size(); ++i)
        windows_[i].spec = &layouts(static_cast<WindowId>(i));
}

Win32Ui::~Win32Ui() {
    RemoveTrayIcon();
    // Only a test outlives its backend; its windows then live on to the process's end, and their
    // messages must reach no freed object.
    for (Window& w : windows_)
        if (w.hwnd) SetWindowLongPtrW(w.hwnd, GWLP_USERDATA, 0);
    if (picture_) DeleteObject(picture_);
    for (const auto& [dpi, font] : scaledFonts_) DeleteObject(font);
    for (const LoadedIcon& icon : icons_) DestroyIcon(icon.handle);
}

int Win32Ui::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root && FromHwnd(root) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

Win32Ui::Window* Win32Ui::FromHwnd(HWND hwnd) {
    for (Window& w : windows_)
        if (w.hwnd && w.hwnd == hwnd) return &w;
    return nullptr;
}

HWND Win32Ui::Control(WindowId window, ControlId control) const {
    const Window& w = W(window);
    if (!w.hwnd) return nullptr;
    const auto& specs = w.spec->controls;
    for (std::size_t i = 0; i < specs.size() && i < w.controls.size(); ++i)
        if (specs[i].id == control) return w.controls[i];
    return nullptr;
}

bool Win32Ui::Raise(Window& w, Event event) {
    if (!sink_) return true;
    return sink_->Handle(w.spec->id, event);
}

void Win32Ui::OpenWindow(WindowId id, bool modal) {
    Window& w = W(id);
    if (w.hwnd && w.closing) DestroyNow(w);
    if (w.hwnd) {  // already open: only brought to the front
        if (IsWindowVisible(w.hwnd)) SetForegroundWindow(w.hwnd);
        return;
    }
    const WindowSpec& spec = *w.spec;
    w.creating = true;
    w.ready = false;
    w.closing = false;
    w.wantVisible = true;
    w.minimisedRecorded = false;
    w.menuVisible.clear();
    for (const MenuSpec& m : spec.menu) w.menuVisible.push_back(m.visible);
    w.timerPeriods.assign(spec.controls.size(), 0);
    w.controls.assign(spec.controls.size(), nullptr);
    w.disabled.clear();

    const HWND owner = (spec.flags & kOwnedByMain) ? W(WindowId::MainWindow).hwnd : nullptr;
    const DWORD exStyle = (spec.flags & kTopmost) ? WS_EX_TOPMOST : 0;
    // The primary display usually has the system dpi; when it does not, the window learns its
    // own once it exists and is placed again.
    w.dpi = SystemDpi();
    RECT r = CentredRect(spec, w.dpi);
    // The caption comes last, once the window is built and its creation event has run: whoever
    // finds the window by its caption finds it complete.
    w.hwnd = CreateWindowExW(exStyle, kWindowClass, L"", StyleOf(spec), r.left, r.top,
                             r.right - r.left, r.bottom - r.top, owner, nullptr, instance_, this);
    if (!w.hwnd) {
        w.creating = false;
        return;
    }
    if (const UINT dpi = WindowDpi(w.hwnd); dpi != w.dpi) {
        w.dpi = dpi;
        r = CentredRect(spec, dpi);
        SetWindowPos(w.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // An elevated copy (it may run so, to write the machine-wide Run key) would otherwise never
    // hear that Explorer restarted: the broadcast comes from a lower integrity level.
    if (id == WindowId::MainWindow && taskbarCreated_)
        ChangeWindowMessageFilterEx(w.hwnd, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    SetWindowIcons(w);
    if (!spec.menu.empty()) RebuildMenu(w);
    BuildControls(w);

    Raise(w, {EventKind::Created});
    if (!w.hwnd || w.closing) {
        w.creating = false;
        if (w.hwnd) DestroyNow(w);
        return;
    }
    Raise(w, {EventKind::PositionChanged});
    w.creating = false;
    w.ready = true;
    if (!w.hwnd) return;
    WindowMoved(w);  // where later moves are measured from
    SetWindowTextW(w.hwnd, Wide(spec.caption).c_str());
    if (w.wantVisible) {
        ShowWindow(w.hwnd, w.minimisedRecorded ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
        w.minimisedRecorded = false;
        UpdateWindow(w.hwnd);
        if (spec.flags & kEscCloses) {  // the password windows take typing at once
            for (const ControlSpec& c : spec.controls)
                if (c.kind == ControlKind::Edit) SetFocus(Control(spec.id, c.id));
        }
    }
    if (modal) {
        DisableOthers(w);
        RunModalLoop(w);
    }
}

void Win32Ui::DisableOthers(Window& modal) {
    for (Window& other : windows_) {
        if (&other == &modal || !other.hwnd || !IsWindowEnabled(other.hwnd)) continue;
        EnableWindow(other.hwnd, FALSE);
        modal.disabled.push_back(other.hwnd);
    }
}

void Win32Ui::RunModalLoop(Window& w) {
    const HWND self = w.hwnd;
    MSG msg;
    while (w.hwnd == self && IsWindow(self)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
            break;
        }
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root && FromHwnd(root) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Ui::CloseWindow(WindowId id) {
    Window& w = W(id);
    if (!w.hwnd || w.closing) return;
    w.closing = true;
    PostMessageW(w.hwnd, kMsgDestroySelf, 0, 0);
}

void Win32Ui::DestroyNow(Window& w) {
    // Enabled first, so that activation returns to the windows the modal one disabled.
    for (HWND h : w.disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    w.disabled.clear();
    const HWND hwnd = w.hwnd;
    w.hwnd = nullptr;
    w.closing = false;
    w.ready = false;
    DestroyWindow(hwnd);
}

bool Win32Ui::IsOpen(WindowId id) {
    const Window& w = W(id);
    return w.hwnd && !w.closing;
}

std::string Win32Ui::Text(WindowId window, ControlId control) {
    const HWND h = Control(window, control);
    if (!h) {
        if (const MenuSpec* m = FindMenuItem(*W(window).spec, control)) return std::string(m->caption);
        return {};
    }
    const int n = GetWindowTextLengthW(h);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(h, text.data(), n + 1)));
    return Gbk(text);
}

void Win32Ui::SetText(WindowId window, ControlId control, std::string_view text) {
    const HWND h = Control(window, control);
    // The same text again is no change: the scheduler rewrites its status line every second,
    // and each real change costs a trip to the window server and a repaint.
    if (h && Text(window, control) != text) SetWindowTextW(h, Wide(text).c_str());
}

bool Win32Ui::Checked(WindowId window, ControlId control) {
    const HWND h = Control(window, control);
    return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Ui::SetChecked(WindowId window, ControlId control, bool checked) {
    if (const HWND h = Control(window, control))
        SendMessageW(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Ui::Visible(WindowId window, ControlId control) {
    Window& w = W(window);
    for (std::size_t i = 0; i < w.spec->menu.size(); ++i)
        if (w.spec->menu[i].id == control) return i < w.menuVisible.size() && w.menuVisible[i];
    // The style bit, not IsWindowVisible: a control of a hidden window is still "visible".
    const HWND h = Control(window, control);
    return h && (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Ui::SetVisible(WindowId window, ControlId control, bool visible) {
    Window& w = W(window);
    for (std::size_t i = 0; i < w.spec->menu.size(); ++i) {
        if (w.spec->menu[i].id != control || i >= w.menuVisible.size()) continue;
        if (w.menuVisible[i] == visible) return;
        w.menuVisible[i] = visible;
        if (w.hwnd) RebuildMenu(w);  // Win32 menus have no hidden items
        return;
    }
    const HWND h = Control(window, control);
    if (!h) return;
    ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
    const ControlSpec* c = FindControl(*w.spec, control);
    if (c && c->kind == ControlKind::Picture) {
        // A shown picture takes the whole window: the controls behind it must not be reached
        // by the keyboard either (Tab, Space, accelerators).
        for (const ControlSpec& other : w.spec->controls) {
            if (other.id == control || other.kind == ControlKind::Timer) continue;
            if (const HWND o = Control(window, other.id)) EnableWindow(o, !visible);
            if (other.flags & kSpin)
                if (const HWND spin = GetDlgItem(w.hwnd, other.id + kSpinIdOffset)) EnableWindow(spin, !visible);
        }
    }
}

bool Win32Ui::WindowVisible(WindowId window) {
    const Window& w = W(window);
    if (!w.hwnd) return false;
    if (w.creating) return w.wantVisible;
    return IsWindowVisible(w.hwnd) != FALSE;
}

void Win32Ui::SetWindowVisible(WindowId window, bool visible) {
    Window& w = W(window);
    if (!w.hwnd) return;
    if (w.creating) {  // the first show comes when OpenWindow has raised its events
        w.wantVisible = visible;
        return;
    }
    if (visible && w.minimisedRecorded) {
        // Never shown yet: appears in the normal state.
        w.minimisedRecorded = false;
        ShowWindow(w.hwnd, SW_SHOWNORMAL);
        return;
    }
    ShowWindow(w.hwnd, visible ? SW_SHOW : SW_HIDE);
}

WindowState Win32Ui::State(WindowId window) {
    const Window& w = W(window);
    if (!w.hwnd) return WindowState::Normal;
    if (w.minimisedRecorded || IsIconic(w.hwnd)) return WindowState::Minimised;
    if (IsZoomed(w.hwnd)) return WindowState::Maximised;
    return WindowState::Normal;
}

void Win32Ui::SetState(WindowId window, WindowState state) {
    Window& w = W(window);
    if (!w.hwnd) return;
    const bool shown = IsWindowVisible(w.hwnd) != FALSE;
    if (state == WindowState::Minimised) {
        if (w.creating || (!shown && !IsIconic(w.hwnd))) w.minimisedRecorded = true;
        else ShowWindow(w.hwnd, SW_MINIMIZE);
        return;
    }
    w.minimisedRecorded = false;
    if (!shown) return;
    ShowWindow(w.hwnd, state == WindowState::Maximised ? SW_MAXIMIZE : SW_RESTORE);
    SetForegroundWindow(w.hwnd);
}

// Sizes cross the interface in layout units and are scaled here, at the edge.
int Win32Ui::OuterWidth(WindowId window) {
    RECT r{};
    if (const HWND h = W(window).hwnd) GetWindowRect(h, &r);
    return ToUnits(r.right - r.left, W(window).dpi);
}

int Win32Ui::OuterHeight(WindowId window) {
    RECT r{};
    if (const HWND h = W(window).hwnd) GetWindowRect(h, &r);
    return ToUnits(r.bottom - r.top, W(window).dpi);
}

void Win32Ui::SetOuterWidth(WindowId window, int width) {
    const Window& w = W(window);
    if (!w.hwnd) return;
    RECT r;
    GetWindowRect(w.hwnd, &r);
    SetWindowPos(w.hwnd, nullptr, 0, 0, ToPixels(width, w.dpi), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::SetOuterHeight(WindowId window, int height) {
    const Window& w = W(window);
    if (!w.hwnd) return;
    RECT r;
    GetWindowRect(w.hwnd, &r);
    SetWindowPos(w.hwnd, nullptr, 0, 0, r.right - r.left, ToPixels(height, w.dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::SetTimerPeriod(WindowId window, ControlId timer, int milliseconds) {
    Window& w = W(window);
    if (!w.hwnd) return;
    for (std::size_t i = 0; i < w.spec->controls.size(); ++i) {
        if (w.spec->controls[i].id != timer) continue;
        const int period = milliseconds > 0 ? milliseconds : 0;
        if (period > 0 && period == w.timerPeriods[i]) return;
        w.timerPeriods[i] = period;
        if (period > 0) SetTimer(w.hwnd, static_cast<UINT_PTR>(timer), static_cast<UINT>(period), nullptr);
        else KillTimer(w.hwnd, static_cast<UINT_PTR>(timer));
        return;
    }
}

void Win32Ui::ShowMessageBox(std::string_view text, MessageKind kind, std::string_view caption) {
    UINT type = MB_OK | MB_TASKMODAL;
    switch (kind) {
    case MessageKind::Information: type |= MB_ICONINFORMATION; break;
    case MessageKind::Warning: type |= MB_ICONWARNING; break;
    case MessageKind::Error: type |= MB_ICONERROR; break;
    case MessageKind::Plain: break;
    }
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), type);
}

void Win32Ui::EndProgram() {
    RemoveTrayIcon();  // no ghost icon left behind
    ExitProcess(0);
}

void Win32Ui::RequestClose(Window& w) {
    if (w.closing) return;
    if (Raise(w, {EventKind::CanBeClosed}) && w.hwnd) CloseWindow(w.spec->id);
}

LRESULT CALLBACK Win32Ui::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        EnableNonClientScaling(hwnd);
    }
    auto* self = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    Window* w = self ? self->FromHwnd(hwnd) : nullptr;
    if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->OnMessage(*w, msg, wp, lp);
}

LRESULT Win32Ui::OnMessage(Window& w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE: RequestClose(w); return 0;
    case WM_QUERYENDSESSION: return Raise(w, {EventKind::CanBeClosed}) ? TRUE : FALSE;
    case WM_MOVE:
        if (w.ready && !w.closing && WindowMoved(w)) Raise(w, {EventKind::PositionChanged});
        break;
    case WM_WINDOWPOSCHANGED: {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
        const LRESULT result = DefWindowProcW(w.hwnd, msg, wp, lp);  // its WM_MOVE comes first
        if (w.ready && !w.closing && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            Raise(w, {EventKind::VisibilityChanged, 0, (flags & SWP_SHOWWINDOW) ? 1 : 0});
        return result;
    }
    // What may move the wall clock under a program that sleeps until its next moment. Windows
    // sends all three to every top-level window, hidden ones too; the scheduler is MainWindow's.
    case WM_TIMECHANGE:
        if (w.spec->id == WindowId::MainWindow && w.ready) Raise(w, {EventKind::ClockChanged});
        return 0;
    case WM_SETTINGCHANGE:
        if (w.spec->id == WindowId::MainWindow && w.ready && NamesClockSetting(lp))
            Raise(w, {EventKind::ClockChanged});
        break;
    case WM_POWERBROADCAST:
        // After any resume the automatic one comes; the other follows when a user woke it.
        if (w.spec->id == WindowId::MainWindow && w.ready &&
            (wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND))
            Raise(w, {EventKind::ClockChanged});
        break;
    case WM_TIMER:
        if (wp == kTrayRetryTimer && w.spec->id == WindowId::MainWindow) {
            SyncTrayIcon();
        } else if (!w.closing) {
            Raise(w, {EventKind::Periodic, static_cast<ControlId>(wp)});
        }
        return 0;
    case WM_COMMAND: return OnCommand(w, wp, lp);
    case WM_DPICHANGED:  // Windows 8.1 on; Wine never sends it
        OnDpiChanged(w, LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->code == UDN_DELTAPOS) return OnSpin(w, *reinterpret_cast<const NMUPDOWN*>(lp));
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wp);
        const ControlSpec* c = FindControl(*w.spec, GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        SetTextColor(dc, c && (c->flags & kRedText) ? RGB(255, 0, 0) : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(faceBrush_);
    }
    case kMsgDestroySelf:
        if (w.closing) DestroyNow(w);
        return 0;
    case kMsgTray: OnTrayMessage(lp); return 0;
    default:
        if (msg == taskbarCreated_ && msg != 0) {
            // Sent to every top-level window; the icon is MainWindow's alone. Usually the shell
            // restarted and the icon is gone, but anyone can broadcast it while it is there.
            if (w.spec->id == WindowId::MainWindow) {
                trayAdded_ = false;
                SyncTrayIcon();
            }
            return 0;
        }
        break;
    }
    return DefWindowProcW(w.hwnd, msg, wp, lp);
}

bool Win32Ui::WindowMoved(Window& w) {
    RECT r{};
    GetWindowRect(w.hwnd, &r);
    const bool iconic = IsIconic(w.hwnd) != FALSE;
    if (r.left == w.origin.x && r.top == w.origin.y && iconic == w.iconic) return false;
    w.origin = {r.left, r.top};
    w.iconic = iconic;
    return true;
}

// Another program can post any WM_COMMAND. A menu command counts only for an item the user could
// have chosen: visible, under a menu-bar entry that is visible too, or under the entry whose items
// also pop up over the tray icon (in lock mode the bar is empty and only those are offered).
bool Win32Ui::MenuItemChoosable(const Window& w, ControlId id) const {
    auto shown = [&w](ControlId item) {
        for (std::size_t i = 0; i < w.spec->menu.size() && i < w.menuVisible.size(); ++i)
            if (w.spec->menu[i].id == item) return static_cast<bool>(w.menuVisible[i]);
        return false;
    };
    const MenuSpec* m = FindMenuItem(*w.spec, id);
    if (!m || m->parent == 0 || !shown(id)) return false;
    return m->parent == w.spec->trayMenu || shown(m->parent);
}

// Likewise a control's command counts only while the control could have been clicked: hidden, or
// disabled behind the lock picture, it takes none.
bool Win32Ui::ControlReachable(const Window& w, ControlId id) const {
    const HWND h = Control(w.spec->id, id);
    return h && IsWindowEnabled(h) && (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE);
}

LRESULT Win32Ui::OnCommand(Window& w, WPARAM wp, LPARAM lp) {
    const int id = LOWORD(wp);
    if (id == IDCANCEL && lp == 0 && HIWORD(wp) == 0) {  // Esc through the dialog keyboard interface
        if (w.spec->flags & kEscCloses) RequestClose(w);
        return 0;
    }
    if (id == IDOK && lp == 0) return 0;  // Enter: no default button anywhere
    if (w.closing) return 0;
    if (lp == 0 && HIWORD(wp) == 0) {
        if (MenuItemChoosable(w, id)) Raise(w, {EventKind::Selected, id});
        return 0;
    }
    const ControlSpec* c = FindControl(*w.spec, id);
    if (c && c->kind == ControlKind::Button && HIWORD(wp) == BN_CLICKED && ControlReachable(w, id))
        Raise(w, {EventKind::Clicked, id});
    return 0;
}

}  // namespace sut::win32
