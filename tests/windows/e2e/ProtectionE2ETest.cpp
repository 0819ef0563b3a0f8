// The real program's passwords and lock mode: setting each password through its window, the
// start, exit and unlock prompts, and a table of ways a user might try to get around each one.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "Driver.h"
#include "support/ShellTray.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "settings/Ini.h"
#include "settings/PasswordCodec.h"

namespace sut::e2e {
namespace {

constexpr const char* kSetStart = "设置软件启动密码(分大小写)";
constexpr const char* kStartPrompt = "您已设定启动密码,请输入！";
constexpr const char* kExitPrompt = "您已设定退出密码,请输入！";
constexpr const char* kUnlockPrompt = "您已设定锁定,请输入解锁密码！";
constexpr UINT kTrayCallback = WM_APP + 1;

struct Kind {
    const char* section;
    ControlId setItem;
    const char* setCaption;
};
constexpr Kind kKinds[] = {
    {"Soft boot", mainwnd::设置软件启动密码, kSetStart},
    {"Soft Exit", mainwnd::设置软件退出密码, "设置软件退出密码(分大小写)"},
    {"Soft lock", mainwnd::设置软件锁定密码, "设置软件锁定密码(分大小写)"},
};

// config.ini of a running program, read with the program's own INI rules.
class ProgramFiles final : public Files {
public:
    explicit ProgramFiles(const Program& p) : p_(p) {}
    std::string ExecutablePath() override { return {}; }
    bool Read(const std::string& path, std::string& contents) override { return p_.ReadFile(path, contents); }
    bool Replace(const std::string&, std::string_view) override { return false; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return false; }

private:
    const Program& p_;
};

std::string StoredValue(const Program& p, std::string_view section) {
    ProgramFiles files(p);
    return ReadIniValue(files, "config.ini", section, "password", "<none>");
}

HWND Edit(HWND window) { return Program::Ctl(window, passwordwnd::编辑框1); }

// Typing, one character message at a time, as the keyboard would deliver it.
void Type(HWND edit, std::wstring_view text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

void Key(HWND h, UINT vk) {
    PostMessageW(h, WM_KEYDOWN, vk, 1);
    PostMessageW(h, WM_KEYUP, vk, 0xC0000001);
}

// Waits until the window's thread has handled everything posted to it so far: a selection change
// posted to one of its edit boxes comes out of the same queue after them.
void Settle(HWND edit) {
    static int mark = 0;
    mark = mark == 1 ? 2 : 1;
    PostMessageW(edit, EM_SETSEL, 0, mark);
    WaitUntil([&] {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return end == static_cast<DWORD>(mark);
    });
}

// Replaces the text of a password window's box by typing and presses its OK button.
void Submit(HWND window, std::wstring_view typed) {
    Program::SetText(Edit(window), "");
    Type(Edit(window), typed);
    Program::Click(Program::Ctl(window, passwordwnd::按钮1));
}

void PutOnClipboard(std::wstring_view text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(mem));
    memcpy(p, text.data(), text.size() * sizeof(wchar_t));
    p[text.size()] = L'\0';
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
}

// Top-level windows of a process that are on the screen.
int VisibleWindows(DWORD pid) {
    struct Count {
        DWORD pid;
        int n;
    } count{pid, 0};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == c.pid && IsWindowVisible(h)) ++c.n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

SIZE OuterSize(HWND h) {
    const RECT r = Program::Rect(h);
    return {r.right - r.left, r.bottom - r.top};
}

bool IsLocked(HWND main) {
    const SIZE s = OuterSize(main);
    return s.cx == Px(248) && s.cy == Px(210) && IsWindowVisible(Program::Ctl(main, mainwnd::图片框1));
}

// The unlock steps run in one handler, but this process sees them one by one.
bool IsUnlocked(HWND main) {
    const SIZE s = OuterSize(main);
    return s.cx == Px(430) && s.cy == Px(346) && !IsWindowVisible(Program::Ctl(main, mainwnd::图片框1));
}

// A started program with its main window on the screen.
HWND ShownMain(Program& p) {
    HWND main = p.Main();
    if (main) WaitUntil([&] { return Program::Visible(main); });
    return main;
}

// Locks a shown main window through "锁   定"; a lock password must be stored.
bool Lock(HWND main) {
    Program::Click(Program::Ctl(main, mainwnd::按钮1));
    return WaitUntil([&] { return IsLocked(main); });
}

// A started program's main window, locked; nullptr when it did not lock.
HWND LockedMain(Program& p) {
    HWND main = ShownMain(p);
    return main && Lock(main) ? main : nullptr;
}

// SetStartPasswordWindow opened from the menu of a started program; nullptr when it did not open.
HWND OpenSetStartWindow(Program& p) {
    HWND main = ShownMain(p);
    if (!main) return nullptr;
    Program::Command(main, mainwnd::设置软件启动密码);
    return p.WaitWindow(kSetStart);
}

// ---- Setting passwords ----

TEST(ProtectionE2E, EachPasswordIsSetThroughItsWindowAndStoredScrambled) {
    Program p;
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    const std::wstring typed[] = {L"Start1x", L"Exit密码", L"Lock 33"};
    for (int i = 0; i < 3; ++i) {
        const Kind& k = kKinds[i];
        SCOPED_TRACE(k.section);
        Program::Command(main, k.setItem);
        HWND w = p.WaitWindow(k.setCaption);
        ASSERT_TRUE(w);
        EXPECT_EQ(SendMessageW(Edit(w), EM_GETPASSWORDCHAR, 0, 0), L'*');
        Submit(w, typed[i]);
        EXPECT_EQ(p.TakeMessage(), "密码设置成功！");
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(w); }));

        const std::string password = Gbk(typed[i]);
        const std::string stored = StoredValue(p, k.section);
        EXPECT_EQ(stored.size(), 2 * password.size()) << stored;
        EXPECT_EQ(stored.find_first_not_of(kScrambleAlphabet), std::string::npos) << stored;
        EXPECT_EQ(UnscramblePassword(stored), password);
    }
    // The lock password just set is the one that locks and unlocks.
    ASSERT_TRUE(Lock(main));
    PostMessageW(Program::Ctl(main, mainwnd::图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    HWND prompt = p.WaitWindow(kUnlockPrompt);
    ASSERT_TRUE(prompt);
    Submit(prompt, L"Lock 33");
    EXPECT_TRUE(WaitUntil([&] { return IsUnlocked(main); }));
}

TEST(ProtectionE2E, SetWindowCountsGbkBytesAndRefusesWhatGbkCannotHold) {
    Program p;
    HWND w = OpenSetStartWindow(p);
    ASSERT_TRUE(w);
    HWND edit = Edit(w);
    struct Case {
        const wchar_t* typed;
        const char* kept;
    } cases[] = {
        {L"abcdefghijklmnopq", "abcdefghijklmnop"},          // 16 bytes, the 17th refused
        {L"一二三四五六七八九", "一二三四五六七八"},          // 8 characters of 2 bytes
        {L"abcdefghijklmno一", "abcdefghijklmno"},           // 15 + 2 would be 17
        {L"ab\xD83D\xDE00" L"cd", "abcd"},                   // an emoji: both halves refused
        {L"x\xAC00\x0E01\x2603y", "xy"},                   // Hangul, Thai, a snowman: not in 936
        {L"?\x4E00", "?一"},                                 // a real question mark is kept
    };
    for (const Case& c : cases) {
        Program::SetText(edit, "");
        Type(edit, c.typed);
        EXPECT_EQ(Program::Text(edit), c.kept) << c.kept;
    }

    // Pasting follows the same rules.
    Program::SetText(edit, "");
    PutOnClipboard(L"ab\xD83D\xDE00\xAC00" L"cd中文123456789");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Program::Text(edit), "abcd中文12345678");

    // Two Chinese characters are 4 bytes, too short; three are 6, enough.
    Submit(w, L"密码");
    EXPECT_EQ(p.TakeMessage(), "请输入6位以上的密码");
    EXPECT_TRUE(IsWindow(w));
    Submit(w, L"");
    EXPECT_EQ(p.TakeMessage(), "请输入密码");
    Submit(w, L"三个字");
    EXPECT_EQ(p.TakeMessage(), "密码设置成功！");
    EXPECT_EQ(UnscramblePassword(StoredValue(p, "Soft boot")), "三个字");
}

// Pasting from the real keyboard: the edit control may handle a key without a WM_PASTE of its
// own, and the rules must hold all the same.
TEST(ProtectionE2E, KeyboardPastesFollowTheSameRules) {
    struct Case {
        const char* what;
        WORD modifier, key;
        DWORD keyFlags;
    } cases[] = {
        {"Ctrl+V", VK_CONTROL, 'V', 0},
        {"Shift+Insert", VK_SHIFT, VK_INSERT, KEYEVENTF_EXTENDEDKEY},
    };
    Program p;
    HWND w = OpenSetStartWindow(p);
    ASSERT_TRUE(w);
    HWND edit = Edit(w);
    PutOnClipboard(L"ab\xD83D\xDE00\xAC00" L"cd中文123456789");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program::SetText(edit, "");
        SetForegroundWindow(w);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == w; }));
        INPUT in[4] = {};
        for (INPUT& i : in) i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[3].ki.wVk = c.modifier;
        in[1].ki.wVk = in[2].ki.wVk = c.key;
        in[1].ki.dwFlags = c.keyFlags;
        in[2].ki.dwFlags = c.keyFlags | KEYEVENTF_KEYUP;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, in, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil([&] { return !Program::Text(edit).empty(); }));
        EXPECT_EQ(Program::Text(edit), "abcd中文12345678");
    }
}

TEST(ProtectionE2E, EnterDoesNothingInAPasswordWindow) {
    Program p(WithPasswords({{"Soft Exit", "Exit22x"}}));
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    Program::Command(main, mainwnd::退出);
    HWND prompt = p.WaitWindow(kExitPrompt);
    ASSERT_TRUE(prompt);
    Type(Edit(prompt), L"Exit22x");
    Key(Edit(prompt), VK_RETURN);
    // Posted after Enter, so handled after it: the prompt still answers and nothing was shown.
    EXPECT_EQ(Program::Text(Edit(prompt)), "Exit22x");
    WaitUntil([&] { return p.FindWindow("提示") != nullptr || !p.Running(); }, 300);
    EXPECT_TRUE(p.Running());
    EXPECT_FALSE(p.FindWindow("提示"));
    Program::Click(Program::Ctl(prompt, passwordwnd::按钮1));
    EXPECT_EQ(p.WaitExit(), 0u);
}

// ---- The prompts ----

TEST(ProtectionE2E, AfterSettingAStartPasswordTheNextStartAsksForItFirst) {
    Launch restart;
    {
        Program first;
        HWND w = OpenSetStartWindow(first);
        ASSERT_TRUE(w);
        Submit(w, L"Start1x");
        EXPECT_EQ(first.TakeMessage(), "密码设置成功！");
        Program::Command(first.Main(), mainwnd::退出);
        ASSERT_EQ(first.WaitExit(), 0u);
        ASSERT_TRUE(first.ReadFile("config.ini", restart.files["config.ini"]));
    }
    Program p(restart);  // the same config.ini beside a fresh copy
    HWND prompt = p.WaitWindow(kStartPrompt);
    ASSERT_TRUE(prompt);
    // The prompt alone, once shown: it is found as soon as it exists.
    EXPECT_TRUE(WaitUntil([&] { return VisibleWindows(p.ProcessId()) == 1; }));

    for (const wchar_t* wrong : {L"start1x", L"Start1x ", L"Start1"}) {
        Submit(prompt, wrong);
        EXPECT_EQ(p.TakeMessage(), "密码错误,请重新输入！");
        EXPECT_TRUE(IsWindow(prompt));
        EXPECT_EQ(Program::Text(Edit(prompt)), Gbk(wrong));
    }
    Submit(prompt, L"");
    EXPECT_EQ(p.TakeMessage(), "请输入密码！");
    EXPECT_EQ(VisibleWindows(p.ProcessId()), 1);

    Submit(prompt, L"Start1x");
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    EXPECT_TRUE(Program::Visible(main));
    EXPECT_FALSE(IsWindow(prompt));
    EXPECT_EQ(OuterSize(main).cx, 430);
}

TEST(ProtectionE2E, ExitPasswordIsAskedForAndTheRightOneEndsTheProgram) {
    Program p(WithPasswords({{"Soft Exit", "Exit22x"}}));
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    Program::Command(main, mainwnd::退出);
    HWND prompt = p.WaitWindow(kExitPrompt);
    ASSERT_TRUE(prompt);
    Submit(prompt, L"exit22x");
    EXPECT_EQ(p.TakeMessage(), "密码错误,请重新输入！");
    PostMessageW(prompt, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }));
    EXPECT_TRUE(p.Running());

    Program::Command(main, mainwnd::退出);
    prompt = p.WaitWindow(kExitPrompt);
    ASSERT_TRUE(prompt);
    Submit(prompt, L"Exit22x");
    EXPECT_EQ(p.WaitExit(), 0u);
}

TEST(ProtectionE2E, LockShrinksBehindThePictureAndUnlockRestoresInPlace) {
    Program p(WithPasswords({{"Soft lock", "Lock33x"}}));
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    const RECT before = Program::Rect(main);
    ASSERT_TRUE(Lock(main));
    RECT r = Program::Rect(main);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    // The picture covers the whole client area.
    RECT client{};
    GetClientRect(main, &client);
    const RECT picture = Program::Rect(Program::Ctl(main, mainwnd::图片框1));
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    EXPECT_LE(picture.left, origin.x);
    EXPECT_LE(picture.top, origin.y);
    EXPECT_GE(picture.right, origin.x + client.right);
    EXPECT_GE(picture.bottom, origin.y + client.bottom);

    PostMessageW(Program::Ctl(main, mainwnd::图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    HWND prompt = p.WaitWindow(kUnlockPrompt);
    ASSERT_TRUE(prompt);
    Submit(prompt, L"Lock33");
    EXPECT_EQ(p.TakeMessage(), "密码错误,请重新输入！");
    EXPECT_TRUE(IsLocked(main));
    Submit(prompt, L"Lock33x");
    ASSERT_TRUE(WaitUntil([&] { return IsUnlocked(main); }));
    r = Program::Rect(main);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }));
}

// ---- Ways around each password ----

struct CloseWay {
    const char* what;
    void (*act)(HWND window);
};
const CloseWay kCloseWays[] = {
    {"Esc", [](HWND w) { Key(Edit(w), VK_ESCAPE); }},
    {"close button (WM_CLOSE)", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
    {"Alt+F4",
     [](HWND w) { PostMessageW(w, WM_SYSKEYDOWN, VK_F4, 1 | (1u << 29)); }},
    {"system menu Close", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"query of Windows before a log-off",
     [](HWND w) {
         DWORD_PTR answer = 0;
         SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
     }},
};

TEST(ProtectionBypassE2E, EveryCloseRequestToTheStartPromptEndsTheProgramUnseen) {
    for (const CloseWay& way : kCloseWays) {
        SCOPED_TRACE(way.what);
        Program p(WithPasswords({{"Soft boot", "Start1x"}}));
        HWND prompt = p.WaitWindow(kStartPrompt);
        ASSERT_TRUE(prompt);
        way.act(prompt);
        EXPECT_EQ(p.WaitExit(), 0u);
    }
}

// Windows asks every top-level window before a log-off, the unseen MainWindow behind the start
// prompt too. A copy nobody has unlocked neither refuses nor shows its icon: it ends.
TEST(ProtectionBypassE2E, TheQueryOfWindowsToTheUnseenMainWindowEndsAnUnlockedStart) {
    const auto trayBefore = shell::TrayIcons();
    Program p(WithPasswords({{"Soft boot", "Start1x"}}));
    ASSERT_TRUE(p.WaitWindow(kStartPrompt));
    HWND main = p.FindWindow("", L"SutremoWindow");  // its caption comes once the start is done
    ASSERT_TRUE(main);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_EQ(p.WaitExit(), 0u);
    EXPECT_TRUE(shell::NewIcons(trayBefore, shell::TrayIcons()).empty());
}

TEST(ProtectionBypassE2E, EveryCloseRequestToTheExitPromptKeepsTheProgramRunning) {
    Program p(WithPasswords({{"Soft Exit", "Exit22x"}}));
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    for (const CloseWay& way : kCloseWays) {
        SCOPED_TRACE(way.what);
        Program::Command(main, mainwnd::退出);
        HWND prompt = p.WaitWindow(kExitPrompt);
        ASSERT_TRUE(prompt);
        way.act(prompt);
        if (IsWindow(prompt)) PostMessageW(prompt, WM_CLOSE, 0, 0);  // the query leaves it open
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }));
        EXPECT_TRUE(p.Running());
    }
    // Closing or querying the main window hides it; the program stays.
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD_PTR answer = 1;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_EQ(answer, 0u);
    EXPECT_TRUE(p.Running());
}

TEST(ProtectionBypassE2E, TheLockedWindowStaysLockedWhateverTheUserTries) {
    struct Way {
        const char* what;
        void (*act)(Program& p, HWND main);
    } ways[] = {
        {"unlock prompt closed, each way",
         [](Program& p, HWND main) {
             for (const CloseWay& way : kCloseWays) {
                 PostMessageW(Program::Ctl(main, mainwnd::图片框1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                 HWND prompt = p.WaitWindow(kUnlockPrompt);
                 ASSERT_TRUE(prompt) << way.what;
                 way.act(prompt);
                 if (IsWindow(prompt)) PostMessageW(prompt, WM_CLOSE, 0, 0);
                 EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt); })) << way.what;
             }
         }},
        {"\"解锁\" from the tray menu, then a wrong and an empty password",
         [](Program& p, HWND main) {
             Program::Command(main, mainwnd::解锁);
             HWND prompt = p.WaitWindow(kUnlockPrompt);
             ASSERT_TRUE(prompt);
             Submit(prompt, L"lock33x");
             EXPECT_EQ(p.TakeMessage(), "密码错误,请重新输入！");
             Submit(prompt, L"");
             EXPECT_EQ(p.TakeMessage(), "请输入密码！");
             PostMessageW(prompt, WM_CLOSE, 0, 0);
             WaitUntil([&] { return !IsWindow(prompt); });
         }},
        {"minimise, then restore from the tray",
         [](Program&, HWND main) {
             PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
             ASSERT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));
             PostMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);
             ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main) && !IsIconic(main); }));
         }},
        {"close button, then show from the tray",
         [](Program&, HWND main) {
             PostMessageW(main, WM_CLOSE, 0, 0);
             ASSERT_TRUE(WaitUntil([&] { return !Program::Visible(main); }));
             PostMessageW(main, kTrayCallback, 1, WM_LBUTTONUP);
             ASSERT_TRUE(WaitUntil([&] { return Program::Visible(main); }));
         }},
        {"\"退出\" with an exit password, prompt closed",
         [](Program& p, HWND main) {
             Program::Command(main, mainwnd::退出);
             HWND prompt = p.WaitWindow(kExitPrompt);
             ASSERT_TRUE(prompt);
             Key(Edit(prompt), VK_ESCAPE);
             EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }));
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        Program p(WithPasswords({{"Soft lock", "Lock33x"}, {"Soft Exit", "Exit22x"}}));
        HWND main = LockedMain(p);
        ASSERT_TRUE(main);
        way.act(p, main);
        EXPECT_TRUE(p.Running());
        // A restore reaches this process in steps: give the size a moment to settle.
        EXPECT_TRUE(WaitUntil([&] { return IsLocked(main); }, 2000));
    }
}

// The controls behind the picture must not be reachable from the keyboard either.
TEST(ProtectionBypassE2E, TheKeyboardCannotReachTheSettingsBehindThePicture) {
    Program p(WithPasswords({{"Soft lock", "Lock33x"}}));
    HWND main = LockedMain(p);
    ASSERT_TRUE(main);
    const std::vector<ControlId> boxes = {mainwnd::选择框1, mainwnd::选择框2, mainwnd::选择框3,
                                          mainwnd::选择框4, mainwnd::选择框5, mainwnd::选择框6,
                                          mainwnd::选择框7, mainwnd::选择框8, mainwnd::选择框9,
                                          mainwnd::选择框10, mainwnd::单选框2};
    GUITHREADINFO gui{sizeof gui};
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    std::vector<std::string> reached;
    for (int i = 0; i < 24; ++i) {
        Key(main, VK_TAB);
        Settle(Program::Ctl(main, mainwnd::编辑框1));
        if (!GetGUIThreadInfo(thread, &gui) || !gui.hwndFocus || gui.hwndFocus == main) continue;
        if (GetAncestor(gui.hwndFocus, GA_ROOT) != main) continue;
        reached.push_back(std::to_string(GetDlgCtrlID(gui.hwndFocus)));
        Key(gui.hwndFocus, VK_SPACE);
    }
    Settle(Program::Ctl(main, mainwnd::编辑框1));
    EXPECT_TRUE(reached.empty()) << "focus reached control ids " << ::testing::PrintToString(reached);
    for (ControlId box : boxes) EXPECT_FALSE(Program::Checked(Program::Ctl(main, box))) << box;
    EXPECT_EQ(Program::Text(Program::Ctl(main, mainwnd::应用)), "开启自动关机");
    EXPECT_TRUE(IsLocked(main));
}

// Another program can post any command. While locked, only what the locked view offers takes one:
// nothing of "设置" or "帮助", no control behind the picture; "解锁" and "退出" of the tray do.
TEST(ProtectionBypassE2E, ThePostedCommandsOfAnotherProgramCannotReachWhatTheLockHides) {
    Program p(WithPasswords({{"Soft lock", "Lock33x"}, {"Soft Exit", "Exit22x"}}));
    HWND main = LockedMain(p);
    ASSERT_TRUE(main);
    std::string configBefore;
    ASSERT_TRUE(p.ReadFile("config.ini", configBefore));
    Program::Command(main, mainwnd::清除软件退出密码);
    Program::Command(main, mainwnd::清除软件锁定密码);
    Program::Command(main, mainwnd::关于);
    Program::Command(main, mainwnd::设置软件启动密码);
    Program::Click(Program::Ctl(main, mainwnd::保存));
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(mainwnd::应用, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Program::Ctl(main, mainwnd::应用)));
    // Handled in the order posted: once the prompt is up, all of the above has been handled.
    Program::Command(main, mainwnd::解锁);
    HWND prompt = p.WaitWindow(kUnlockPrompt);
    ASSERT_TRUE(prompt);
    std::string configAfter;
    ASSERT_TRUE(p.ReadFile("config.ini", configAfter));
    EXPECT_EQ(configAfter, configBefore);
    EXPECT_FALSE(p.FindWindow("关于"));
    EXPECT_FALSE(p.FindWindow("设置软件启动密码(分大小写)"));
    std::string closeIni;
    EXPECT_FALSE(p.ReadFile("close.ini", closeIni));
    EXPECT_EQ(Program::Text(Program::Ctl(main, mainwnd::应用)), "开启自动关机");
    PostMessageW(prompt, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }));
    Program::Command(main, mainwnd::退出);
    EXPECT_TRUE(p.WaitWindow(kExitPrompt));
}

TEST(ProtectionBypassE2E, ExitWhileLockedWithoutAnExitPasswordEndsTheProgram) {
    Program p(WithPasswords({{"Soft lock", "Lock33x"}}));
    HWND main = LockedMain(p);
    ASSERT_TRUE(main);
    Program::Command(main, mainwnd::退出);
    EXPECT_EQ(p.WaitExit(), 0u);
}

// A second copy started beside a running one asks for the start password itself; lock mode is
// not stored, so without a start password a second copy opens unlocked.
TEST(ProtectionBypassE2E, ASecondCopyAsksForTheStartPasswordOfItsOwn) {
    Program first(WithPasswords({{"Soft boot", "Start1x"}, {"Soft lock", "Lock33x"}}));
    HWND prompt = first.WaitWindow(kStartPrompt);
    ASSERT_TRUE(prompt);
    Submit(prompt, L"Start1x");
    HWND main = ShownMain(first);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Lock(main));

    const std::wstring exe = first.Directory() + L"\\Sutremo.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               first.Directory().c_str(), &si, &pi));
    struct Found {
        DWORD pid;
        HWND prompt;
        int visible;
    } found{pi.dwProcessId, nullptr, 0};
    WaitUntil([&] {
        found.prompt = nullptr;
        found.visible = 0;
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                auto& f = *reinterpret_cast<Found*>(lp);
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid != f.pid || !IsWindowVisible(h)) return TRUE;
                ++f.visible;
                wchar_t text[64];
                GetWindowTextW(h, text, 64);
                if (Wide(kStartPrompt) == text) f.prompt = h;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found.prompt != nullptr;
    });
    EXPECT_TRUE(found.prompt);
    EXPECT_EQ(found.visible, 1);
    if (found.prompt) PostMessageW(found.prompt, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsLocked(main));
}

}  // namespace
}  // namespace sut::e2e
