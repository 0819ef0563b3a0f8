// The Win32 backend in-process: menus (another process cannot read them under Wine), the edit
// boxes' typing rules, the spin arrows, and window properties.
#include <gtest/gtest.h>

#include <vector>

#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Ui.h"

namespace sut::win32 {
namespace {

using namespace mainwnd;

struct RecordingSink final : EventSink {
    std::vector<std::pair<WindowId, Event>> events;
    bool Handle(WindowId window, const Event& event) override {
        events.push_back({window, event});
        return true;
    }
};

std::vector<std::string> MenuCaptions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        captions.push_back(text[0] ? Gbk(text) : "-");
    }
    return captions;
}

struct Backend : ::testing::Test {
    Win32Ui ui{GetModuleHandleW(nullptr)};
    RecordingSink sink;
    Backend() { ui.Attach(sink); }
    HWND Main() {
        if (!ui.IsOpen(WindowId::MainWindow)) ui.OpenWindow(WindowId::MainWindow, false);
        return ui.Handle(WindowId::MainWindow);
    }
};

TEST_F(Backend, MenuBarShowsOnlyVisibleItemsAndFollowsVisibilityChanges) {
    HWND main = Main();
    HMENU bar = GetMenu(main);
    EXPECT_EQ(MenuCaptions(bar), (std::vector<std::string>{"文件", "设置", "帮助"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 0)), (std::vector<std::string>{"锁定", "退出"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 1)),
              (std::vector<std::string>{"设置软件启动密码", "设置软件锁定密码", "设置软件退出密码"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 2)), (std::vector<std::string>{"关于"}));

    ui.SetVisible(WindowId::MainWindow, 清除软件启动密码, true);
    ui.SetVisible(WindowId::MainWindow, 设置软件启动密码, false);
    ui.SetVisible(WindowId::MainWindow, 解锁, true);
    bar = GetMenu(main);
    EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 0)), (std::vector<std::string>{"锁定", "解锁", "退出"}));
    EXPECT_EQ(MenuCaptions(GetSubMenu(bar, 1)),
              (std::vector<std::string>{"清除软件启动密码", "设置软件锁定密码", "设置软件退出密码"}));
    EXPECT_TRUE(ui.Visible(WindowId::MainWindow, 清除软件启动密码));
    EXPECT_FALSE(ui.Visible(WindowId::MainWindow, 设置软件启动密码));

    for (ControlId entry : {文件, 设置, 帮助}) ui.SetVisible(WindowId::MainWindow, entry, false);
    EXPECT_EQ(GetMenuItemCount(GetMenu(main)), 0);
    ui.SetVisible(WindowId::MainWindow, 帮助, true);
    EXPECT_EQ(MenuCaptions(GetMenu(main)), (std::vector<std::string>{"帮助"}));
}

TEST_F(Backend, CommandsBecomeEventsAndCreationComesFirst) {
    HWND main = Main();
    ASSERT_GE(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].second.kind, EventKind::Created);
    EXPECT_EQ(sink.events[1].second.kind, EventKind::PositionChanged);
    sink.events.clear();
    SendMessageW(main, WM_COMMAND, 关于, 0);
    SendMessageW(GetDlgItem(main, 保存), BM_CLICK, 0, 0);
    SendMessageW(main, WM_COMMAND, IDCANCEL, 0);  // Esc: nothing for the main window
    SendMessageW(main, WM_COMMAND, 解锁, 0);        // hidden: nobody can choose it
    SendMessageW(main, WM_COMMAND, 文件, 0);        // a menu-bar entry is no command
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[0].second.kind, EventKind::Selected);
    EXPECT_EQ(sink.events[0].second.control, 关于);
    EXPECT_EQ(sink.events[1].second.kind, EventKind::Clicked);
    EXPECT_EQ(sink.events[1].second.control, 保存);
}

TEST_F(Backend, PropertiesReadBackWhatWasWritten) {
    Main();
    const WindowId w = WindowId::MainWindow;
    ui.SetText(w, 标签7, "关机时间为21:00:00");
    EXPECT_EQ(ui.Text(w, 标签7), "关机时间为21:00:00");
    ui.SetChecked(w, 选择框3, true);
    EXPECT_TRUE(ui.Checked(w, 选择框3));
    EXPECT_TRUE(ui.Checked(w, 单选框1));
    EXPECT_FALSE(ui.Visible(w, 图片框1));
    ui.SetVisible(w, 图片框1, true);
    EXPECT_TRUE(ui.Visible(w, 图片框1));
    ui.SetOuterHeight(w, 210);
    ui.SetOuterWidth(w, 248);
    EXPECT_EQ(ui.OuterWidth(w), 248);
    EXPECT_EQ(ui.OuterHeight(w), 210);
    ui.SetWindowVisible(w, false);
    EXPECT_FALSE(ui.WindowVisible(w));
    EXPECT_TRUE(ui.Visible(w, 图片框1));  // a control keeps its own visibility in a hidden window
}

TEST_F(Backend, DigitBoxesIgnoreOtherCharactersAndSpinArrowsWrap) {
    HWND main = Main();
    HWND hour = GetDlgItem(main, 编辑框1);
    SetWindowTextW(hour, L"");
    for (wchar_t ch : std::wstring(L"2x-3 ")) SendMessageW(hour, WM_CHAR, ch, 0);
    EXPECT_EQ(ui.Text(WindowId::MainWindow, 编辑框1), "2-3");

    SetWindowTextW(hour, L"23");
    NMUPDOWN up{};
    up.hdr.hwndFrom = GetDlgItem(main, 编辑框1 + kSpinIdOffset);
    up.hdr.idFrom = 编辑框1 + kSpinIdOffset;
    up.hdr.code = UDN_DELTAPOS;
    up.iDelta = 1;
    SendMessageW(main, WM_NOTIFY, up.hdr.idFrom, reinterpret_cast<LPARAM>(&up));
    EXPECT_EQ(ui.Text(WindowId::MainWindow, 编辑框1), "0");
    up.iDelta = -1;
    SendMessageW(main, WM_NOTIFY, up.hdr.idFrom, reinterpret_cast<LPARAM>(&up));
    EXPECT_EQ(ui.Text(WindowId::MainWindow, 编辑框1), "23");
    DWORD start = 1, end = 0;
    SendMessageW(hour, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
}

TEST_F(Backend, PasswordBoxesCountGbkBytesAndRefuseCharactersWithoutAGbkForm) {
    Main();
    const WindowId set = WindowId::SetLockPasswordWindow;
    ui.OpenWindow(set, false);
    HWND edit = GetDlgItem(ui.Handle(set), passwordwnd::编辑框1);
    ASSERT_TRUE(edit);
    EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    // Seven Chinese characters are 14 bytes; an eighth would make 16, a ninth 18.
    for (wchar_t ch : std::wstring(L"一二三四五六七八九")) SendMessageW(edit, WM_CHAR, ch, 0);
    EXPECT_EQ(ui.Text(set, passwordwnd::编辑框1), "一二三四五六七八");
    SetWindowTextW(edit, L"");
    for (wchar_t ch : std::wstring(L"ab\xD83D\xDE00" L"c\x0E01")) SendMessageW(edit, WM_CHAR, ch, 0);
    EXPECT_EQ(ui.Text(set, passwordwnd::编辑框1), "abc");  // an emoji and a Thai letter refused
    SetWindowTextW(edit, L"");
    for (wchar_t ch : std::wstring(L"0123456789abcdefXYZ")) SendMessageW(edit, WM_CHAR, ch, 0);
    EXPECT_EQ(ui.Text(set, passwordwnd::编辑框1), "0123456789abcdef");
    ui.CloseWindow(set);
}

TEST_F(Backend, TimersTickAsPeriodicEvents) {
    HWND main = Main();
    sink.events.clear();
    ui.SetTimerPeriod(WindowId::MainWindow, 时钟1, 10);
    MSG msg;
    const ULONGLONG end = GetTickCount64() + 2000;
    bool ticked = false;
    while (!ticked && GetTickCount64() < end) {
        if (PeekMessageW(&msg, main, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
        for (auto& [w, e] : sink.events) ticked = ticked || (e.kind == EventKind::Periodic && e.control == 时钟1);
        Sleep(1);
    }
    EXPECT_TRUE(ticked);
    ui.SetTimerPeriod(WindowId::MainWindow, 时钟1, 0);
}

// While a modal window is open its caller waits, the other windows are disabled and timers
// still tick; CloseWindow ends the wait and enables them again.
TEST(BackendModal, NestedLoopKeepsTimersAndDisablesTheOtherWindows) {
    struct ModalSink final : EventSink {
        Win32Ui* ui = nullptr;
        int ticksWhileModal = 0;
        bool mainDisabled = true;
        bool Handle(WindowId window, const Event& e) override {
            if (window == WindowId::MainWindow && e.kind == EventKind::Periodic &&
                ui->IsOpen(WindowId::ExitPasswordPrompt)) {
                mainDisabled = mainDisabled && !IsWindowEnabled(ui->Handle(WindowId::MainWindow));
                if (++ticksWhileModal == 3) ui->CloseWindow(WindowId::ExitPasswordPrompt);
            }
            return true;
        }
    } sink;
    Win32Ui ui{GetModuleHandleW(nullptr)};
    sink.ui = &ui;
    ui.Attach(sink);
    ui.OpenWindow(WindowId::MainWindow, false);
    ui.SetTimerPeriod(WindowId::MainWindow, 时钟1, 20);
    ui.OpenWindow(WindowId::ExitPasswordPrompt, true);  // returns once the third tick closed it
    EXPECT_EQ(sink.ticksWhileModal, 3);
    EXPECT_TRUE(sink.mainDisabled);
    EXPECT_FALSE(ui.IsOpen(WindowId::ExitPasswordPrompt));
    EXPECT_TRUE(IsWindowEnabled(ui.Handle(WindowId::MainWindow)));
    ui.SetTimerPeriod(WindowId::MainWindow, 时钟1, 0);
}

// Esc in a password window is a close request; Enter does nothing.
TEST(BackendModal, EscRequestsCloseInPasswordWindowsOnly) {
    struct CloseSink final : EventSink {
        std::vector<WindowId> asked;
        bool Handle(WindowId window, const Event& e) override {
            if (e.kind == EventKind::CanBeClosed) asked.push_back(window);
            return true;
        }
    } sink;
    Win32Ui ui{GetModuleHandleW(nullptr)};
    ui.Attach(sink);
    ui.OpenWindow(WindowId::MainWindow, false);
    ui.OpenWindow(WindowId::UnlockPrompt, false);
    SendMessageW(ui.Handle(WindowId::UnlockPrompt), WM_COMMAND, IDOK, 0);
    SendMessageW(ui.Handle(WindowId::MainWindow), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(sink.asked.empty());
    SendMessageW(ui.Handle(WindowId::UnlockPrompt), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(sink.asked, std::vector<WindowId>{WindowId::UnlockPrompt});
    EXPECT_FALSE(ui.IsOpen(WindowId::UnlockPrompt));
}

}  // namespace
}  // namespace sut::win32
