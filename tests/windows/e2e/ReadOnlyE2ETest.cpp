// The real program when its settings cannot be written: "保存设置" and the password items lose
// nothing already stored and show no false success.
//
// What makes a write fail here, measured under Wine 8 running as root: a read-only *directory*
// does not (Wine accepts FILE_ATTRIBUTE_READONLY on a directory but does not keep it, and files
// can still be created in it; Windows, too, ignores that bit for writes), nor does a read-only
// file's mode (root opens it for writing all the same). Two things do:
// - a read-only close.ini or config.ini, which the program's file layer refuses to replace;
// - the settings directory gone while the program runs. Windows (and Wine) refuse to rename the
//   running program's own directory, but Wine lets its parent be renamed away, which leaves the
//   program's path as missing as a drive or share that disappeared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Driver.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "settings/PasswordCodec.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

constexpr const char* kSetStart = "设置软件启动密码(分大小写)";
constexpr const char* kExitPrompt = "您已设定退出密码,请输入！";
constexpr const char* kSetFailed = "密码保存失败，请检查程序所在目录是否可写。";
constexpr const char* kClearFailed = "密码清除失败，请检查程序所在目录是否可写。";
constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

const std::string kStoredSchedule =
    "[关机周期]\r\n星期一=Y\r\n星期二=N\r\n星期三=Y\r\n星期四=N\r\n星期五=N\r\n星期六=N\r\n"
    "星期日=N\r\n[开机启动]\r\n开关=N\r\n[启动最小化]\r\n开关=N\r\n[关机操作]\r\n关机方式=2\r\n"
    "[提醒时间]\r\n是否提醒=Y\r\n秒=15\r\n[关机时间]\r\n小时=8\r\n分钟=5\r\n秒=0\r\n";

class FixedTicks final : public Ticks {
public:
    std::uint32_t TickCount() override { return 4242; }
};

// config.ini with an exit password "exit11" and a cleared lock password. Made once: each
// scramble draws new random values.
const std::string& StoredConfig() {
    static const std::string config = [] {
        FixedTicks ticks;
        ScrambleDraws draws{ticks};
        return "[Soft Exit]\r\npassword=" + ScramblePassword(draws, "exit11") +
               "\r\n[Soft lock]\r\npassword=\r\n";
    }();
    return config;
}

Launch WithStoredSettings(std::wstring subdirectory = {}) {
    Launch launch;
    launch.files["close.ini"] = kStoredSchedule;
    launch.files["config.ini"] = StoredConfig();
    launch.subdirectory = std::move(subdirectory);
    return launch;
}

HWND ShownMain(Program& p) {
    HWND main = p.Main();
    if (main) WaitUntil([&] { return Program::Visible(main); });
    return main;
}

std::wstring Path(const std::wstring& dir, const char* name) { return dir + L"\\" + Wide(name); }

std::string Contents(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) text.append(buf, got);
    CloseHandle(h);
    return text;
}

std::vector<std::wstring> Names(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
}

// Waits until the program has handled everything posted to its main window so far.
void Settle(HWND main) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

// Sets the start password through its window: the error box, and the window stays open with the
// text; closed afterwards. The set item is still the live one: its command opens the window again.
void ExpectSetStartPasswordFails(Program& p, HWND main) {
    Program::Command(main, 设置软件启动密码);
    HWND w = p.WaitWindow(kSetStart);
    ASSERT_TRUE(w);
    HWND edit = Program::Ctl(w, passwordwnd::编辑框1);
    Program::SetText(edit, "start11");
    Program::Click(Program::Ctl(w, passwordwnd::按钮1));
    EXPECT_EQ(p.TakeMessage(), kSetFailed);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(Program::Text(edit), "start11");
    PostMessageW(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(w); }));

    Program::Command(main, 设置软件启动密码);
    w = p.WaitWindow(kSetStart);
    EXPECT_TRUE(w) << "the set item was switched off";
    if (w) PostMessageW(w, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !w || !IsWindow(w); });
}

// Changes every kind of setting and presses 保存.
void ChangeAndSave(HWND main) {
    Program::SetChecked(Program::Ctl(main, 选择框1), false);
    Program::SetChecked(Program::Ctl(main, 选择框2), true);
    Program::SetChecked(Program::Ctl(main, 选择框8), false);
    Program::SetChecked(Program::Ctl(main, 单选框2), false);
    Program::SetChecked(Program::Ctl(main, 单选框3), true);
    Program::SetText(Program::Ctl(main, 编辑框1), "21");
    Program::SetText(Program::Ctl(main, 编辑框4), "45");
    Program::Click(Program::Ctl(main, 保存));
}

TEST(ReadOnlyE2E, ReadOnlySettingsFilesLoseNothingAndShowNoFalseSuccess) {
    Program p(WithStoredSettings());
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    const std::wstring close = Path(p.Directory(), "close.ini");
    const std::wstring config = Path(p.Directory(), "config.ini");
    ASSERT_TRUE(SetFileAttributesW(close.c_str(), FILE_ATTRIBUTE_READONLY | kHiddenSystem));
    ASSERT_TRUE(SetFileAttributesW(config.c_str(), FILE_ATTRIBUTE_READONLY));

    ExpectSetStartPasswordFails(p, main);
    EXPECT_EQ(Contents(config), StoredConfig());

    // Clearing the exit password: the error box, and 退出 still asks for the password.
    Program::Command(main, 清除软件退出密码);
    EXPECT_EQ(p.TakeMessage(), kClearFailed);
    EXPECT_EQ(Contents(config), StoredConfig());
    Program::Command(main, 退出);
    HWND prompt = p.WaitWindow(kExitPrompt);
    EXPECT_TRUE(prompt);
    if (prompt) PostMessageW(prompt, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !prompt || !IsWindow(prompt); });

    // 保存设置: every write refused, no message, as on success. The save ends by giving close.ini
    // exactly the hidden and system attributes, which takes its read-only bit away: that is when
    // it has finished.
    ChangeAndSave(main);
    ASSERT_TRUE(WaitUntil([&] {
        const DWORD a = GetFileAttributesW(close.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_READONLY);
    }));
    Settle(main);
    EXPECT_EQ(Contents(close), kStoredSchedule);
    EXPECT_EQ(Contents(config), StoredConfig());
    EXPECT_FALSE(p.FindWindow("提示"));
    EXPECT_FALSE(p.FindWindow("信息："));
    EXPECT_EQ(Names(p.Directory()).size(), 3u) << "temporary files left behind";
    EXPECT_TRUE(p.Running());

    // The next start shows what was stored.
    Program next(WithStoredSettings());
    HWND again = ShownMain(next);
    ASSERT_TRUE(again);
    EXPECT_TRUE(Program::Checked(Program::Ctl(again, 选择框1)));
    EXPECT_FALSE(Program::Checked(Program::Ctl(again, 选择框2)));
    EXPECT_EQ(Program::Text(Program::Ctl(again, 编辑框1)), "8");
}

// The settings directory disappears under the running program (its parent renamed away).
TEST(ReadOnlyE2E, MissingSettingsDirectoryLosesNothingAndShowsNoFalseSuccess) {
    struct RemoveAtEnd {  // the Program removes its own directory, not the parent made for it
        std::wstring dir;
        ~RemoveAtEnd() {
            if (!dir.empty()) RemoveDirectoryW(dir.c_str());
        }
    } parentAtEnd;
    Program p(WithStoredSettings(L"程序"));
    HWND main = ShownMain(p);
    ASSERT_TRUE(main);
    const std::wstring dir = p.Directory();
    const std::wstring parent = dir.substr(0, dir.find_last_of(L'\\'));
    const std::wstring movedParent = parent + L"-moved";
    const std::wstring movedDir = movedParent + dir.substr(parent.size());
    parentAtEnd.dir = parent;
    ASSERT_TRUE(MoveFileExW(parent.c_str(), movedParent.c_str(), 0)) << GetLastError();
    struct Restore {  // the Program removes its directory by its first name
        const std::wstring& from;
        const std::wstring& to;
        ~Restore() { MoveFileExW(from.c_str(), to.c_str(), 0); }
    } restore{movedParent, parent};
    ASSERT_EQ(GetFileAttributesW(dir.c_str()), INVALID_FILE_ATTRIBUTES);

    ExpectSetStartPasswordFails(p, main);

    ChangeAndSave(main);
    Settle(main);
    Sleep(500);  // a message box, if one came, would be up by now
    Settle(main);
    EXPECT_FALSE(p.FindWindow("提示"));
    EXPECT_FALSE(p.FindWindow("信息："));
    EXPECT_TRUE(p.Running());
    // Nothing was made where the directory was, nothing changed where it went.
    EXPECT_EQ(GetFileAttributesW(dir.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(parent.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Contents(Path(movedDir, "close.ini")), kStoredSchedule);
    EXPECT_EQ(Contents(Path(movedDir, "config.ini")), StoredConfig());
    EXPECT_EQ(Names(movedDir).size(), 3u);
}

}  // namespace
}  // namespace sut::e2e
