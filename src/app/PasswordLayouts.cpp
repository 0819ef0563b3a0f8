#include "app/PasswordLayouts.h"

#include <array>

#include "platform/Layout.h"

namespace sut {
namespace {

using namespace passwordwnd;
using K = ControlKind;

// The three set windows share one shape, the three prompts another; only texts differ.
constexpr std::array<ControlSpec, 3> SetWindowControls(std::string_view label) {
    return {{
        {标签1, "标签1", K::Label, 0, 23, 8, 184, 24, label},
        {按钮1, "按钮1", K::Button, 0, 136, 39, 72, 26, "确  定"},
        {编辑框1, "编辑框1", K::Edit, 0, 16, 41, 112, 24, "", kPassword, 0, 0, 16},
    }};
}

constexpr std::array<ControlSpec, 3> PromptControls(std::string_view label) {
    return {{
        {标签1, "标签1", K::Label, 0, 27, 30, 96, 24, label},
        {按钮1, "按钮1", K::Button, 0, 246, 24, 96, 33, "确  定"},
        {编辑框1, "编辑框1", K::Edit, 0, 125, 27, 111, 32, "", kPassword},
    }};
}

constexpr auto kSetStart = SetWindowControls("请输入需要设置的软件启动密码：");
constexpr auto kSetExit = SetWindowControls("请输入需要设置的软件退出密码：");
constexpr auto kSetLock = SetWindowControls("请输入需要设置的软件锁定密码：");
constexpr auto kStartPrompt = PromptControls("请输入启动密码：");
constexpr auto kExitPrompt = PromptControls("请输入退出密码：");
constexpr auto kUnlockPrompt = PromptControls("请输入解锁密码：");

constexpr std::uint16_t kFlags = kEscCloses | kOwnedByMain;

}  // namespace

extern const WindowSpec kSetStartPasswordWindowSpec = {
    WindowId::SetStartPasswordWindow, "SetStartPasswordWindow", "设置软件启动密码(分大小写)",
    228, 108, kFlags, IconId::Application, kSetStart, {}};
extern const WindowSpec kSetExitPasswordWindowSpec = {
    WindowId::SetExitPasswordWindow, "SetExitPasswordWindow", "设置软件退出密码(分大小写)",
    228, 108, kFlags, IconId::Application, kSetExit, {}};
extern const WindowSpec kSetLockPasswordWindowSpec = {
    WindowId::SetLockPasswordWindow, "SetLockPasswordWindow", "设置软件锁定密码(分大小写)",
    228, 108, kFlags, IconId::Lock, kSetLock, {}};
extern const WindowSpec kStartPasswordPromptSpec = {
    WindowId::StartPasswordPrompt, "StartPasswordPrompt", "您已设定启动密码,请输入！",
    371, 109, kFlags, IconId::Application, kStartPrompt, {}};
extern const WindowSpec kExitPasswordPromptSpec = {
    WindowId::ExitPasswordPrompt, "ExitPasswordPrompt", "您已设定退出密码,请输入！",
    371, 109, kFlags, IconId::Application, kExitPrompt, {}};
extern const WindowSpec kUnlockPromptSpec = {
    WindowId::UnlockPrompt, "UnlockPrompt", "您已设定锁定,请输入解锁密码！",
    371, 109, kFlags, IconId::Lock, kUnlockPrompt, {}};

}  // namespace sut
