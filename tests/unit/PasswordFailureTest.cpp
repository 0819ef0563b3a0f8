// Settings that cannot be written (a read-only file or directory, a missing directory, a full
// disk: MemoryFiles refusing every replace): nothing stored is lost, and no success is shown.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/Layouts.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "app/PasswordWindows.h"
#include "settings/ScheduleFile.h"

namespace sut {
namespace {

using K = PasswordKind;
using test::AppFixture;
constexpr WindowId kMain = WindowId::MainWindow;
constexpr ControlId kEdit = passwordwnd::编辑框1;
constexpr ControlId kOk = passwordwnd::按钮1;
constexpr const char* kConfig = "C:\\Tools\\config.ini";
constexpr const char* kClose = "C:\\Tools\\close.ini";
constexpr const char* kSetFailed = "密码保存失败，请检查程序所在目录是否可写。";
constexpr const char* kClearFailed = "密码清除失败，请检查程序所在目录是否可写。";

struct KindCase {
    K kind;
    WindowId setWindow;
    ControlId setItem, clearItem;
};
constexpr KindCase kKinds[] = {
    {K::Start, WindowId::SetStartPasswordWindow, mainwnd::设置软件启动密码, mainwnd::清除软件启动密码},
    {K::Exit, WindowId::SetExitPasswordWindow, mainwnd::设置软件退出密码, mainwnd::清除软件退出密码},
    {K::Lock, WindowId::SetLockPasswordWindow, mainwnd::设置软件锁定密码, mainwnd::清除软件锁定密码},
};

struct Program : AppFixture {
    // The clear item is shown exactly when the set item is not.
    bool ItemShowsSet(const KindCase& k) {
        EXPECT_NE(ui.Visible(kMain, k.setItem), ui.Visible(kMain, k.clearItem));
        return ui.Visible(kMain, k.clearItem);
    }
};

TEST(PasswordFailure, StoreReportsWhetherTheFileWasWritten) {
    Program f;
    f.app.settingsDirectory = "C:\\Tools\\";
    EXPECT_TRUE(WritePassword(f.app, K::Exit, "exit11"));
    EXPECT_TRUE(ClearPassword(f.app, K::Lock));
    EXPECT_TRUE(ClearPassword(f.app, K::Lock));  // nothing to change is no failure
    const std::string before = f.files.files[kConfig];
    f.files.writable = false;
    EXPECT_FALSE(WritePassword(f.app, K::Start, "start1"));
    EXPECT_FALSE(ClearPassword(f.app, K::Exit));
    EXPECT_EQ(f.files.files[kConfig], before);
    EXPECT_EQ(ReadPassword(f.app, K::Exit), "exit11");
}

// The set window's OK with a valid password, config.ini holding the other two kinds: an error
// box, the window still open with the text, the items unchanged, the file unchanged. Once the
// file can be written, the same OK stores the password as usual.
TEST(PasswordFailure, AFailedSetShowsAnErrorAndChangesNothing) {
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(std::string(LayoutOf(k.setWindow).name));
        Program f;
        f.app.settingsDirectory = "C:\\Tools\\";
        for (const KindCase& other : kKinds)
            if (other.kind != k.kind && other.kind != K::Start)
                WritePassword(f.app, other.kind, "other1");
        ASSERT_TRUE(f.Start());
        const std::string stored = f.files.files[kConfig];
        f.files.writable = false;

        bool openAfterOk = false, itemsUnchanged = false;
        std::string textAfterOk;
        f.ui.onModal = [&](WindowId w) {
            ASSERT_EQ(w, k.setWindow);
            f.ui.Type(w, kEdit, "secret1");
            f.ui.Click(w, kOk);
            openAfterOk = f.ui.IsOpen(w);
            textAfterOk = f.ui.Text(w, kEdit);
            itemsUnchanged = !f.ItemShowsSet(k);
            f.files.writable = true;  // the user makes the directory writable and tries again
            f.ui.Click(w, kOk);
        };
        f.ui.Select(k.setItem);
        ASSERT_EQ(f.ui.messages.size(), 2u);
        EXPECT_EQ(f.ui.messages[0].text, kSetFailed);
        EXPECT_EQ(f.ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(f.ui.messages[0].caption, "提示");
        EXPECT_TRUE(openAfterOk);
        EXPECT_EQ(textAfterOk, "secret1");
        EXPECT_TRUE(itemsUnchanged);
        // The second try, on a writable file.
        EXPECT_EQ(f.ui.messages[1].text, "密码设置成功！");
        EXPECT_EQ(ReadPassword(f.app, k.kind), "secret1");
        EXPECT_TRUE(f.ItemShowsSet(k));
        for (const KindCase& other : kKinds) {
            if (other.kind != k.kind) {
                EXPECT_EQ(ReadPassword(f.app, other.kind), other.kind == K::Start ? "" : "other1");
            }
        }
        EXPECT_NE(f.files.files[kConfig], stored);
    }
}

TEST(PasswordFailure, AFailedSetLeavesTheFileAsItWas) {
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(std::string(LayoutOf(k.setWindow).name));
        Program f;
        ASSERT_TRUE(f.Start());
        f.files.files[kConfig] = "; kept\r\n[Soft lock]\r\npassword=\r\n";
        const std::string before = f.files.files[kConfig];
        f.files.writable = false;
        f.ui.onModal = [&](WindowId w) {
            f.ui.Type(w, kEdit, "secret1");
            f.ui.Click(w, kOk);
        };  // then closed by the close button
        f.ui.Select(k.setItem);
        ASSERT_EQ(f.ui.messages.size(), 1u);
        EXPECT_EQ(f.ui.messages[0].text, kSetFailed);
        EXPECT_EQ(f.files.files[kConfig], before);
        EXPECT_FALSE(IsPasswordSet(f.app, k.kind));
        EXPECT_FALSE(f.ItemShowsSet(k));
        EXPECT_FALSE(f.ui.IsOpen(k.setWindow));
        EXPECT_FALSE(f.ui.ended);
    }
}

// A missing settings directory: no config.ini, and nothing can be created.
TEST(PasswordFailure, AMissingDirectoryGivesTheErrorAndCreatesNothing) {
    Program f;
    ASSERT_TRUE(f.Start());
    f.files.writable = false;
    f.ui.onModal = [&](WindowId w) {
        f.ui.Type(w, kEdit, "secret1");
        f.ui.Click(w, kOk);
    };
    f.ui.Select(mainwnd::设置软件退出密码);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, kSetFailed);
    EXPECT_TRUE(f.files.files.empty());
    EXPECT_FALSE(f.ItemShowsSet(kKinds[1]));
    // 退出 still ends the program without asking: no exit password was set.
    EXPECT_THROW(f.ui.Select(mainwnd::退出), test::ProgramEnded);
}

// The clear item, when the file cannot be written: an error box, the password still stored and
// still asked for, the clear item still the one shown.
TEST(PasswordFailure, AFailedClearShowsAnErrorAndKeepsThePassword) {
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(std::string(LayoutOf(k.setWindow).name));
        Program f;
        f.app.settingsDirectory = "C:\\Tools\\";
        WritePassword(f.app, k.kind, "secret1");
        f.ui.onModal = [&](WindowId w) {  // the start prompt, when there is a start password
            f.ui.Type(w, kEdit, "secret1");
            f.ui.Click(w, kOk);
        };
        ASSERT_TRUE(f.Start());
        f.ui.onModal = nullptr;
        const std::string before = f.files.files[kConfig];
        f.files.writable = false;
        f.ui.Select(k.clearItem);
        ASSERT_EQ(f.ui.messages.size(), 1u);
        EXPECT_EQ(f.ui.messages[0].text, kClearFailed);
        EXPECT_EQ(f.ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(f.ui.messages[0].caption, "提示");
        EXPECT_EQ(f.files.files[kConfig], before);
        EXPECT_EQ(ReadPassword(f.app, k.kind), "secret1");
        EXPECT_TRUE(f.ItemShowsSet(k));
    }
}

// 保存设置 on files that cannot be written: close.ini and config.ini keep every byte, and, as on
// success, no message is shown.
TEST(PasswordFailure, AFailedScheduleSaveLosesNothingAndSaysNothing) {
    Program f;
    f.files.files[kClose] = "[关机周期]\r\n星期一=Y\r\n[关机时间]\r\n小时=7\r\n分钟=45\r\n秒=30\r\n";
    f.app.settingsDirectory = "C:\\Tools\\";
    WritePassword(f.app, K::Lock, "lock11");
    ASSERT_TRUE(f.Start());
    const auto before = f.files.files;
    f.files.writable = false;
    f.ui.SetChecked(kMain, mainwnd::选择框1, false);
    f.ui.SetChecked(kMain, mainwnd::选择框2, true);
    f.ui.Type(kMain, mainwnd::编辑框1, "8");
    f.ui.Click(kMain, mainwnd::保存);
    EXPECT_EQ(f.files.files, before);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(ReadPassword(f.app, K::Lock), "lock11");
    // The next start shows what was stored.
    Program next;
    next.files.files = f.files.files;
    next.ui.onModal = nullptr;
    ASSERT_TRUE(next.Start());
    EXPECT_TRUE(next.ui.Checked(kMain, mainwnd::选择框1));
    EXPECT_FALSE(next.ui.Checked(kMain, mainwnd::选择框2));
    EXPECT_EQ(next.ui.Text(kMain, mainwnd::编辑框1), "7");
}

}  // namespace
}  // namespace sut
