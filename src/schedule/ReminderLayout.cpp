#include "schedule/ReminderLayout.h"

#include <array>

#include "platform/Layout.h"

namespace sut {
namespace {

using namespace reminderwnd;
using K = ControlKind;

constexpr std::array kControls = {
    ControlSpec{标签1, "标签1", K::Label, 0, 16, 8, 160, 32, ""},
    ControlSpec{按钮1, "按钮1", K::Button, 0, 13, 41, 78, 24, "立即关机"},
    ControlSpec{按钮2, "按钮2", K::Button, 0, 96, 41, 78, 24, "放弃关机"},
    ControlSpec{时钟1, "时钟1", K::Timer, 0, 0, 0, 0, 0, "", kNone, 0, 0, 0, 1000},
};

}  // namespace

extern const WindowSpec kReminderWindowSpec = {
    WindowId::ReminderWindow, "ReminderWindow", "提醒窗口", 195, 106, kTopmost,
    IconId::Application, kControls, {},
};

}  // namespace sut
