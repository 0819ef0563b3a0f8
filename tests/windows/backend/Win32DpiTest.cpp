// The backend at the display's scale: each window is its layout scaled by dpi / 96 (sizes,
// centring, every control, fonts, icons), no caption is cut, and a move to a display of another
// scale lays the window out again. The suite runs at 96 dpi with the others; scripts/test runs
// these cases again in prefixes of 120, 144 and 192 dpi (tests/windows/AtDpi.sh), which name
// their dpi in SUTREMO_DPI.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "app/Layouts.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Ui.h"
#include "schedule/ReminderLayout.h"

namespace sut::win32 {
namespace {

struct NoSink final : EventSink {
    bool Handle(WindowId, const Event&) override { return true; }
};

UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// Layout units in pixels at a dpi, rounded to the nearest.
int Px(int units, UINT dpi) { return MulDiv(units, static_cast<int>(dpi), 96); }

RECT InParentClient(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at " << actual.left << "," << actual.top << " size " << actual.right - actual.left
           << "x" << actual.bottom - actual.top << ", expected at " << expected.left << ","
           << expected.top << " size " << expected.right - expected.left << "x"
           << expected.bottom - expected.top;
}

// Where the layout puts a control at a dpi: each figure scaled on its own.
RECT Expected(const WindowSpec& spec, const ControlSpec& c, UINT dpi) {
    const Point at = ClientPosition(spec, c);
    const int x = Px(at.x, dpi), y = Px(at.y, dpi);
    return {x, y, x + Px(c.width, dpi), y + Px(c.height, dpi)};
}

SIZE IconSize(HWND window, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

// Every figure of the window that the dpi scales, checked against its layout.
void ExpectLaidOutAt(HWND window, const WindowSpec& spec, UINT dpi) {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, spec.controls[0].id), WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    // The prefix's default GUI font is 12 pixels high at 96 dpi.
    EXPECT_EQ(std::abs(lf.lfHeight), Px(12, dpi)) << "font height";
    EXPECT_EQ(IconSize(window, ICON_SMALL).cx, Px(16, dpi)) << "small icon";
    EXPECT_EQ(IconSize(window, ICON_BIG).cx, Px(32, dpi)) << "big icon";

    RECT client;
    GetClientRect(window, &client);
    for (const ControlSpec& c : spec.controls) {
        if (c.kind == ControlKind::Timer) continue;
        SCOPED_TRACE(std::string(c.name));
        const HWND h = GetDlgItem(window, c.id);
        ASSERT_TRUE(h);
        const RECT r = InParentClient(h);
        EXPECT_TRUE(SameRect(r, Expected(spec, c, dpi)));
        // Whole: inside the client area, but for the picture, which is meant to spill over and
        // has no text.
        if (c.kind != ControlKind::Picture) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), font);
            EXPECT_LE(r.right, client.right);
            EXPECT_LE(r.bottom, client.bottom);
        }
        if (c.flags & kSpin) {  // directly right of its box, as high, 18 units wide
            const RECT spin = InParentClient(GetDlgItem(window, c.id + kSpinIdOffset));
            EXPECT_TRUE(SameRect(spin, {r.right, r.top, r.right + Px(18, dpi), r.bottom}));
            EXPECT_LE(spin.right, client.right);
        }
    }
}

struct BackendDpi : ::testing::Test {
    Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
    NoSink sink;
    const UINT dpi = ScreenDpi();
    BackendDpi() { ui.Attach(sink); }
};

// Without this the other cases could pass at the wrong scale.
TEST_F(BackendDpi, TheDisplayHasTheDpiOfItsPrefix) {
    const char* asked = std::getenv("SUTREMO_DPI");
    EXPECT_EQ(dpi, asked ? static_cast<UINT>(std::atoi(asked)) : 96u);
}

// What Windows reads from the manifest (this program carries the same one) decides whether it
// stretches the program's windows: a wrong namespace or name would leave it unaware, unseen under
// Wine, which never stretches.
TEST(BackendDpiManifest, DeclaresPerMonitorAwarenessWithTheOlderFormsToFallBackOn) {
    struct Setting {
        const wchar_t* space;
        const wchar_t* name;
        const wchar_t* value;
    };
    const Setting settings[] = {
        // Windows 10 1703 on: v2, else v1 (1607).
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"PerMonitorV2, PerMonitor"},
        // Windows 8.1: per-monitor; Windows 7 and 8: system-aware.
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
    };
    for (const Setting& s : settings) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr, s.space, s.name, value, std::size(value), &written)) << s.name;
        EXPECT_STREQ(value, s.value);
    }
}

TEST_F(BackendDpi, EveryWindowIsItsLayoutScaledAndCentred) {
    for (int i = 0; i < static_cast<int>(WindowId::Count); ++i) {
        const auto id = static_cast<WindowId>(i);
        const WindowSpec& spec = LayoutOf(id);
        SCOPED_TRACE(std::string(spec.name));
        ui.OpenWindow(id, false);
        const HWND window = ui.Handle(id);
        ASSERT_TRUE(window);
        RECT r;
        GetWindowRect(window, &r);
        const int width = Px(spec.width, dpi), height = Px(spec.height, dpi);
        const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        EXPECT_TRUE(SameRect(r, {left, top, left + width, top + height}));
        // The handlers keep speaking layout units.
        EXPECT_EQ(ui.OuterWidth(id), spec.width);
        EXPECT_EQ(ui.OuterHeight(id), spec.height);
        ExpectLaidOutAt(window, spec, dpi);
        ui.CloseWindow(id);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

// Each text measured with the control's own font against the room the control gives it: the
// layout's captions, and the longest texts that the program writes into its labels later.
TEST_F(BackendDpi, NoTextIsWiderOrTallerThanItsControl) {
    struct Text {
        WindowId window;
        ControlId control;
        const char* text;  // nullptr: the caption of the layout
    };
    std::vector<Text> texts;
    for (int i = 0; i < static_cast<int>(WindowId::Count); ++i)
        for (const ControlSpec& c : LayoutOf(static_cast<WindowId>(i)).controls)
            if (!c.caption.empty()) texts.push_back({static_cast<WindowId>(i), c.id, nullptr});
    const Text later[] = {
        {WindowId::MainWindow, mainwnd::标签2, "2024年12月31日23时59分59秒星期三"},
        {WindowId::MainWindow, mainwnd::标签7, "关机时间为23:59:59"},
        {WindowId::MainWindow, mainwnd::应用, "关闭自动关机"},
        {WindowId::ReminderWindow, reminderwnd::标签1, "离关机还有59秒"},
        {WindowId::MainWindow, mainwnd::编辑框1, "23"},
        {WindowId::MainWindow, mainwnd::编辑框2, "59"},
        {WindowId::MainWindow, mainwnd::编辑框3, "59"},
        {WindowId::MainWindow, mainwnd::编辑框4, "59"},
    };
    texts.insert(texts.end(), std::begin(later), std::end(later));

    const HDC dc = GetDC(nullptr);
    for (const Text& t : texts) {
        const WindowSpec& spec = LayoutOf(t.window);
        const ControlSpec& c = *FindControl(spec, t.control);
        const std::string text = t.text ? t.text : std::string(c.caption);
        SCOPED_TRACE(std::string(spec.name) + " " + std::string(c.name) + " \"" + text + "\"");
        ui.OpenWindow(t.window, false);
        const HWND h = GetDlgItem(ui.Handle(t.window), t.control);
        ASSERT_TRUE(h);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        const std::wstring wide = Wide(text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        // What is seen ends where the last character's ink ends: a full-width "：" or "。" leaves
        // blank the right part of its cell, which the layout lets a few controls cut at 96 dpi.
        ABC last{};
        if (GetCharABCWidthsW(dc, wide.back(), wide.back(), &last) && last.abcC > 0) extent.cx -= last.abcC;
        SelectObject(dc, old);
        RECT room;
        GetClientRect(h, &room);
        switch (c.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: room.left += Px(16, dpi); break;  // the box and its gap
        case ControlKind::Button: InflateRect(&room, -Px(3, dpi), -Px(3, dpi)); break;  // the edge
        case ControlKind::GroupBox: room.left += Px(8, dpi); break;  // the caption's indent
        case ControlKind::Edit: SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room)); break;
        default: break;
        }
        EXPECT_LE(extent.cx, room.right - room.left) << "too wide";
        if (c.kind != ControlKind::GroupBox) EXPECT_LE(extent.cy, room.bottom - room.top) << "too tall";
    }
    ReleaseDC(nullptr, dc);
}

// The lock's two sizes, set as the handlers set them: the top-left corner stays, and the picture
// covers the whole client area of the small window.
TEST_F(BackendDpi, LockedViewKeepsItsCornerAndThePictureCoversIt) {
    const WindowId main = WindowId::MainWindow;
    ui.OpenWindow(main, false);
    const HWND window = ui.Handle(main);
    RECT before;
    GetWindowRect(window, &before);
    ui.SetOuterHeight(main, 210);
    ui.SetOuterWidth(main, 248);
    ui.SetVisible(main, mainwnd::图片框1, true);
    for (ControlId entry : {mainwnd::文件, mainwnd::设置, mainwnd::帮助}) ui.SetVisible(main, entry, false);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_TRUE(SameRect(r, {before.left, before.top, before.left + Px(248, dpi), before.top + Px(210, dpi)}));
    EXPECT_EQ(ui.OuterWidth(main), 248);
    EXPECT_EQ(ui.OuterHeight(main), 210);
    RECT client, picture = InParentClient(GetDlgItem(window, mainwnd::图片框1));
    GetClientRect(window, &client);
    RECT covered;
    IntersectRect(&covered, &client, &picture);
    EXPECT_TRUE(SameRect(covered, client));

    ui.SetOuterHeight(main, 346);
    ui.SetOuterWidth(main, 430);
    GetWindowRect(window, &r);
    EXPECT_TRUE(SameRect(r, {before.left, before.top, before.right, before.bottom}));
}

// Windows sends WM_DPICHANGED when a window moves to a display of another scale; Wine, with one
// scale for all, never does, so the test sends it.
TEST_F(BackendDpi, AMoveToAnotherScaleTakesTheSuggestedRectangleAndLaysOutAgain) {
    const WindowId main = WindowId::MainWindow;
    const WindowSpec& spec = LayoutOf(main);
    ui.OpenWindow(main, false);
    const HWND window = ui.Handle(main);
    RECT home;
    GetWindowRect(window, &home);
    // To 192 dpi, or from there to 144: under Wine the title and menu bars keep the system dpi,
    // so a move to a smaller scale would leave them too high for the client area to hold all.
    const UINT other = dpi < 192 ? 192 : 144;
    const RECT suggested{40, 30, 40 + Px(430, other), 30 + Px(346, other)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_TRUE(SameRect(r, suggested));
    EXPECT_EQ(ui.OuterWidth(main), 430);
    EXPECT_EQ(ui.OuterHeight(main), 346);
    {
        SCOPED_TRACE("moved");
        ExpectLaidOutAt(window, spec, other);
    }
    // And back: as it was.
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&home));
    GetWindowRect(window, &r);
    EXPECT_TRUE(SameRect(r, home));
    SCOPED_TRACE("back");
    ExpectLaidOutAt(window, spec, dpi);
}

}  // namespace
}  // namespace sut::win32
