// Control, timer and menu-item ids of MainWindow, named as in its layout; menu items are named
// by their captions.
#pragma once

#include "platform/Ui.h"

namespace sut::mainwnd {

enum : ControlId {
    选择框9 = 100,
    图片框1,
    标签7,
    按钮1,
    选择框10,
    选择框8,
    标签4,
    编辑框4,
    标签3,
    标签2,
    保存,
    分组框3,
    标签5,
    标签1,
    编辑框3,
    编辑框2,
    编辑框1,
    分组框1,
    选择框7,
    选择框6,
    选择框5,
    选择框4,
    选择框3,
    选择框2,
    选择框1,
    应用,
    分组框2,
    单选框3,
    单选框2,
    单选框1,
    时钟1,
    时钟2,

    文件 = 200,
    锁定,
    解锁,
    分隔线,
    退出,
    设置,
    设置软件启动密码,
    清除软件启动密码,
    设置软件锁定密码,
    清除软件锁定密码,
    设置软件退出密码,
    清除软件退出密码,
    帮助,
    关于,
};

// Outer size of MainWindow in lock mode; the picture then fills its client area.
inline constexpr int kLockedWidth = 248;
inline constexpr int kLockedHeight = 210;

// The items of "文件" are also the tray icon's popup menu.
inline constexpr ControlId kTrayMenu = 文件;

}  // namespace sut::mainwnd
