// The real program's close.ini and Run value: first start, save, restart, the time check and the
// autostart entry in Wine's registry.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/MainWindowLayout.h"
#include "platform/win32/RegistryView.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr wchar_t kRunKey[] = L"software\\microsoft\\windows\\CurrentVersion\\Run";

const std::string kSaved =
    "[关机周期]\r\n星期一=Y\r\n星期二=N\r\n星期三=Y\r\n星期四=N\r\n星期五=N\r\n星期六=N\r\n"
    "星期日=N\r\n[开机启动]\r\n开关=Y\r\n[启动最小化]\r\n开关=N\r\n[关机操作]\r\n关机方式=2\r\n"
    "[提醒时间]\r\n是否提醒=Y\r\n秒=15\r\n[关机时间]\r\n小时=8\r\n分钟=5\r\n秒=0\r\n";

// The main window once the start has run and the window is shown.
HWND Shown(Program& p) {
    HWND main = p.Main();
    if (main) WaitUntil([&] { return Program::Visible(main); });
    return main;
}

// Exactly hidden and system. Wine shows every file as archive as well, and the new attributes
// only after a moment, so the archive bit is set aside and callers poll.
bool HiddenSystem(const Program& p) {
    const DWORD attributes = p.Attributes("close.ini");
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & ~FILE_ATTRIBUTE_ARCHIVE) == kHiddenSystem;
}

std::string FileText(const Program& p) {
    std::string text;
    p.ReadFile("close.ini", text);
    return text;
}

// The Run value in the registry view that the program writes, whichever processor it is built for.
std::wstring RunValue() {
    wchar_t data[2048] = {};
    DWORD size = sizeof data;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE | win32::kMachineView,
                      &key) != ERROR_SUCCESS)
        return L"<none>";
    const LONG found = RegGetValueW(key, nullptr, L"QEMRIVAX", RRF_RT_REG_SZ, nullptr, data, &size);
    RegCloseKey(key);
    return found == ERROR_SUCCESS ? data : L"<none>";
}

void DeleteRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE | win32::kMachineView, &key) !=
        ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, L"QEMRIVAX");
    RegCloseKey(key);
}

TEST(SettingsE2E, FirstStartSaveAndRestart) {
    Program p;
    HWND main = Shown(p);
    ASSERT_TRUE(main);
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框1)), "00");
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框2)), "00");
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框3)), "00");
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框4)), "30");
    for (ControlId box : {选择框1, 选择框7, 选择框8, 选择框9, 选择框10})
        EXPECT_FALSE(Program::Checked(Program::Ctl(main, box))) << box;
    EXPECT_TRUE(Program::Checked(Program::Ctl(main, 单选框1)));
    EXPECT_EQ(p.Attributes("close.ini"), INVALID_FILE_ATTRIBUTES);

    for (ControlId box : {选择框1, 选择框3, 选择框8, 选择框9})
        Program::SetChecked(Program::Ctl(main, box), true);
    Program::SetChecked(Program::Ctl(main, 单选框1), false);
    Program::SetChecked(Program::Ctl(main, 单选框2), true);
    Program::SetText(Program::Ctl(main, 编辑框1), "08");
    Program::SetText(Program::Ctl(main, 编辑框2), "5");
    Program::SetText(Program::Ctl(main, 编辑框3), "");
    Program::SetText(Program::Ctl(main, 编辑框4), "15");
    Program::Click(Program::Ctl(main, 保存));
    ASSERT_TRUE(WaitUntil([&] { return HiddenSystem(p); }));
    EXPECT_EQ(FileText(p), kSaved);
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框1)), "08");

    // A hidden, system close.ini takes the next save all the same.
    Program::SetText(Program::Ctl(main, 编辑框4), "20");
    Program::Click(Program::Ctl(main, 保存));
    EXPECT_TRUE(WaitUntil([&] { return FileText(p).find("秒=20\r\n") != std::string::npos; }));
    EXPECT_TRUE(WaitUntil([&] { return HiddenSystem(p); }));

    Program next(Launch{.files = {{"close.ini", kSaved}}});
    HWND again = Shown(next);
    ASSERT_TRUE(again);
    EXPECT_EQ(Program::Text(Program::Ctl(again, 编辑框1)), "8");
    EXPECT_EQ(Program::Text(Program::Ctl(again, 编辑框2)), "5");
    EXPECT_EQ(Program::Text(Program::Ctl(again, 编辑框3)), "0");
    EXPECT_EQ(Program::Text(Program::Ctl(again, 编辑框4)), "15");
    for (ControlId box : {选择框1, 选择框3, 选择框8, 选择框9})
        EXPECT_TRUE(Program::Checked(Program::Ctl(again, box))) << box;
    EXPECT_FALSE(Program::Checked(Program::Ctl(again, 选择框2)));
    EXPECT_TRUE(Program::Checked(Program::Ctl(again, 单选框2)));
    EXPECT_FALSE(Program::Checked(Program::Ctl(again, 单选框1)));
}

TEST(SettingsE2E, OutOfRangeHourShowsTheMessageAndSavesTheRest) {
    Program p;
    HWND main = Shown(p);
    ASSERT_TRUE(main);
    Program::SetChecked(Program::Ctl(main, 选择框2), true);
    Program::SetText(Program::Ctl(main, 编辑框1), "24");
    Program::Click(Program::Ctl(main, 保存));
    HWND box = p.WaitWindow("信息：");
    ASSERT_TRUE(box);
    EXPECT_EQ(Program::Text(GetDlgItem(box, 0xFFFF)), "时间输入格式不正确，请重新输入");
    EXPECT_TRUE(HiddenSystem(p));  // the rest of the save is written, hidden and system, first
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return HiddenSystem(p); }));
    const std::string text = FileText(p);
    EXPECT_NE(text.find("星期二=Y\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[提醒时间]\r\n是否提醒=N\r\n秒=30\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("关机时间"), std::string::npos) << text;
    EXPECT_EQ(Program::Text(Program::Ctl(main, 编辑框1)), "24");
}

TEST(SettingsE2E, StartMinimisedAloneAddsAndRemovesTheRunValue) {
    DeleteRunValue();
    Program p;
    HWND main = Shown(p);
    ASSERT_TRUE(main);
    Program::SetChecked(Program::Ctl(main, 选择框10), true);
    Program::Click(Program::Ctl(main, 保存));
    ASSERT_TRUE(WaitUntil([] { return RunValue() != L"<none>"; }));
    EXPECT_EQ(Gbk(RunValue()), Gbk(p.Directory() + L"\\Sutremo.exe"));

    Program::SetChecked(Program::Ctl(main, 选择框10), false);
    Program::SetChecked(Program::Ctl(main, 选择框9), true);
    Program::Click(Program::Ctl(main, 保存));
    EXPECT_TRUE(WaitUntil([] { return RunValue() == L"<none>"; }));
    EXPECT_TRUE(WaitUntil([&] { return FileText(p).find("[开机启动]\r\n开关=Y") != std::string::npos; }));
}

}  // namespace
}  // namespace sut::e2e
