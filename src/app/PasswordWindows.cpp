#include "app/PasswordWindows.h"

#include <array>
#include <string>

#include "app/Lock.h"
#include "app/MainWindowLayout.h"
#include "app/PasswordLayouts.h"

namespace sut {
namespace {

constexpr WindowId kMain = WindowId::MainWindow;
constexpr std::size_t kMinimumBytes = 6;
constexpr std::string_view kSetFailed = "密码保存失败，请检查程序所在目录是否可写。";
constexpr std::string_view kClearFailed = "密码清除失败，请检查程序所在目录是否可写。";

struct KindWindows {
    PasswordKind kind;
    WindowId setWindow;
    WindowId prompt;
    ControlId setItem;
    ControlId clearItem;
};

constexpr std::array<KindWindows, 3> kKinds = {{
    {PasswordKind::Start, WindowId::SetStartPasswordWindow, WindowId::StartPasswordPrompt,
     mainwnd::设置软件启动密码, mainwnd::清除软件启动密码},
    {PasswordKind::Exit, WindowId::SetExitPasswordWindow, WindowId::ExitPasswordPrompt,
     mainwnd::设置软件退出密码, mainwnd::清除软件退出密码},
    {PasswordKind::Lock, WindowId::SetLockPasswordWindow, WindowId::UnlockPrompt,
     mainwnd::设置软件锁定密码, mainwnd::清除软件锁定密码},
}};

constexpr bool IndexedByKind() {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
    return true;
}
static_assert(IndexedByKind(), "kKinds is indexed by PasswordKind");

const KindWindows& Of(PasswordKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

void Tell(App& app, std::string_view text, MessageKind kind) {
    app.ui.ShowMessageBox(text, kind, "提示");
}

void ShowItems(App& app, const KindWindows& k, bool passwordSet) {
    if (passwordSet) {
        app.ui.SetVisible(kMain, k.clearItem, true);
        app.ui.SetVisible(kMain, k.setItem, false);
    } else {
        app.ui.SetVisible(kMain, k.clearItem, false);
        app.ui.SetVisible(kMain, k.setItem, true);
    }
}

// The start goes on only after the right password, so a prompt that vanished some other way (or
// could not be shown at all) never lets it through.
void AskForStartPassword(App& app) {
    app.awaitingStartPassword = true;
    app.ui.OpenWindow(WindowId::StartPasswordPrompt, true);
    if (app.awaitingStartPassword) app.ui.EndProgram();
}

bool EndsTheProgram(App& app, const Event&) { app.ui.EndProgram(); }

template <PasswordKind Kind>
void SetWindowOk(App& app) {
    SetPasswordOk(app, Kind);
}

template <PasswordKind Kind>
void PromptWindowOk(App& app) {
    PromptOk(app, Kind);
}

using passwordwnd::按钮1;
constexpr Route kSetStartRoutes[] = {{EventKind::Clicked, 按钮1, Do<SetWindowOk<PasswordKind::Start>>}};
constexpr Route kSetExitRoutes[] = {{EventKind::Clicked, 按钮1, Do<SetWindowOk<PasswordKind::Exit>>}};
constexpr Route kSetLockRoutes[] = {{EventKind::Clicked, 按钮1, Do<SetWindowOk<PasswordKind::Lock>>}};
constexpr Route kStartPromptRoutes[] = {
    {EventKind::Clicked, 按钮1, Do<PromptWindowOk<PasswordKind::Start>>},
    // Every close request to the start prompt, the query of Windows included, ends the program:
    // MainWindow is never shown without the start password. The other five just close.
    {EventKind::CanBeClosed, 0, EndsTheProgram},
};
constexpr Route kExitPromptRoutes[] = {{EventKind::Clicked, 按钮1, Do<PromptWindowOk<PasswordKind::Exit>>}};
constexpr Route kUnlockPromptRoutes[] = {{EventKind::Clicked, 按钮1, Do<PromptWindowOk<PasswordKind::Lock>>}};

}  // namespace

std::span<const Route> PasswordWindowRoutes(WindowId window) {
    switch (window) {
    case WindowId::SetStartPasswordWindow: return kSetStartRoutes;
    case WindowId::SetExitPasswordWindow: return kSetExitRoutes;
    case WindowId::SetLockPasswordWindow: return kSetLockRoutes;
    case WindowId::StartPasswordPrompt: return kStartPromptRoutes;
    case WindowId::ExitPasswordPrompt: return kExitPromptRoutes;
    case WindowId::UnlockPrompt: return kUnlockPromptRoutes;
    default: return {};
    }
}

void CheckStartupPasswords(App& app) {
    if (IsPasswordSet(app, PasswordKind::Start)) {
        AskForStartPassword(app);
        ShowItems(app, Of(PasswordKind::Start), true);
    }
    if (IsPasswordSet(app, PasswordKind::Exit)) ShowItems(app, Of(PasswordKind::Exit), true);
    if (IsPasswordSet(app, PasswordKind::Lock)) ShowItems(app, Of(PasswordKind::Lock), true);
}

void OpenSetPasswordWindow(App& app, PasswordKind kind) { app.ui.OpenWindow(Of(kind).setWindow, true); }

void SetPasswordOk(App& app, PasswordKind kind) {
    const KindWindows& k = Of(kind);
    const std::string text = app.ui.Text(k.setWindow, passwordwnd::编辑框1);
    if (text.empty()) return Tell(app, "请输入密码", MessageKind::Warning);
    if (text.size() < kMinimumBytes) return Tell(app, "请输入6位以上的密码", MessageKind::Warning);
    if (!WritePassword(app, kind, text)) return Tell(app, kSetFailed, MessageKind::Error);
    ShowItems(app, k, true);
    Tell(app, "密码设置成功！", MessageKind::Information);
    app.ui.CloseWindow(k.setWindow);
}

void PromptOk(App& app, PasswordKind kind) {
    const KindWindows& k = Of(kind);
    const std::string text = app.ui.Text(k.prompt, passwordwnd::编辑框1);
    if (text.empty()) return Tell(app, "请输入密码！", MessageKind::Warning);
    if (text != ReadPassword(app, kind)) return Tell(app, "密码错误,请重新输入！", MessageKind::Error);
    switch (kind) {
    case PasswordKind::Start:
        app.awaitingStartPassword = false;
        app.ui.CloseWindow(k.prompt);
        break;
    case PasswordKind::Exit:
        app.ui.EndProgram();  // the prompt goes with the process
        break;
    case PasswordKind::Lock:
        LeaveLockMode(app);
        app.ui.CloseWindow(k.prompt);
        break;
    }
}

void ClearPasswordItem(App& app, PasswordKind kind) {
    if (!ClearPassword(app, kind)) return Tell(app, kClearFailed, MessageKind::Error);
    ShowItems(app, Of(kind), false);
}

}  // namespace sut
