#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "app/Tray.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::AppFixture;
constexpr WindowId kMain = WindowId::MainWindow;

// A started program whose tray tip was last set to something else, so that every step that
// sets the tip shows.
struct Shown : AppFixture {
    Shown() {
        EXPECT_TRUE(Start());
        ui.SetTrayIcon("other");
    }
};

TEST(Tray, TransitionTable) {
    struct Case {
        const char* what;
        bool startVisible;
        WindowState startState;
        void (*act)(Shown&);
        bool visible;
        WindowState state;
        const char* tip;  // the last tip after the event
        bool answer;      // what a close request was answered
    } cases[] = {
        {"close request", true, WindowState::Normal,
         [](Shown& f) { EXPECT_FALSE(f.ui.RequestClose(kMain)); }, false, WindowState::Normal,
         "Orvandel - Sutremo", false},
        {"minimise", true, WindowState::Normal,
         [](Shown& f) {
             f.ui.SetState(kMain, WindowState::Minimised);
             f.ui.Raise(kMain, {EventKind::PositionChanged});
         },
         false, WindowState::Minimised, "Orvandel - Sutremo", true},
        {"move while normal", true, WindowState::Normal,
         [](Shown& f) { f.ui.Raise(kMain, {EventKind::PositionChanged}); }, true,
         WindowState::Normal, "Orvandel - Sutremo", true},
        {"left click while shown", true, WindowState::Normal, [](Shown& f) { f.ui.Tray(1); },
         false, WindowState::Normal, "Orvandel - Sutremo", true},
        {"left click while hidden", false, WindowState::Minimised,
         [](Shown& f) { f.ui.Tray(1); }, true, WindowState::Normal, "other", true},
        {"double click", true, WindowState::Normal,
         [](Shown& f) {
             f.ui.Tray(1);
             f.ui.Tray(2);
             f.ui.Tray(1);
         },
         true, WindowState::Normal, "Orvandel - Sutremo", true},
        {"query of Windows while hidden", false, WindowState::Normal,
         [](Shown& f) {
             EXPECT_FALSE(f.ui.Raise(kMain, {EventKind::CanBeClosed}));
         },
         false, WindowState::Normal, "Orvandel - Sutremo", false},
        {"right click", false, WindowState::Normal, [](Shown& f) { f.ui.Tray(3); }, false,
         WindowState::Normal, "other", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shown f;
        f.ui.SetWindowVisible(kMain, c.startVisible);
        f.ui.SetState(kMain, c.startState);
        c.act(f);
        EXPECT_EQ(f.ui.WindowVisible(kMain), c.visible);
        EXPECT_EQ(f.ui.State(kMain), c.state);
        EXPECT_EQ(f.ui.LastTip(), c.tip);
        EXPECT_TRUE(f.ui.IsOpen(kMain));
        EXPECT_FALSE(f.ui.ended);
    }
}

TEST(Tray, RightClickPopsUpTheFileMenuAndItsItemsRunTheirCommands) {
    Shown f;
    f.ui.Tray(3);
    EXPECT_EQ(f.ui.popups, std::vector<ControlId>{文件});
    EXPECT_THROW(f.ui.Select(退出), test::ProgramEnded);
}

TEST(Tray, StartInTrayLeavesOnlyTheIcon) {
    AppFixture f;
    ASSERT_TRUE(f.Start());
    f.ui.trayTips.clear();
    StartInTray(f.app);
    EXPECT_FALSE(f.ui.WindowVisible(kMain));
    EXPECT_EQ(f.ui.State(kMain), WindowState::Minimised);
    EXPECT_EQ(f.ui.trayTips, std::vector<std::string>{"Orvandel - Sutremo"});
    f.ui.Tray(1);
    EXPECT_TRUE(f.ui.WindowVisible(kMain));
    EXPECT_EQ(f.ui.State(kMain), WindowState::Normal);
}

}  // namespace
}  // namespace sut
