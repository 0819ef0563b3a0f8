// Controls and menus built from the layout tables, the typing rules of the edit boxes, the spin
// arrows and the picture box.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/Spin.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Ui.h"
#include "resource.h"

namespace sut::win32 {
namespace {

constexpr UINT_PTR kEditSubclassId = 1;
constexpr int kSpinWidth = 18;  // layout units

// A control's rectangle in the window's client area at a dpi. Each coordinate and size is scaled
// on its own, so that controls of one size in the layout stay of one size on the screen.
RECT PixelRect(const WindowSpec& spec, const ControlSpec& c, UINT dpi) {
    const Point at = ClientPosition(spec, c);
    const int x = ToPixels(at.x, dpi), y = ToPixels(at.y, dpi);
    return {x, y, x + ToPixels(c.width, dpi), y + ToPixels(c.height, dpi)};
}

// Table order is topmost first, but a group box belongs below the controls it holds.
std::vector<const ControlSpec*> StackingOrder(const WindowSpec& spec) {
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& c : spec.controls) {
        if (c.parent != 0) continue;
        if (c.kind == ControlKind::GroupBox)
            for (const ControlSpec& child : spec.controls)
                if (child.parent == c.id) order.push_back(&child);
        order.push_back(&c);
    }
    return order;
}

struct ClassAndStyle {
    const wchar_t* cls;
    DWORD style;
};

ClassAndStyle ClassOf(const ControlSpec& c, bool firstRadioOfRun) {
    switch (c.kind) {
    // No word wrap: a label a few pixels short of its text keeps it on its one line.
    case ControlKind::Label: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case ControlKind::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | BS_VCENTER | WS_TABSTOP | WS_GROUP};
    case ControlKind::RadioButton:
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | BS_VCENTER | (firstRadioOfRun ? WS_GROUP | WS_TABSTOP : 0))};
    case ControlKind::GroupBox: return {L"BUTTON", BS_GROUPBOX | WS_GROUP};
    case ControlKind::Edit:
        return {L"EDIT", static_cast<DWORD>(WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP |
                             ((c.flags & kPassword) ? ES_PASSWORD : 0))};
    case ControlKind::Picture: return {L"SutremoPicture", 0};
    case ControlKind::Timer: break;
    }
    return {nullptr, 0};
}

// GBK bytes of the text that would stand in the box once `typed` replaced the selection.
std::size_t BytesAfterTyping(HWND edit, std::wstring_view typed) {
    const int n = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), n + 1)));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > text.size()) start = static_cast<DWORD>(text.size());
    if (end > text.size()) end = static_cast<DWORD>(text.size());
    text.replace(start, end - start, typed);
    return Gbk(text).size();
}

// Pasted text for a byte-limited box: characters without a GBK form dropped, then cut so that
// the box stays within its limit.
std::wstring FitPaste(HWND edit, std::wstring pasted, const ControlSpec& c) {
    std::wstring kept;
    for (wchar_t ch : pasted) {
        if (ch < 0x20) continue;
        std::wstring one(1, ch);
        if (!RepresentableInGbk(one)) continue;
        if (c.maxBytes > 0 && BytesAfterTyping(edit, kept + one) > static_cast<std::size_t>(c.maxBytes))
            break;
        kept += one;
    }
    return kept;
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The box's text brought within its rules: characters without a GBK form dropped, then cut to
// the byte limit. Runs after every input message, so that no path (a paste by Shift+Insert or
// the context menu, an input method, undo) can leave '?'-bound characters or too many bytes.
void EnforceTextRules(HWND edit, const ControlSpec& c) {
    const int n = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), n + 1)));
    std::wstring kept;
    std::size_t bytes = 0;
    for (wchar_t ch : text) {
        const std::wstring one(1, ch);
        if (!RepresentableInGbk(one)) continue;
        const std::size_t width = Gbk(one).size();
        if (c.maxBytes > 0 && bytes + width > static_cast<std::size_t>(c.maxBytes)) break;
        bytes += width;
        kept += ch;
    }
    if (kept == text) return;
    SetWindowTextW(edit, kept.c_str());
    SendMessageW(edit, EM_SETSEL, kept.size(), kept.size());
}

bool IsInputMessage(UINT msg) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: return true;
    default: return false;
    }
}

LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    const auto& c = *reinterpret_cast<const ControlSpec*>(ref);
    const bool guarded = (c.flags & kPassword) || c.maxBytes > 0;
    if (msg == WM_CHAR) {
        const auto ch = static_cast<wchar_t>(wp);
        if ((c.flags & kDigitsOnly) && !AcceptsDigitBoxChar(ch)) return 0;
        if (guarded && ch >= 0x20) {
            // A character code page 936 cannot hold would be stored as '?'; surrogate halves of
            // an emoji fail this test one by one.
            const std::wstring typed(1, ch);
            if (!RepresentableInGbk(typed)) return 0;
            if (c.maxBytes > 0 && BytesAfterTyping(h, typed) > static_cast<std::size_t>(c.maxBytes))
                return 0;
        }
    } else if (msg == WM_PASTE && guarded) {
        const std::wstring text = FitPaste(h, ClipboardText(h), c);
        SendMessageW(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    const LRESULT result = DefSubclassProc(h, msg, wp, lp);
    if (guarded && IsInputMessage(msg)) EnforceTextRules(h, c);
    return result;
}

}  // namespace

void Win32Ui::BuildControls(Window& w) {
    const WindowSpec& spec = *w.spec;
    ControlKind previous = ControlKind::Timer;
    for (const ControlSpec* c : StackingOrder(spec)) {
        if (c->kind == ControlKind::Timer) continue;
        const auto [cls, kindStyle] = ClassOf(*c, previous != ControlKind::RadioButton);
        previous = c->kind;
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kindStyle;
        if (!(c->flags & kHidden)) style |= WS_VISIBLE;
        // Placed and sized by LayOutControls below.
        HWND h = CreateWindowExW(0, cls, Wide(c->caption).c_str(), style, 0, 0, 0, 0, w.hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id)), instance_, nullptr);
        if (!h) continue;
        w.controls[static_cast<std::size_t>(c - spec.controls.data())] = h;
        // Created in stacking order: each new one goes below those before it.
        SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if ((c->kind == ControlKind::RadioButton || c->kind == ControlKind::CheckBox) && (c->flags & kChecked))
            SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
        if (c->kind != ControlKind::Edit) continue;
        if (c->flags & kPassword) SendMessageW(h, EM_SETPASSWORDCHAR, L'*', 0);
        if (c->flags & (kDigitsOnly | kPassword) || c->maxBytes > 0)
            SetWindowSubclass(h, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(c));
        if (c->flags & kSpin) {
            HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                        0, 0, 0, 0, w.hwnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id + kSpinIdOffset)),
                                        instance_, nullptr);
            SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(c->spinMin), c->spinMax);
            SetWindowPos(spin, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    LayOutControls(w);
    for (std::size_t i = 0; i < spec.controls.size(); ++i) {
        const ControlSpec& c = spec.controls[i];
        if (c.kind == ControlKind::Timer && c.period > 0) {
            w.timerPeriods[i] = c.period;
            SetTimer(w.hwnd, static_cast<UINT_PTR>(c.id), static_cast<UINT>(c.period), nullptr);
        }
    }
}

void Win32Ui::LayOutControls(Window& w) {
    const WindowSpec& spec = *w.spec;
    const HFONT font = Font(w.dpi);
    for (const ControlSpec& c : spec.controls) {
        const HWND h = Control(spec.id, c.id);
        if (!h) continue;
        const RECT r = PixelRect(spec, c, w.dpi);
        SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (c.kind != ControlKind::Edit) continue;
        // A thin border and small margins: two digits must fit a box 20 units wide. Set after
        // the font, which resets them.
        const int margin = ToPixels(1, w.dpi);
        SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
        // The arrows sit directly right of the box, as high as it is. Sized again at each
        // layout: the control picks a width of its own when created.
        if (c.flags & kSpin)
            if (const HWND spin = GetDlgItem(w.hwnd, c.id + kSpinIdOffset))
                SetWindowPos(spin, nullptr, r.right, r.top, ToPixels(kSpinWidth, w.dpi), r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Ui::SetWindowIcons(Window& w) {
    const int small = ToPixels(16, w.dpi), big = ToPixels(32, w.dpi);
    SendMessageW(w.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon(w.spec->icon, big)));
    SendMessageW(w.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon(w.spec->icon, small)));
}

void Win32Ui::OnDpiChanged(Window& w, UINT dpi, const RECT& suggested) {
    if (dpi == 0) return;
    w.dpi = dpi;
    SetWindowPos(w.hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutControls(w);
    SetWindowIcons(w);
    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HFONT Win32Ui::Font(UINT dpi) {
    // The stock font is made for the system dpi (Windows makes it at the start of the session,
    // as Wine does): used as it is there, so that at that dpi nothing changes, and rescaled from
    // its height for a display of another scale.
    const UINT system = SystemDpi();
    if (dpi == system) return font_;
    for (const auto& [d, font] : scaledFonts_)
        if (d == dpi) return font;
    LOGFONTW lf{};
    if (!GetObjectW(font_, sizeof lf, &lf)) return font_;
    lf.lfHeight = MulDiv(lf.lfHeight, static_cast<int>(dpi), static_cast<int>(system));
    lf.lfWidth = MulDiv(lf.lfWidth, static_cast<int>(dpi), static_cast<int>(system));
    const HFONT font = CreateFontIndirectW(&lf);
    if (!font) return font_;
    scaledFonts_.push_back({dpi, font});
    return font;
}

LRESULT Win32Ui::OnSpin(Window& w, const NMUPDOWN& change) {
    const ControlId editId = static_cast<ControlId>(change.hdr.idFrom) - kSpinIdOffset;
    const ControlSpec* c = FindControl(*w.spec, editId);
    const HWND edit = Control(w.spec->id, editId);
    if (!c || !edit || !ControlReachable(w, editId)) return TRUE;
    const int delta = change.iDelta > 0 ? 1 : -1;  // the upper arrow counts up
    SetWindowTextW(edit, Wide(SpinStep(Text(w.spec->id, editId), delta, c->spinMin, c->spinMax)).c_str());
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return TRUE;  // the arrow keeps no position of its own
}

HMENU Win32Ui::BuildPopup(const Window& w, ControlId parent) const {
    HMENU popup = CreatePopupMenu();
    for (std::size_t i = 0; i < w.spec->menu.size(); ++i) {
        const MenuSpec& m = w.spec->menu[i];
        if (m.parent != parent || !w.menuVisible[i]) continue;
        if (m.caption.empty()) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        else AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(m.id), Wide(m.caption).c_str());
    }
    return popup;
}

void Win32Ui::RebuildMenu(Window& w) {
    HMENU bar = CreateMenu();
    for (std::size_t i = 0; i < w.spec->menu.size(); ++i) {
        const MenuSpec& m = w.spec->menu[i];
        if (m.parent != 0 || !w.menuVisible[i]) continue;
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPopup(w, m.id)),
                    Wide(m.caption).c_str());
    }
    HMENU old = GetMenu(w.hwnd);
    SetMenu(w.hwnd, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(w.hwnd);
}

LRESULT CALLBACK Win32Ui::PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        HWND parent = GetParent(hwnd);
        auto* self = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(parent, GWLP_USERDATA));
        // A hidden picture takes no press, whoever sends it.
        if (Window* w = self ? self->FromHwnd(parent) : nullptr)
            if (!w->closing && self->ControlReachable(*w, GetDlgCtrlID(hwnd)))
                self->Raise(*w, {EventKind::LeftButtonDown, GetDlgCtrlID(hwnd)});
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        HWND parent = GetParent(hwnd);
        auto* self = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(parent, GWLP_USERDATA));
        if (self && !self->picture_) {
            // Premultiplied once, as AlphaBlend wants it.
            self->picture_ = static_cast<HBITMAP>(LoadImageW(self->instance_, MAKEINTRESOURCEW(IDB_LOCK_PICTURE),
                                                             IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            DIBSECTION ds{};
            if (self->picture_ && GetObjectW(self->picture_, sizeof ds, &ds) == sizeof ds &&
                ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmBits) {
                auto* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
                const LONG pixels = ds.dsBm.bmWidth * ds.dsBm.bmHeight;
                bool anyAlpha = false;
                for (LONG i = 0; i < pixels; ++i) anyAlpha = anyAlpha || bits[i * 4 + 3] != 0;
                for (LONG i = 0; i < pixels; ++i) {
                    BYTE* px = bits + i * 4;
                    if (!anyAlpha) px[3] = 255;  // a plain 32-bit bitmap without alpha is opaque
                    for (int k = 0; k < 3; ++k) px[k] = static_cast<BYTE>(px[k] * px[3] / 255);
                }
            }
        }
        if (self && self->picture_) {
            BITMAP bm{};
            GetObjectW(self->picture_, sizeof bm, &bm);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, self->picture_);
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, 0, 0, r.right, r.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, blend);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace sut::win32
