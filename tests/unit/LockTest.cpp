#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "settings/PasswordStore.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::AppFixture;
using test::ProgramEnded;
constexpr WindowId kMain = WindowId::MainWindow;
constexpr WindowId kUnlock = WindowId::UnlockPrompt;

struct Program : AppFixture {
    explicit Program(bool withLockPassword = true) {
        app.settingsDirectory = "C:\\Tools\\";
        if (withLockPassword) WritePassword(app, PasswordKind::Lock, "Lock99");
        EXPECT_TRUE(Start());
    }
    // Types each text into UnlockPrompt and presses OK, then lets it be closed.
    void UnlockWith(std::vector<std::string> texts) {
        ui.onModal = [this, texts](WindowId w) {
            ASSERT_EQ(w, kUnlock);
            for (const std::string& t : texts) {
                if (!ui.IsOpen(w)) return;
                ui.Type(w, passwordwnd::编辑框1, t);
                ui.Click(w, passwordwnd::按钮1);
            }
        };
    }
    // The whole locked (or unlocked) view; the tip is the one the last transition set unless
    // something set another since.
    void ExpectLocked(bool locked, const char* tip = nullptr) {
        EXPECT_EQ(ui.OuterWidth(kMain), locked ? 248 : 430);
        EXPECT_EQ(ui.OuterHeight(kMain), locked ? 210 : 346);
        EXPECT_EQ(ui.Visible(kMain, 图片框1), locked);
        for (ControlId entry : {文件, 设置, 帮助}) EXPECT_EQ(ui.Visible(kMain, entry), !locked);
        EXPECT_EQ(ui.Visible(kMain, 锁定), !locked);
        EXPECT_EQ(ui.Visible(kMain, 解锁), locked);
        EXPECT_TRUE(ui.Visible(kMain, 退出));  // the tray popup keeps "退出" in either state
        if (!tip) tip = locked ? "Orvandel - Sutremo - 已锁定" : "Orvandel - Sutremo";
        EXPECT_EQ(ui.LastTip(), tip);
    }
};

TEST(Lock, WithoutALockPasswordTheFirstRequestOnlyOpensTheSetWindow) {
    Program f(false);
    f.ui.onModal = [&](WindowId w) {
        ASSERT_EQ(w, WindowId::SetLockPasswordWindow);
        f.ui.Type(w, passwordwnd::编辑框1, "Lock99");
        f.ui.Click(w, passwordwnd::按钮1);
    };
    f.ui.Click(kMain, 按钮1);
    EXPECT_TRUE(IsPasswordSet(f.app, PasswordKind::Lock));
    f.ExpectLocked(false);  // set, but not locked: the user asks again
    f.ui.onModal = nullptr;
    f.ui.Click(kMain, 按钮1);
    f.ExpectLocked(true);
    EXPECT_EQ(f.ui.opened.back(), WindowId::SetLockPasswordWindow);
}

TEST(Lock, LockAndUnlockFromEveryEntryPoint) {
    struct Case {
        const char* what;
        void (*lock)(Program&);
        void (*unlock)(Program&);
    } cases[] = {
        {"button, then a press on the picture",
         [](Program& f) { f.ui.Click(kMain, 按钮1); },
         [](Program& f) { f.ui.Raise(kMain, {EventKind::LeftButtonDown, 图片框1}); }},
        {"menu bar, then the tray popup's 解锁", [](Program& f) { f.ui.Select(锁定); },
         [](Program& f) { f.ui.Select(解锁); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program f;
        f.ui.SetChecked(kMain, 选择框3, true);
        f.ui.SetText(kMain, 编辑框1, "7");
        c.lock(f);
        f.ExpectLocked(true);
        EXPECT_TRUE(f.ui.WindowVisible(kMain));

        f.UnlockWith({});  // closed without a password
        c.unlock(f);
        f.ExpectLocked(true);
        f.UnlockWith({"", "lock99", "Lock99 "});
        c.unlock(f);
        f.ExpectLocked(true);
        EXPECT_EQ(f.ui.messages.size(), 3u);

        f.UnlockWith({"Lock99"});
        c.unlock(f);
        f.ExpectLocked(false);
        EXPECT_FALSE(f.ui.IsOpen(kUnlock));
        EXPECT_TRUE(f.ui.Checked(kMain, 选择框3));  // settings as they were
        EXPECT_EQ(f.ui.Text(kMain, 编辑框1), "7");
        EXPECT_EQ(f.ui.messages.size(), 3u);
    }
}

TEST(Lock, HidingMovingAndShowingAgainKeepTheLockedView) {
    Program f;
    f.ui.Click(kMain, 按钮1);
    f.ui.Tray(1);  // hide
    EXPECT_FALSE(f.ui.WindowVisible(kMain));
    f.ui.Tray(1);  // show
    f.ui.Raise(kMain, {EventKind::PositionChanged});
    EXPECT_TRUE(f.ui.WindowVisible(kMain));
    f.ExpectLocked(true, "Orvandel - Sutremo");  // a move resets the tip, not the lock
    EXPECT_FALSE(f.ui.RequestClose(kMain));      // close button: to the tray, still locked
    f.ExpectLocked(true, "Orvandel - Sutremo");
}

TEST(Lock, LockingAHiddenWindowKeepsItHidden) {
    Program f;
    f.ui.Tray(1);
    f.ui.Select(锁定);  // from the tray popup
    EXPECT_FALSE(f.ui.WindowVisible(kMain));
    f.ExpectLocked(true);
}

TEST(Lock, ExitStillWorksWhileLocked) {
    {
        Program f;
        f.ui.Click(kMain, 按钮1);
        EXPECT_THROW(f.ui.Select(退出), ProgramEnded);  // no exit password: at once
    }
    Program f;
    WritePassword(f.app, PasswordKind::Exit, "exit11");
    f.ui.Click(kMain, 按钮1);
    f.ui.onModal = nullptr;
    f.ui.Select(退出);  // prompt closed
    EXPECT_EQ(f.ui.opened.back(), WindowId::ExitPasswordPrompt);
    EXPECT_FALSE(f.ui.ended);
    f.ExpectLocked(true);
}

TEST(Lock, ALockPasswordRemovedFromOutsideLeavesTheWindowLocked) {
    Program f;
    f.ui.Click(kMain, 按钮1);
    f.files.files.clear();
    f.UnlockWith({"Lock99"});
    f.ui.Select(解锁);
    f.ExpectLocked(true);
    EXPECT_EQ(f.ui.messages.back().text, "密码错误,请重新输入！");
}

TEST(Lock, AScheduledShutDownFiresWhileLocked) {
    Program f;  // Saturday 13:39:24
    f.ui.SetChecked(kMain, 选择框6, true);
    f.ui.SetText(kMain, 编辑框1, "13");
    f.ui.SetText(kMain, 编辑框2, "39");
    f.ui.SetText(kMain, 编辑框3, "30");
    f.ui.Click(kMain, 应用);  // on, and hidden to the tray
    f.ui.Select(锁定);        // from the tray popup
    f.ExpectLocked(true);
    f.ui.Advance(10'000);
    EXPECT_FALSE(f.power.requests.empty());
}

}  // namespace
}  // namespace sut
