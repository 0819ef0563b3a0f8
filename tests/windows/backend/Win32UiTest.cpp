// The Win32 backend in-process: menus (another process cannot read them under Wine), the edit
// boxes' typing rules, the spin arrows, and window properties.
#include <gtest/gtest.h>

#include <vector>

#include "app/Layouts.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Ui.h"
#include "support/ShellTray.h"

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

// Hands every message waiting for this thread to its window: what Windows delivers between
// windows arrives by the queue.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

struct Backend : ::testing::Test {
    Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
    RecordingSink sink;
    Backend() { ui.Attach(sink); }
    HWND Main() {
        if (!ui.IsOpen(WindowId::MainWindow)) ui.OpenWindow(WindowId::MainWindow, false);
        return ui.Handle(WindowId::MainWindow);
    }
    int Count(EventKind kind, ControlId control = 0) const {
        int n = 0;
        for (const auto& [w, e] : sink.events) n += e.kind == kind && e.control == control;
        return n;
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

// Another program can post any command. Only what the user could choose or click counts: in lock
// mode that is "解锁", "退出" (the tray's items) and the picture, nothing of "设置" or "帮助" and no
// control behind the picture.
TEST_F(Backend, CommandsCountOnlyForWhatTheUserCouldReach) {
    HWND main = Main();
    const WindowId w = WindowId::MainWindow;
    ui.SetVisible(w, 清除软件退出密码, true);  // an exit password is set
    ui.SetVisible(w, 设置软件退出密码, false);
    auto lock = [&](bool locked) {
        ui.SetVisible(w, 图片框1, locked);
        for (ControlId entry : {文件, 设置, 帮助}) ui.SetVisible(w, entry, !locked);
        ui.SetVisible(w, 解锁, locked);
        ui.SetVisible(w, 锁定, !locked);
    };
    struct Row {
        const char* what;
        bool locked;
        void (*send)(HWND main);
        EventKind kind;
        ControlId control;
        bool counts;
    };
    const Row rows[] = {
        {"locked: 解锁", true, [](HWND m) { SendMessageW(m, WM_COMMAND, 解锁, 0); }, EventKind::Selected, 解锁, true},
        {"locked: 退出", true, [](HWND m) { SendMessageW(m, WM_COMMAND, 退出, 0); }, EventKind::Selected, 退出, true},
        {"locked: 清除软件退出密码", true, [](HWND m) { SendMessageW(m, WM_COMMAND, 清除软件退出密码, 0); },
         EventKind::Selected, 清除软件退出密码, false},
        {"locked: 关于", true, [](HWND m) { SendMessageW(m, WM_COMMAND, 关于, 0); }, EventKind::Selected, 关于, false},
        {"locked: 锁定 (hidden)", true, [](HWND m) { SendMessageW(m, WM_COMMAND, 锁定, 0); }, EventKind::Selected, 锁定, false},
        {"locked: 保存 clicked", true, [](HWND m) { SendMessageW(GetDlgItem(m, 保存), BM_CLICK, 0, 0); },
         EventKind::Clicked, 保存, false},
        {"locked: 应用's command", true,
         [](HWND m) { SendMessageW(m, WM_COMMAND, MAKEWPARAM(应用, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(m, 应用))); },
         EventKind::Clicked, 应用, false},
        {"locked: the picture pressed", true,
         [](HWND m) { SendMessageW(GetDlgItem(m, 图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0); },
         EventKind::LeftButtonDown, 图片框1, true},
        {"unlocked: 清除软件退出密码", false, [](HWND m) { SendMessageW(m, WM_COMMAND, 清除软件退出密码, 0); },
         EventKind::Selected, 清除软件退出密码, true},
        {"unlocked: 关于", false, [](HWND m) { SendMessageW(m, WM_COMMAND, 关于, 0); }, EventKind::Selected, 关于, true},
        {"unlocked: 保存 clicked", false, [](HWND m) { SendMessageW(GetDlgItem(m, 保存), BM_CLICK, 0, 0); },
         EventKind::Clicked, 保存, true},
        {"unlocked: the hidden picture pressed", false,
         [](HWND m) { SendMessageW(GetDlgItem(m, 图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0); },
         EventKind::LeftButtonDown, 图片框1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        lock(row.locked);
        sink.events.clear();
        row.send(main);
        EXPECT_EQ(Count(row.kind, row.control), row.counts ? 1 : 0);
    }
}

// PositionChanged means the window moved (minimising and restoring included), not that its
// client area moved inside it, as it does when the menu bar changes.
TEST_F(Backend, OnlyAMoveOfTheWindowRaisesPositionChanged) {
    HWND main = Main();
    const WindowId w = WindowId::MainWindow;
    auto moves = [&](void (*act)(Win32Ui& ui, HWND main)) {
        Pump();
        sink.events.clear();
        act(ui, main);
        Pump();
        return Count(EventKind::PositionChanged);
    };
    EXPECT_EQ(moves([](Win32Ui& ui, HWND) {
                  for (ControlId entry : {文件, 设置, 帮助}) ui.SetVisible(WindowId::MainWindow, entry, false);
              }),
              0);
    EXPECT_EQ(moves([](Win32Ui& ui, HWND) {
                  ui.SetOuterHeight(WindowId::MainWindow, 210);
                  ui.SetOuterWidth(WindowId::MainWindow, 248);
              }),
              0);
    EXPECT_EQ(moves([](Win32Ui& ui, HWND) {
                  for (ControlId entry : {文件, 设置, 帮助}) ui.SetVisible(WindowId::MainWindow, entry, true);
              }),
              0);
    EXPECT_GE(moves([](Win32Ui&, HWND m) {
                  RECT r;
                  GetWindowRect(m, &r);
                  SetWindowPos(m, nullptr, r.left + 10, r.top + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
              }),
              1);
    EXPECT_GE(moves([](Win32Ui&, HWND m) { ShowWindow(m, SW_MINIMIZE); }), 1);
    EXPECT_GE(moves([](Win32Ui&, HWND m) { ShowWindow(m, SW_RESTORE); }), 1);
    (void)w;
}

// After "TaskbarCreated", whether the shell lost the icon or not, and whichever of the program's
// windows hear it: the icon is there, takes later tips, no retry runs, and the end removes it.
TEST(BackendTray, TaskbarCreatedLeavesOneIconWithTheCurrentTip) {
    for (bool shellLostTheIcon : {false, true}) {
        SCOPED_TRACE(shellLostTheIcon ? "the shell lost the icon" : "the icon is still there");
        const auto before = shell::TrayIcons();
        auto tips = [&] {
            std::vector<std::string> t;
            for (const auto& icon : shell::NewIcons(before, shell::TrayIcons())) t.push_back(icon.tip);
            return t;
        };
        RecordingSink sink;
        HWND main = nullptr;
        {
            Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
            ui.Attach(sink);
            ui.OpenWindow(WindowId::MainWindow, false);
            ui.OpenWindow(WindowId::UnlockPrompt, false);  // a second window hears the broadcast
            main = ui.Handle(WindowId::MainWindow);
            ui.SetTrayIcon("Orvandel - Sutremo");
            ASSERT_EQ(tips(), std::vector<std::string>{"Orvandel - Sutremo"});
            if (shellLostTheIcon) shell::RemoveTrayIcon(main, kTrayIconId);
            shell::BroadcastTaskbarCreated();
            Pump();
            EXPECT_TRUE(shell::TrayIconExists(main, kTrayIconId));
            EXPECT_FALSE(KillTimer(main, kTrayRetryTimer)) << "a retry timer runs";
            ui.SetTrayIcon("Orvandel - Sutremo - 定时已开启");
            EXPECT_EQ(tips(), std::vector<std::string>{"Orvandel - Sutremo - 定时已开启"});
            ui.CloseWindow(WindowId::UnlockPrompt);
        }
        // The window outlives the backend here, so the icon's end is the backend's own doing.
        EXPECT_FALSE(shell::TrayIconExists(main, kTrayIconId));
        DestroyWindow(main);
    }
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

// Shown and hidden, by the program or by anyone else: what the clock label and the scheduler
// follow. The first show comes after the creation events; a window that its creation event hid
// raises none, and minimising is no change of visibility.
TEST(BackendVisibility, ShowAndHideRaiseVisibilityChangedWhoeverDoesIt) {
    struct Sink final : EventSink {
        bool hideWhenCreated = false;
        Win32Ui* ui = nullptr;
        std::vector<std::pair<EventKind, int>> events;  // MainWindow's, moves but the first left out
        bool Handle(WindowId window, const Event& e) override {
            if (window != WindowId::MainWindow) return true;
            if (e.kind == EventKind::Created && hideWhenCreated) ui->SetWindowVisible(window, false);
            if (e.kind == EventKind::PositionChanged && moved) return true;
            moved = moved || e.kind == EventKind::PositionChanged;
            events.push_back({e.kind, e.code});
            return true;
        }
        bool moved = false;
        std::vector<int> Visibility() const {
            std::vector<int> codes;
            for (auto [kind, code] : events)
                if (kind == EventKind::VisibilityChanged) codes.push_back(code);
            return codes;
        }
    };
    {
        Sink sink;
        Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
        sink.ui = &ui;
        ui.Attach(sink);
        ui.OpenWindow(WindowId::MainWindow, false);
        ASSERT_GE(sink.events.size(), 3u);
        EXPECT_EQ(sink.events[0].first, EventKind::Created);
        EXPECT_EQ(sink.events[1].first, EventKind::PositionChanged);
        EXPECT_EQ(sink.Visibility(), std::vector<int>{1});
        const HWND main = ui.Handle(WindowId::MainWindow);
        ui.SetWindowVisible(WindowId::MainWindow, false);
        ShowWindow(main, SW_SHOW);  // not through the program
        ShowWindow(main, SW_MINIMIZE);
        ShowWindow(main, SW_RESTORE);
        ShowWindow(main, SW_HIDE);
        Pump();
        EXPECT_EQ(sink.Visibility(), (std::vector<int>{1, 0, 1, 0}));
        ui.CloseWindow(WindowId::MainWindow);
        Pump();
    }
    {
        Sink sink;
        sink.hideWhenCreated = true;
        Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
        sink.ui = &ui;
        ui.Attach(sink);
        ui.OpenWindow(WindowId::MainWindow, false);
        Pump();
        EXPECT_FALSE(IsWindowVisible(ui.Handle(WindowId::MainWindow)));
        EXPECT_TRUE(sink.Visibility().empty());
        ui.CloseWindow(WindowId::MainWindow);
        Pump();
    }
}

// What Windows broadcasts to every top-level window, hidden ones too, when the wall clock may have
// moved: ClockChanged for MainWindow, once, and nothing for other messages or other windows.
TEST_F(Backend, BroadcastsThatMayMoveTheWallClockRaiseClockChanged) {
    struct Row {
        const char* what;
        UINT message;
        WPARAM wp;
        const wchar_t* setting;  // WM_SETTINGCHANGE's lParam
        bool raised;
    } rows[] = {
        {"the system time set", WM_TIMECHANGE, 0, nullptr, true},
        {"regional settings", WM_SETTINGCHANGE, 0, L"intl", true},
        {"the time zone", WM_SETTINGCHANGE, 0, L"TimeZone", true},
        {"another setting", WM_SETTINGCHANGE, 0, L"Environment", false},
        {"a system parameter", WM_SETTINGCHANGE, SPI_SETWORKAREA, nullptr, false},
        {"resumed, automatically", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, nullptr, true},
        {"resumed by the user", WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, nullptr, true},
        {"about to sleep", WM_POWERBROADCAST, PBT_APMSUSPEND, nullptr, false},
    };
    Main();
    ui.SetWindowVisible(WindowId::MainWindow, false);
    ui.OpenWindow(WindowId::UnlockPrompt, false);  // another top-level window that hears them
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sink.events.clear();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(HWND_BROADCAST, row.message, row.wp,
                            reinterpret_cast<LPARAM>(row.setting), SMTO_ABORTIFHUNG, 5000, &ignored);
        Pump();
        int raised = 0;
        for (const auto& [w, e] : sink.events)
            if (e.kind == EventKind::ClockChanged) raised += w == WindowId::MainWindow ? 1 : 100;
        EXPECT_EQ(raised, row.raised ? 1 : 0);
    }
    ui.CloseWindow(WindowId::UnlockPrompt);
    Pump();
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
    Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
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
    Win32Ui ui{GetModuleHandleW(nullptr), LayoutOf};
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
