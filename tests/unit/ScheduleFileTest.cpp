#include <gtest/gtest.h>

#include <optional>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "settings/Ini.h"
#include "settings/ScheduleFile.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::AppFixture;
constexpr WindowId kMain = WindowId::MainWindow;
const std::string kFile = "C:\\Tools\\close.ini";

// A program started over the given close.ini (none when empty).
struct Program : AppFixture {
    explicit Program(const std::string& closeIni = "") {
        if (!closeIni.empty()) files.files[kFile] = closeIni;
        EXPECT_TRUE(Start());
    }
    std::string Value(const char* section, const char* key) {
        return ReadIniValue(files, kFile, section, key, "<missing>");
    }
    void Save() { ui.Click(kMain, 保存); }
};

const std::string kEverythingSet =
    "[关机周期]\r\n星期一=Y\r\n星期二=Y\r\n星期三=Y\r\n星期四=Y\r\n星期五=Y\r\n星期六=Y\r\n"
    "星期日=Y\r\n[开机启动]\r\n开关=Y\r\n[启动最小化]\r\n开关=N\r\n[关机操作]\r\n关机方式=3\r\n"
    "[提醒时间]\r\n是否提醒=Y\r\n秒=45\r\n[关机时间]\r\n小时=7\r\n分钟=30\r\n秒=5\r\n";

constexpr ControlId kBoxes[] = {选择框1, 选择框2, 选择框3, 选择框4, 选择框5,
                                选择框6, 选择框7, 选择框8, 选择框9, 选择框10};

TEST(ScheduleFile, FirstStartShowsTheDefaultsAndWritesNothing) {
    Program p;
    for (ControlId box : kBoxes) EXPECT_FALSE(p.ui.Checked(kMain, box)) << box;
    EXPECT_TRUE(p.ui.Checked(kMain, 单选框1));
    EXPECT_FALSE(p.ui.Checked(kMain, 单选框2));
    EXPECT_FALSE(p.ui.Checked(kMain, 单选框3));
    EXPECT_EQ(p.ui.Text(kMain, 编辑框1), "00");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框2), "00");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框3), "00");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框4), "30");
    EXPECT_TRUE(p.ui.WindowVisible(kMain));
    EXPECT_TRUE(p.files.files.empty());
    EXPECT_EQ(p.app.settingsDirectory, "C:\\Tools\\");
    EXPECT_EQ(p.app.executableName, "Sutremo.exe");
}

TEST(ScheduleFile, LoadsEveryKeyIntoItsControl) {
    Program p(kEverythingSet);
    for (ControlId box : kBoxes) EXPECT_EQ(p.ui.Checked(kMain, box), box != 选择框10) << box;
    EXPECT_TRUE(p.ui.Checked(kMain, 单选框3));
    EXPECT_FALSE(p.ui.Checked(kMain, 单选框1));
    EXPECT_EQ(p.ui.Text(kMain, 编辑框1), "7");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框2), "30");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框3), "5");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框4), "45");
}

TEST(ScheduleFile, OnlyExactValuesTickOrSelect) {
    struct Case {
        const char* flag;
        bool ticked;
    } flags[] = {{"Y", true}, {"\"Y\"", true}, {" Y ", true}, {"y", false}, {"Yes", false},
                 {"N", false}, {"", false},     {"1", false}};
    for (const Case& c : flags) {
        SCOPED_TRACE(c.flag);
        Program p(std::string("[关机周期]\r\n星期三=") + c.flag + "\r\n[提醒时间]\r\n是否提醒=" +
                  c.flag + "\r\n[开机启动]\r\n开关=" + c.flag + "\r\n");
        EXPECT_EQ(p.ui.Checked(kMain, 选择框3), c.ticked);
        EXPECT_EQ(p.ui.Checked(kMain, 选择框8), c.ticked);
        EXPECT_EQ(p.ui.Checked(kMain, 选择框9), c.ticked);
        EXPECT_FALSE(p.ui.Checked(kMain, 选择框1));
    }
    struct Action {
        const char* code;
        ControlId selected;
    } actions[] = {{"1", 单选框1}, {"2", 单选框2}, {"3", 单选框3}, {"4", 单选框1},
                   {"02", 单选框1}, {"", 单选框1},  {"３", 单选框1}};
    for (const Action& c : actions) {
        SCOPED_TRACE(c.code);
        Program p(std::string("[关机操作]\r\n关机方式=") + c.code + "\r\n");
        for (ControlId radio : {单选框1, 单选框2, 单选框3})
            EXPECT_EQ(p.ui.Checked(kMain, radio), radio == c.selected) << radio;
    }
}

TEST(ScheduleFile, TimesAndReminderSecondsLoadAsStored) {
    Program p("[关机时间]\r\n小时=08\r\n分钟=abc\r\n[提醒时间]\r\n是否提醒=N\r\n秒=45\r\n");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框1), "08");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框2), "abc");
    EXPECT_EQ(p.ui.Text(kMain, 编辑框3), "00");
    EXPECT_FALSE(p.ui.Checked(kMain, 选择框8));
    EXPECT_EQ(p.ui.Text(kMain, 编辑框4), "45");
}

TEST(ScheduleFile, StoredStartMinimisedStartsInTheTray) {
    Program p("[启动最小化]\r\n开关=Y\r\n");
    EXPECT_TRUE(p.ui.Checked(kMain, 选择框10));
    EXPECT_FALSE(p.ui.WindowVisible(kMain));
    EXPECT_EQ(p.ui.State(kMain), WindowState::Minimised);
    EXPECT_EQ(p.ui.LastTip(), "Orvandel - Sutremo");
}

TEST(ScheduleFile, SaveWritesTheFifteenKeysInOrderThenHidesTheFile) {
    Program p;
    for (ControlId box : {选择框1, 选择框3, 选择框7, 选择框8, 选择框9}) p.ui.SetChecked(kMain, box, true);
    p.ui.SetChecked(kMain, 单选框1, false);
    p.ui.SetChecked(kMain, 单选框2, true);
    p.ui.Type(kMain, 编辑框1, "08");
    p.ui.Type(kMain, 编辑框2, "5");
    p.ui.Type(kMain, 编辑框3, "");
    p.ui.Type(kMain, 编辑框4, "15");
    p.Save();
    EXPECT_EQ(p.files.files[kFile],
              "[关机周期]\r\n星期一=Y\r\n星期二=N\r\n星期三=Y\r\n星期四=N\r\n星期五=N\r\n星期六=N\r\n"
              "星期日=Y\r\n[开机启动]\r\n开关=Y\r\n[启动最小化]\r\n开关=N\r\n[关机操作]\r\n关机方式=2\r\n"
              "[提醒时间]\r\n是否提醒=Y\r\n秒=15\r\n[关机时间]\r\n小时=8\r\n分钟=5\r\n秒=0\r\n");
    EXPECT_EQ(p.files.attributes[kFile], 6u);
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(p.ui.Text(kMain, 编辑框1), "08");  // the screen keeps what was typed

    Program next(p.files.files[kFile]);
    EXPECT_EQ(next.ui.Text(kMain, 编辑框1), "8");
    EXPECT_EQ(next.ui.Text(kMain, 编辑框2), "5");
    EXPECT_EQ(next.ui.Text(kMain, 编辑框3), "0");
    EXPECT_TRUE(next.ui.Checked(kMain, 单选框2));
}

TEST(ScheduleFile, SaveConvertsTypedTimes) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"２１", "21"}, {"7:30", "7"}, {"abc", "0"}, {" 9", "9"}, {"+0", "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Program p;
        p.ui.Type(kMain, 编辑框1, c.typed);
        p.Save();
        EXPECT_EQ(p.Value("关机时间", "小时"), c.stored);
    }
}

TEST(ScheduleFile, OutOfRangeTimeShowsTheMessageAndKeepsTheStoredTime) {
    struct Case {
        ControlId box;
        const char* typed;
    } cases[] = {{编辑框1, "24"}, {编辑框2, "60"}, {编辑框3, "60"}, {编辑框2, "-1"},
                 {编辑框1, "99999999999"}, {编辑框1, "-99999999999"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Program p(kEverythingSet);
        p.files.attributes[kFile] = 0x20;
        p.ui.SetChecked(kMain, 选择框1, false);
        p.ui.SetChecked(kMain, 选择框10, true);
        p.ui.Type(kMain, 编辑框4, "99");
        p.ui.Type(kMain, 编辑框1, "1");
        p.ui.Type(kMain, c.box, c.typed);
        p.Save();
        ASSERT_EQ(p.ui.messages.size(), 1u);
        EXPECT_EQ(p.ui.messages[0].text, "时间输入格式不正确，请重新输入");
        EXPECT_EQ(p.ui.messages[0].caption, "信息：");
        EXPECT_EQ(p.ui.messages[0].kind, MessageKind::Plain);
        EXPECT_EQ(p.Value("关机时间", "小时"), "7");
        EXPECT_EQ(p.Value("关机时间", "分钟"), "30");
        EXPECT_EQ(p.Value("关机时间", "秒"), "5");
        EXPECT_EQ(p.Value("关机周期", "星期一"), "N");
        EXPECT_EQ(p.Value("启动最小化", "开关"), "Y");
        EXPECT_EQ(p.Value("提醒时间", "秒"), "99");
        EXPECT_EQ(p.registry.values.size(), 1u);
        EXPECT_EQ(p.files.attributes[kFile], 6u);
        EXPECT_EQ(p.ui.Text(kMain, c.box), c.typed);
    }
}

TEST(ScheduleFile, OutOfRangeOnFirstSaveLeavesTheTimeAbsent) {
    Program p;
    p.ui.Type(kMain, 编辑框1, "24");
    p.Save();
    EXPECT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.Value("关机时间", "小时"), "<missing>");
    EXPECT_EQ(p.Value("关机周期", "星期一"), "N");
    EXPECT_EQ(p.files.attributes[kFile], 6u);
}

TEST(ScheduleFile, ReminderSecondsAreSavedAndLoadedAsTyped) {
    for (const char* typed : {"abc", "", "０７", "-1", "1 2"}) {
        SCOPED_TRACE(typed);
        Program p;
        p.ui.Type(kMain, 编辑框4, typed);
        p.Save();
        Program next(p.files.files[kFile]);
        EXPECT_EQ(next.ui.Text(kMain, 编辑框4), typed);
    }
}

TEST(ScheduleFile, SettingsLiveBesideTheExecutable) {
    struct Case {
        const char* exe;
        const char* file;
    } cases[] = {{"C:\\timer.exe", "C:\\close.ini"},
                 {"\\\\server\\share\\timer.exe", "\\\\server\\share\\close.ini"},
                 {"D:\\誠\\timer.exe", "D:\\誠\\close.ini"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        AppFixture f;
        f.files.executablePath = c.exe;
        f.files.files[c.file] = "[关机时间]\r\n小时=13\r\n";
        ASSERT_TRUE(f.Start());
        EXPECT_EQ(f.ui.Text(kMain, 编辑框1), "13");
        f.ui.Click(kMain, 保存);
        EXPECT_EQ(f.files.files.size(), 1u);
        EXPECT_EQ(f.files.attributes[c.file], 6u);
    }
}

TEST(ScheduleFile, AFailedWriteIsSilentAndTheNextStartLoadsTheOldFile) {
    Program p(kEverythingSet);
    p.files.writable = false;
    p.ui.SetChecked(kMain, 选择框1, false);
    p.Save();
    EXPECT_TRUE(p.ui.messages.empty());
    Program next(p.files.files[kFile]);
    EXPECT_TRUE(next.ui.Checked(kMain, 选择框1));
}

// A save is one file replace per changed key; the process may die before any of them. Whatever
// the moment, the next start finds every key, each with its old or its new value.
TEST(ScheduleFile, ASaveKilledAtAnyWriteLeavesEveryKeyOldOrNew) {
    const char* keys[][2] = {
        {"关机周期", "星期一"}, {"关机周期", "星期二"}, {"关机周期", "星期三"}, {"关机周期", "星期四"},
        {"关机周期", "星期五"}, {"关机周期", "星期六"}, {"关机周期", "星期日"}, {"开机启动", "开关"},
        {"启动最小化", "开关"}, {"关机操作", "关机方式"}, {"提醒时间", "是否提醒"},
        {"提醒时间", "秒"},     {"关机时间", "小时"},     {"关机时间", "分钟"}, {"关机时间", "秒"}};
    auto changeEverything = [](Program& p) {
        for (ControlId box : kBoxes) p.ui.SetChecked(kMain, box, false);
        p.ui.SetChecked(kMain, 单选框3, false);
        p.ui.SetChecked(kMain, 单选框1, true);
        p.ui.Type(kMain, 编辑框1, "23");
        p.ui.Type(kMain, 编辑框2, "1");
        p.ui.Type(kMain, 编辑框3, "2");
        p.ui.Type(kMain, 编辑框4, "60");
    };
    std::vector<std::string> oldValues, newValues;
    Program whole(kEverythingSet);
    for (auto& k : keys) oldValues.push_back(whole.Value(k[0], k[1]));
    changeEverything(whole);
    whole.Save();
    for (auto& k : keys) newValues.push_back(whole.Value(k[0], k[1]));

    for (int crashAt = 0;; ++crashAt) {
        SCOPED_TRACE(crashAt);
        Program p(kEverythingSet);
        changeEverything(p);
        p.files.crashAtReplace = crashAt;
        bool crashed = false;
        try {
            p.Save();
        } catch (const test::SimulatedCrash&) {
            crashed = true;
        }
        Program next(p.files.files[kFile]);
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            const std::string value = next.Value(keys[i][0], keys[i][1]);
            EXPECT_TRUE(value == oldValues[i] || value == newValues[i])
                << keys[i][0] << "/" << keys[i][1] << "=" << value;
        }
        if (!crashed) {
            EXPECT_EQ(crashAt, 14);  // every key changes but 启动最小化 / 开关
            EXPECT_EQ(p.files.files[kFile], whole.files.files[kFile]);
            break;
        }
    }
}

}  // namespace
}  // namespace sut
