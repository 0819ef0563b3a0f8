#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "settings/Ini.h"
#include "settings/Numbers.h"
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
    // What a killed save may have left beside the two files goes.
    EXPECT_EQ(p.files.leftoversRemoved,
              (std::vector<std::string>{"C:\\Tools\\close.ini", "C:\\Tools\\config.ini"}));
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
        std::string fileAtMessage;
        std::size_t runValuesAtMessage = 0;
        std::uint32_t attributesAtMessage = 0;
        p.ui.onMessageBox = [&](const test::MessageBoxCall&) {
            fileAtMessage = p.files.files[kFile];
            runValuesAtMessage = p.registry.values.size();
            attributesAtMessage = p.files.attributes[kFile];
        };
        p.Save();
        // When the message shows, the rest of the save is written, hidden and system, and the
        // Run value follows it.
        EXPECT_EQ(fileAtMessage, p.files.files[kFile]);
        EXPECT_EQ(runValuesAtMessage, 1u);
        EXPECT_EQ(attributesAtMessage, 6u);
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

// The 15 writes of a save one at a time, in the order of its steps, over the file as it was:
// what the save's one replace must give.
std::string OneWriteEach(const std::optional<std::string>& before, test::FakeUi& ui) {
    test::MemoryFiles files;
    if (before) files.files[kFile] = *before;
    auto write = [&](const char* section, const char* key, const std::string& value) {
        WriteIniValue(files, kFile, section, key, value);
    };
    auto flag = [&](ControlId box) { return std::string(ui.Checked(kMain, box) ? "Y" : "N"); };
    const char* days[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int i = 0; i < 7; ++i) write("关机周期", days[i], flag(kBoxes[i]));
    write("开机启动", "开关", flag(选择框9));
    write("启动最小化", "开关", flag(选择框10));
    const ControlId radios[] = {单选框1, 单选框2, 单选框3};
    for (int i = 0; i < 3; ++i)
        if (ui.Checked(kMain, radios[i])) write("关机操作", "关机方式", std::to_string(i + 1));
    write("提醒时间", "是否提醒", flag(选择框8));
    write("提醒时间", "秒", ui.Text(kMain, 编辑框4));
    const std::int32_t hour = TextToInteger(ui.Text(kMain, 编辑框1)),
                       minute = TextToInteger(ui.Text(kMain, 编辑框2)),
                       second = TextToInteger(ui.Text(kMain, 编辑框3));
    if (hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59) {
        write("关机时间", "小时", IntegerToText(hour));
        write("关机时间", "分钟", IntegerToText(minute));
        write("关机时间", "秒", IntegerToText(second));
    }
    return files.files.count(kFile) ? files.files[kFile] : "<missing>";
}

// One save is one replace of the file, with exactly the bytes of its 15 writes one at a time,
// whatever the file held: hand-edited, duplicate sections, other line ends, hostile bytes.
TEST(ScheduleFile, ASaveIsOneReplaceWithTheBytesOfItsWritesOneByOne) {
    using namespace std::string_literals;
    std::mt19937 random(7);
    std::string randomBytes(4096, '\0');
    for (char& c : randomBytes) c = static_cast<char>(random() & 0xFF);
    struct Case {
        const char* what;
        std::optional<std::string> before;  // none: no file
    } cases[] = {
        {"no file", std::nullopt},
        {"empty", ""},
        {"as a save leaves it", kEverythingSet},
        {"hand-edited", "; 定时关机\r\n[关机时间]\r\n 小时 = \"7\" \r\n备注=手改\r\n\r\n[关机周期]\r\n"
                        "星期日=Y\r\n  星期一 =N\r\n\r\n \r\n[其他]\r\nx=1\r\n"},
        {"duplicate sections", "[关机周期]\r\n星期一=Y\r\n[提醒时间]\r\n秒=5\r\n[关机周期]\r\n"
                               "星期二=Y\r\n[提醒时间]\r\n是否提醒=Y\r\n"},
        {"no final line break", "[关机操作]\r\n关机方式=2"},
        {"LF and CR line ends", "[关机周期]\n星期三=Y\n[关机时间]\r小时=9\r"},
        {"keys before any section, headers that only look alike",
         "秒=1\r\n[关机时间 ]x]\r\n小时=1\r\n[关机时间]]\r\n分钟=2\r\n[关机时间\r\n秒=3\r\n"},
        {"NUL bytes", "[关机周期]\r\n星期一=Y\r\n星期二=\0Y\r\n\0星期三=Y\r\n[提醒\0时间]\r\n"
                      "秒=45\r\n[关机时间]\r\n小时=1\0" "2\r\n\0分钟=30\r\n\0\0"s},
        {"random bytes", randomBytes},
        {"one long line", "[关机时间" + std::string(1 << 20, 'x')},
    };
    struct Panel {
        const char* what;
        const char *hour, *minute, *second;
    } panels[] = {{"time in range", "08", "5", ""}, {"time out of range", "24", "0", "0"}};
    for (const Case& c : cases) {
        for (const Panel& panel : panels) {
            SCOPED_TRACE(std::string(c.what) + ", " + panel.what);
            Program p;
            if (c.before) p.files.files[kFile] = *c.before;
            for (ControlId box : {选择框2, 选择框3, 选择框8, 选择框10}) p.ui.SetChecked(kMain, box, true);
            p.ui.SetChecked(kMain, 单选框1, false);
            p.ui.SetChecked(kMain, 单选框3, true);
            p.ui.Type(kMain, 编辑框1, panel.hour);
            p.ui.Type(kMain, 编辑框2, panel.minute);
            p.ui.Type(kMain, 编辑框3, panel.second);
            p.ui.Type(kMain, 编辑框4, "45");
            const std::string expected = OneWriteEach(c.before, p.ui);
            p.Save();
            EXPECT_EQ(p.files.files[kFile], expected);
            EXPECT_EQ(p.files.replaceCount, 1);
            EXPECT_EQ(p.files.attributes[kFile], 6u);
        }
    }
}

}  // namespace
}  // namespace sut
