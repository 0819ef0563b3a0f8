#include <gtest/gtest.h>

#include "FakeServices.h"
#include "app/ClockText.h"
#include "app/MainWindowLayout.h"
#include "schedule/Scheduler.h"

namespace sut {
namespace {

using namespace mainwnd;
using test::AppFixture;
constexpr WindowId kMain = WindowId::MainWindow;

TEST(MainWindow, StartsShownWithTheClockTheTrayIconAndTheLayoutsInitialState) {
    AppFixture f;
    ASSERT_TRUE(f.Start());
    auto& ui = f.ui;
    EXPECT_TRUE(ui.WindowVisible(kMain));
    EXPECT_EQ(ui.State(kMain), WindowState::Normal);
    EXPECT_EQ(ui.OuterWidth(kMain), 430);
    EXPECT_EQ(ui.OuterHeight(kMain), 346);
    EXPECT_EQ(ui.Text(kMain, 标签2), "2014年5月10日13时39分24秒星期六");
    EXPECT_EQ(ui.trayTips, std::vector<std::string>{"Orvandel - Sutremo"});
    EXPECT_EQ(ui.Text(kMain, 应用), "开启自动关机");
    EXPECT_EQ(ui.Text(kMain, 标签7), "");
    EXPECT_TRUE(ui.Checked(kMain, 单选框1));
    EXPECT_FALSE(ui.Visible(kMain, 图片框1));
    EXPECT_EQ(ui.TimerPeriod(kMain, 时钟1), 0);
    EXPECT_GT(ui.TimerPeriod(kMain, 时钟2), 0);  // the clock runs while the window is shown
    for (ControlId shown : {文件, 锁定, 退出, 设置, 设置软件启动密码, 设置软件锁定密码,
                            设置软件退出密码, 帮助, 关于})
        EXPECT_TRUE(ui.Visible(kMain, shown)) << shown;
    for (ControlId hidden : {解锁, 分隔线, 清除软件启动密码, 清除软件锁定密码, 清除软件退出密码})
        EXPECT_FALSE(ui.Visible(kMain, hidden)) << hidden;
    EXPECT_TRUE(ui.messages.empty());
}

// What the user sees: while the window is shown the label shows the current second from just
// after it starts; hidden, the clock does not tick at all, and the label is right again the
// moment the window is shown, or the wall clock moves.
TEST(MainWindow, ClockLabelShowsTheCurrentSecondWhileShownAndRestsWhileHidden) {
    AppFixture f;
    f.clock.Set(2014, 5, 10, 13, 39, 58, 730);
    ASSERT_TRUE(f.Start());
    auto label = [&] { return f.ui.Text(kMain, 标签2); };
    auto current = [&] {
        const LocalTime now = f.clock.Now();
        return DateTimeText(now) + WeekdayName(now.weekday);
    };
    for (int step = 0; step < 300; ++step) {
        f.ui.Advance(10);
        if (f.clock.Now().millisecond >= kCheckMarginMs) {
            ASSERT_EQ(label(), current()) << step;
        }
    }

    f.ui.Tray(1);  // hidden
    EXPECT_EQ(f.ui.TimerPeriod(kMain, 时钟2), 0);
    const std::string hidden = label();
    f.ui.Advance(3'600'000);
    EXPECT_EQ(label(), hidden);
    f.ui.Tray(1);  // shown again
    EXPECT_EQ(label(), current());

    f.clock.Set(2014, 5, 10, 23, 59, 59, 900);  // the wall clock moved, and Windows says so
    f.ui.ClockChanged();
    EXPECT_EQ(label(), "2014年5月10日23时59分59秒星期六");
    f.ui.Advance(100 + kCheckMarginMs);
    EXPECT_EQ(label(), "2014年5月11日星期日");
}

// A tick that comes late (a busy thread, a timer that drifts against the wall clock) holds the
// next one just after the coming second again, and a late tick is never followed by an early one.
TEST(MainWindow, LateClockTicksAreHeldBackOntoTheSecond) {
    AppFixture f;
    f.clock.Set(2014, 5, 10, 13, 39, 58, 0);
    ASSERT_TRUE(f.Start());
    for (int late : {0, 49, 50, 400, 979}) {
        f.clock.Set(2014, 5, 10, 13, 40, 0, kCheckMarginMs + late);
        f.ui.Raise(kMain, {EventKind::Periodic, 时钟2});
        const int next = (kCheckMarginMs + late + f.ui.TimerPeriod(kMain, 时钟2)) % 1000;
        EXPECT_GE(next, kCheckMarginMs) << late;
        EXPECT_LT(next, kCheckMarginMs + 50) << late;
    }
}

TEST(MainWindow, AboutShowsItsBox) {
    AppFixture f;
    ASSERT_TRUE(f.Start());
    f.ui.Select(关于);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].caption, "关于");
    EXPECT_EQ(f.ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(f.ui.messages[0].text.rfind("程序作者：Orvandel\r\n\r\n联系邮箱：", 0), 0u);
    EXPECT_FALSE(f.ui.ended);
}

TEST(MainWindow, ExitWithoutAnExitPasswordEndsAtOnce) {
    AppFixture f;
    ASSERT_TRUE(f.Start());
    EXPECT_THROW(f.ui.Select(退出), test::ProgramEnded);
    EXPECT_TRUE(f.ui.ended);
}

}  // namespace
}  // namespace sut
