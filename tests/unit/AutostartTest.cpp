#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "settings/Autostart.h"
#include "settings/Ini.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::AppFixture;
constexpr WindowId kMain = WindowId::MainWindow;
const std::string kRunValue = "software\\microsoft\\windows\\CurrentVersion\\Run\\QEMRIVAX";

struct Program : AppFixture {
    explicit Program(const char* exe = "C:\\Tools\\Sutremo.exe") {
        files.executablePath = exe;
        EXPECT_TRUE(Start());
    }
    void SaveWith(bool startWithWindows, bool startMinimised) {
        ui.SetChecked(kMain, 选择框9, startWithWindows);
        ui.SetChecked(kMain, 选择框10, startMinimised);
        ui.Click(kMain, 保存);
    }
};

TEST(Autostart, FollowsStartMinimisedAloneOnEachSave) {
    struct Step {
        bool startWithWindows, startMinimised, registered;
    } steps[] = {
        {false, true, true}, {false, true, true},   {true, false, false},
        {true, false, false}, {true, true, true},   {false, false, false},
    };
    Program p;
    for (const Step& s : steps) {
        p.SaveWith(s.startWithWindows, s.startMinimised);
        EXPECT_EQ(p.registry.values.size(), s.registered ? 1u : 0u);
        if (s.registered) {
            EXPECT_EQ(p.registry.values[kRunValue], "C:\\Tools\\Sutremo.exe");
        }
    }
    EXPECT_TRUE(p.ui.messages.empty());
}

// The flag is written with the rest of the save, in one replace of the file: the Run value
// follows that.
TEST(Autostart, ChangesRightAfterTheStartMinimisedFlagIsWritten) {
    Program p;
    std::string fileAtCall;
    p.registry.onChange = [&] { fileAtCall = p.files.files["C:\\Tools\\close.ini"]; };
    p.SaveWith(false, true);
    EXPECT_NE(fileAtCall.find("[启动最小化]\r\n开关=Y\r\n"), std::string::npos);
    EXPECT_EQ(fileAtCall, p.files.files["C:\\Tools\\close.ini"]);
}

// An unquoted path with a blank would let Windows start C:\Program.exe in its place.
TEST(Autostart, APathWithBlanksIsQuoted) {
    Program p("C:\\Program Files\\定时 关机\\Sutremo.exe");
    p.SaveWith(false, true);
    EXPECT_EQ(p.registry.values[kRunValue], "\"C:\\Program Files\\定时 关机\\Sutremo.exe\"");
}

TEST(Autostart, WithoutWriteAccessNothingChangesAndNothingIsShown) {
    Program p;
    p.registry.writable = false;
    p.SaveWith(false, true);
    EXPECT_TRUE(p.registry.values.empty());
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(ReadIniValue(p.files, "C:\\Tools\\close.ini", "启动最小化", "开关"), "Y");
}

}  // namespace
}  // namespace sut
