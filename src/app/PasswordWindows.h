// The six password windows and the password items of the menu "设置".
//
// Each kind has a set window, a prompt and two items under "设置", exactly one of them visible:
// the set item while the password is not set, the clear item while it is. A password is only
// replaced by clearing it and setting a new one. Lengths are GBK bytes.
#pragma once

#include <span>

#include "app/App.h"
#include "app/Routes.h"
#include "settings/PasswordStore.h"

namespace sut {

// The routes of the six password windows.
std::span<const Route> PasswordWindowRoutes(WindowId window);
// Load step 5: the start prompt when a start password is stored, and the menu items.
void CheckStartupPasswords(App& app);

// The set item of a kind under "设置": its set window, modally.
void OpenSetPasswordWindow(App& app, PasswordKind kind);
template <PasswordKind Kind>
void OpenSetPasswordWindow(App& app) {
    OpenSetPasswordWindow(app, Kind);
}

// 按钮1 of a set window: stores a typed text of at least 6 bytes and closes the window. When
// config.ini cannot be written, an error message, and nothing changes: the window stays open
// with the text, the items stay as they were.
void SetPasswordOk(App& app, PasswordKind kind);
// 按钮1 of a prompt: on the stored password, the start goes on, the program ends or the window
// unlocks; otherwise a message, and the prompt stays open for another try.
void PromptOk(App& app, PasswordKind kind);
// A clear item: nothing is asked. When config.ini cannot be written, an error message, and the
// items stay as they were.
void ClearPasswordItem(App& app, PasswordKind kind);
template <PasswordKind Kind>
void ClearPasswordItem(App& app) {
    ClearPasswordItem(app, Kind);
}

}  // namespace sut
