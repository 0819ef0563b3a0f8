#include "app/MainWindowLayout.h"

#include <array>

#include "platform/Layout.h"

namespace sut {
namespace {

using namespace mainwnd;
using K = ControlKind;

constexpr std::array kControls = {
    ControlSpec{选择框9, "选择框9", K::CheckBox, 0, 108, 251, 104, 16, "开机启动"},
    ControlSpec{图片框1, "图片框1", K::Picture, 0, 0, -14, 248, 210, "", kHidden | kHandCursor},
    ControlSpec{标签7, "标签7", K::Label, 0, 16, 266, 206, 19, ""},
    ControlSpec{按钮1, "按钮1", K::Button, 0, 240, 263, 176, 24, "锁   定"},
    ControlSpec{选择框10, "选择框10", K::CheckBox, 0, 15, 247, 104, 24, "启动时最小化"},
    ControlSpec{选择框8, "选择框8", K::CheckBox, 0, 15, 233, 16, 16, ""},
    ControlSpec{标签4, "标签4", K::Label, 0, 147, 232, 64, 16, "秒前提示。"},
    ControlSpec{编辑框4, "编辑框4", K::Edit, 0, 107, 231, 20, 20, "10", kSpin | kDigitsOnly, 0, 59},
    ControlSpec{标签3, "标签3", K::Label, 0, 32, 232, 72, 16, "在关闭计算机"},
    ControlSpec{标签2, "标签2", K::Label, 0, 104, 110, 224, 24, "", kRedText},
    ControlSpec{保存, "保存", K::Button, 0, 240, 232, 80, 24, "保存设置"},
    ControlSpec{分组框3, "分组框3", K::GroupBox, 0, 8, 90, 408, 78, "设置关机时间"},
    ControlSpec{标签5, "标签5", K::Label, 分组框3, 32, 20, 64, 24, "当前时间："},
    ControlSpec{标签1, "标签1", K::Label, 分组框3, 33, 50, 56, 16, "关机时间："},
    ControlSpec{编辑框3, "编辑框3", K::Edit, 分组框3, 165, 48, 20, 20, "00", kSpin | kDigitsOnly, 0, 59},
    ControlSpec{编辑框2, "编辑框2", K::Edit, 分组框3, 129, 48, 20, 20, "00", kSpin | kDigitsOnly, 0, 59},
    ControlSpec{编辑框1, "编辑框1", K::Edit, 分组框3, 94, 48, 20, 20, "21", kSpin | kDigitsOnly, 0, 23},
    ControlSpec{分组框1, "分组框1", K::GroupBox, 0, 8, 4, 408, 80, "设置关机周期"},
    ControlSpec{选择框7, "选择框7", K::CheckBox, 分组框1, 99, 47, 64, 24, "星期日"},
    ControlSpec{选择框6, "选择框6", K::CheckBox, 分组框1, 24, 47, 64, 24, "星期六"},
    ControlSpec{选择框5, "选择框5", K::CheckBox, 分组框1, 327, 18, 64, 24, "星期五"},
    ControlSpec{选择框4, "选择框4", K::CheckBox, 分组框1, 251, 18, 64, 24, "星期四"},
    ControlSpec{选择框3, "选择框3", K::CheckBox, 分组框1, 175, 18, 64, 24, "星期三"},
    ControlSpec{选择框2, "选择框2", K::CheckBox, 分组框1, 99, 18, 64, 24, "星期二"},
    ControlSpec{选择框1, "选择框1", K::CheckBox, 分组框1, 24, 18, 64, 24, "星期一"},
    ControlSpec{应用, "应用", K::Button, 0, 335, 232, 80, 24, "开启自动关机"},
    ControlSpec{分组框2, "分组框2", K::GroupBox, 0, 8, 174, 408, 52, "设置关机类型"},
    ControlSpec{单选框3, "单选框3", K::RadioButton, 分组框2, 216, 24, 80, 16, "注销计算机"},
    ControlSpec{单选框2, "单选框2", K::RadioButton, 分组框2, 121, 24, 80, 16, "重启计算机"},
    ControlSpec{单选框1, "单选框1", K::RadioButton, 分组框2, 32, 24, 80, 16, "关闭计算机", kChecked},
    ControlSpec{时钟1, "时钟1", K::Timer, 分组框2, 0, 0, 0, 0, "", kNone, 0, 0, 0, 0},
    // Started when the window is shown (app/MainWindow.cpp).
    ControlSpec{时钟2, "时钟2", K::Timer, 分组框2, 0, 0, 0, 0, "", kNone, 0, 0, 0, 0},
};

constexpr std::array kMenu = {
    MenuSpec{文件, 0, "文件", true},
    MenuSpec{锁定, 文件, "锁定", true},
    MenuSpec{解锁, 文件, "解锁", false},
    MenuSpec{分隔线, 文件, "", false},
    MenuSpec{退出, 文件, "退出", true},
    MenuSpec{设置, 0, "设置", true},
    MenuSpec{设置软件启动密码, 设置, "设置软件启动密码", true},
    MenuSpec{清除软件启动密码, 设置, "清除软件启动密码", false},
    MenuSpec{设置软件锁定密码, 设置, "设置软件锁定密码", true},
    MenuSpec{清除软件锁定密码, 设置, "清除软件锁定密码", false},
    MenuSpec{设置软件退出密码, 设置, "设置软件退出密码", true},
    MenuSpec{清除软件退出密码, 设置, "清除软件退出密码", false},
    MenuSpec{帮助, 0, "帮助", true},
    MenuSpec{关于, 帮助, "关于", true},
};

}  // namespace

extern const WindowSpec kMainWindowSpec = {
    WindowId::MainWindow, "MainWindow", "OrvandelSutremov1.0", 430, 346, kMinimiseBox,
    IconId::Application, kControls, kMenu, kTrayMenu,
};

}  // namespace sut
