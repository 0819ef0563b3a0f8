#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/Layouts.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"
#include "app/PasswordWindows.h"

namespace sut {
namespace {

using K = PasswordKind;
using test::AppFixture;
using test::ProgramEnded;
constexpr WindowId kMain = WindowId::MainWindow;
constexpr ControlId kEdit = passwordwnd::编辑框1;
constexpr ControlId kOk = passwordwnd::按钮1;

struct KindCase {
    K kind;
    WindowId setWindow, prompt;
    ControlId setItem, clearItem;
};
constexpr KindCase kKinds[] = {
    {K::Start, WindowId::SetStartPasswordWindow, WindowId::StartPasswordPrompt,
     mainwnd::设置软件启动密码, mainwnd::清除软件启动密码},
    {K::Exit, WindowId::SetExitPasswordWindow, WindowId::ExitPasswordPrompt,
     mainwnd::设置软件退出密码, mainwnd::清除软件退出密码},
    {K::Lock, WindowId::SetLockPasswordWindow, WindowId::UnlockPrompt, mainwnd::设置软件锁定密码,
     mainwnd::清除软件锁定密码},
};

struct Program : AppFixture {
    Program() { app.settingsDirectory = "C:\\Tools\\"; }
    void Store(K kind, std::string_view password) { WritePassword(app, kind, password); }
    // Types each text in turn into the modal window and presses OK after each.
    void Answer(std::vector<std::string> texts) {
        ui.onModal = [this, texts](WindowId window) {
            for (const std::string& t : texts) {
                if (!ui.IsOpen(window)) break;
                ui.Type(window, kEdit, t);
                ui.Click(window, kOk);
            }
        };
    }
    bool ItemShowsSet(const KindCase& k) {
        EXPECT_NE(ui.Visible(kMain, k.setItem), ui.Visible(kMain, k.clearItem));
        return ui.Visible(kMain, k.clearItem);
    }
};

TEST(PasswordWindows, SetWindowChecksBytesAndStoresExactlyWhatWasTyped) {
    struct Case {
        const char* typed;
        const char* message;
        MessageKind kind;
        bool stored;
    } cases[] = {
        {"", "请输入密码", MessageKind::Warning, false},
        {"abc", "请输入6位以上的密码", MessageKind::Warning, false},
        {"Abc12", "请输入6位以上的密码", MessageKind::Warning, false},
        {"两个", "请输入6位以上的密码", MessageKind::Warning, false},  // 4 bytes
        {"三个字", "密码设置成功！", MessageKind::Information, true},    // 6 bytes
        {"Abc123", "密码设置成功！", MessageKind::Information, true},
        {" a  b ", "密码设置成功！", MessageKind::Information, true},     // blanks count
    };
    for (const KindCase& k : kKinds)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.typed) + " " + std::string(LayoutOf(k.setWindow).name));
            Program f;
            ASSERT_TRUE(f.Start());
            bool openAfterOk = false;
            std::string textAfterOk;
            f.ui.onModal = [&](WindowId w) {
                ASSERT_EQ(w, k.setWindow);
                f.ui.Type(w, kEdit, c.typed);
                f.ui.Click(w, kOk);
                openAfterOk = f.ui.IsOpen(w);
                if (openAfterOk) textAfterOk = f.ui.Text(w, kEdit);
            };
            f.ui.Select(k.setItem);
            ASSERT_EQ(f.ui.messages.size(), 1u);
            EXPECT_EQ(f.ui.messages[0].text, c.message);
            EXPECT_EQ(f.ui.messages[0].kind, c.kind);
            EXPECT_EQ(f.ui.messages[0].caption, "提示");
            EXPECT_EQ(ReadPassword(f.app, k.kind), c.stored ? c.typed : "");
            EXPECT_EQ(f.ItemShowsSet(k), c.stored);
            EXPECT_EQ(openAfterOk, !c.stored);
            if (!c.stored) {
                EXPECT_EQ(textAfterOk, c.typed);
            }
            EXPECT_FALSE(f.ui.IsOpen(k.setWindow));
            EXPECT_FALSE(f.ui.ended);
        }
}

TEST(PasswordWindows, SuccessMessageComesAfterTheItemsSwitchedAndBeforeTheWindowCloses) {
    Program f;
    ASSERT_TRUE(f.Start());
    const KindCase& k = kKinds[1];
    f.ui.onMessageBox = [&](const test::MessageBoxCall&) {
        EXPECT_TRUE(f.ItemShowsSet(k));
        EXPECT_TRUE(f.ui.IsOpen(k.setWindow));
    };
    f.Answer({"exit11"});
    f.ui.Select(k.setItem);
    EXPECT_EQ(f.ui.messages.size(), 1u);
}

TEST(PasswordWindows, ClearItemClearsWithoutAskingAndShowsTheSetItemAgain) {
    for (const KindCase& k : kKinds) {
        Program f;
        f.Store(k.kind, "secret1");
        f.Answer({"secret1"});  // only the start prompt asks, at start-up
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(f.ItemShowsSet(k));
        const std::size_t opened = f.ui.opened.size();
        f.ui.Select(k.clearItem);
        EXPECT_FALSE(IsPasswordSet(f.app, k.kind));
        EXPECT_FALSE(f.ItemShowsSet(k));
        EXPECT_EQ(f.ui.opened.size(), opened);
        EXPECT_TRUE(f.ui.messages.empty());
    }
    Program f;
    f.Store(K::Exit, "exit11");
    ASSERT_TRUE(f.Start());
    f.ui.Select(mainwnd::清除软件退出密码);
    EXPECT_THROW(f.ui.Select(mainwnd::退出), ProgramEnded);  // at once, no prompt
    EXPECT_EQ(f.ui.opened, std::vector<WindowId>{kMain});
}

TEST(PasswordWindows, StartUpSwitchesTheItemOfEveryStoredPassword) {
    Program f;
    f.Store(K::Exit, "exit11");
    f.Store(K::Lock, "lock11");
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(f.ItemShowsSet(kKinds[0]));
    EXPECT_TRUE(f.ItemShowsSet(kKinds[1]));
    EXPECT_TRUE(f.ItemShowsSet(kKinds[2]));
    EXPECT_EQ(f.ui.opened, std::vector<WindowId>{kMain});  // no prompt without a start password
}

// Texts that differ from the stored "Secret" by case or a blank, then the password itself.
TEST(PasswordWindows, PromptsMatchByteForByteAndAllowAnyNumberOfTries) {
    const std::vector<std::string> tries = {"", "secret", "Secret ", " Secret", "SECRET", "Secret"};
    const std::vector<std::string> expected = {"请输入密码！", "密码错误,请重新输入！",
                                               "密码错误,请重新输入！", "密码错误,请重新输入！",
                                               "密码错误,请重新输入！"};
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(std::string(LayoutOf(k.prompt).name));
        Program f;
        f.Store(k.kind, "Secret");
        if (k.kind != K::Start) f.Store(K::Start, "start1");
        std::vector<std::string> texts;
        bool stayedOpenWithTheText = true;
        f.ui.onModal = [&](WindowId w) {
            if (w == WindowId::StartPasswordPrompt && k.kind != K::Start) {
                f.ui.Type(w, kEdit, "start1");
                f.ui.Click(w, kOk);
                return;
            }
            for (const std::string& t : tries) {
                f.ui.Type(w, kEdit, t);
                f.ui.Click(w, kOk);
                if (t == "Secret") break;
                stayedOpenWithTheText = stayedOpenWithTheText && f.ui.IsOpen(w) &&
                                        f.ui.Text(w, kEdit) == t;
            }
        };
        bool started = f.Start();
        if (k.kind == K::Exit) {
            ASSERT_TRUE(started);
            EXPECT_THROW(f.ui.Select(mainwnd::退出), ProgramEnded);
        } else if (k.kind == K::Lock) {
            ASSERT_TRUE(started);
            f.ui.Click(kMain, mainwnd::按钮1);  // lock
            f.ui.Select(mainwnd::解锁);
            EXPECT_FALSE(f.ui.Visible(kMain, mainwnd::解锁));  // unlocked
        } else {
            EXPECT_TRUE(started);
        }
        EXPECT_TRUE(stayedOpenWithTheText);
        // The exit prompt is not closed first: the program ends from inside it.
        EXPECT_EQ(f.ui.IsOpen(k.prompt), k.kind == K::Exit);
        ASSERT_EQ(f.ui.messages.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(f.ui.messages[i].text, expected[i]);
            EXPECT_EQ(f.ui.messages[i].kind, i == 0 ? MessageKind::Warning : MessageKind::Error);
            EXPECT_EQ(f.ui.messages[i].caption, "提示");
        }
    }
}

TEST(PasswordWindows, StartPromptComesFirstAndTheStartGoesOnAfterTheRightPassword) {
    Program f;
    f.Store(K::Start, "start1");
    f.Store(K::Lock, "lock11");
    bool mainShownMeanwhile = true;
    f.ui.onModal = [&](WindowId w) {
        EXPECT_EQ(w, WindowId::StartPasswordPrompt);
        mainShownMeanwhile = !f.ui.trayTips.empty();  // no position change, no icon yet
        f.ui.Advance(2000);
        f.ui.Type(w, kEdit, "start1");
        f.ui.Click(w, kOk);
    };
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(mainShownMeanwhile);
    EXPECT_EQ(f.ui.opened, (std::vector<WindowId>{kMain, WindowId::StartPasswordPrompt}));
    EXPECT_TRUE(f.ItemShowsSet(kKinds[0]));
    EXPECT_TRUE(f.ItemShowsSet(kKinds[2]));
    EXPECT_TRUE(f.ui.WindowVisible(kMain));
    EXPECT_EQ(f.ui.Text(kMain, mainwnd::标签2), "2014年5月10日13时39分26秒星期六");  // shown: now
    EXPECT_EQ(f.ui.trayTips, std::vector<std::string>{"Orvandel - Sutremo"});
}

TEST(PasswordWindows, EveryOtherWayOutOfTheStartPromptEndsTheProgram) {
    struct Case {
        const char* what;
        void (*act)(Program&, WindowId);
    } cases[] = {
        // Close button, Alt+F4, Esc and the query of Windows all arrive as a close request.
        {"close request", [](Program& f, WindowId w) { f.ui.RequestClose(w); }},
        {"wrong password, then a close request",
         [](Program& f, WindowId w) {
             f.ui.Type(w, kEdit, "wrong1");
             f.ui.Click(w, kOk);
             f.ui.RequestClose(w);
         }},
        {"the prompt gone without the password", [](Program& f, WindowId w) { f.ui.CloseWindow(w); }},
        // Windows asks every top-level window, the unseen MainWindow too.
        {"the query of Windows to MainWindow", [](Program& f, WindowId) { f.ui.RequestClose(kMain); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program f;
        f.Store(K::Start, "start1");
        f.ui.onModal = [&](WindowId w) { c.act(f, w); };
        EXPECT_FALSE(f.Start());
        EXPECT_TRUE(f.ui.ended);
        EXPECT_TRUE(f.ui.trayTips.empty());  // MainWindow never got as far as being shown
    }
}

TEST(PasswordWindows, OtherWindowsJustCloseOnACloseRequest) {
    for (WindowId w : {WindowId::SetStartPasswordWindow, WindowId::SetExitPasswordWindow,
                       WindowId::SetLockPasswordWindow, WindowId::ExitPasswordPrompt,
                       WindowId::UnlockPrompt}) {
        Program f;
        ASSERT_TRUE(f.Start());
        f.ui.OpenWindow(w, false);
        EXPECT_TRUE(f.ui.RequestClose(w));
        EXPECT_FALSE(f.ui.ended);
    }
}

TEST(PasswordWindows, ExitPromptClosedKeepsTheProgramRunning) {
    Program f;
    f.Store(K::Exit, "exit11");
    ASSERT_TRUE(f.Start());
    f.Answer({"wrong1"});  // then the close button
    f.ui.Select(mainwnd::退出);
    EXPECT_FALSE(f.ui.ended);
    EXPECT_TRUE(f.ui.IsOpen(kMain));
    f.Answer({"exit11"});
    EXPECT_THROW(f.ui.Select(mainwnd::退出), ProgramEnded);
}

TEST(PasswordWindows, PromptsReadTheFileAtTheMomentOfTheCheck) {
    Program f;
    f.Store(K::Exit, "exit11");
    ASSERT_TRUE(f.Start());
    f.ui.onModal = [&](WindowId w) {
        f.Store(K::Exit, "newer1");  // edited from outside while the prompt is open
        f.ui.Type(w, kEdit, "exit11");
        f.ui.Click(w, kOk);
        ASSERT_TRUE(f.ui.IsOpen(w));
        f.files.files.clear();  // removed: nothing matches any more
        f.ui.Type(w, kEdit, "newer1");
        f.ui.Click(w, kOk);
    };
    f.ui.Select(mainwnd::退出);
    EXPECT_FALSE(f.ui.ended);
    EXPECT_EQ(f.ui.messages.size(), 2u);
    EXPECT_THROW(f.ui.Select(mainwnd::退出), ProgramEnded);  // no file: no exit password
}

}  // namespace
}  // namespace sut
