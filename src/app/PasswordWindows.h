// The six password windows and the password items of the menu "设置".
//
// Each kind has a set window, a prompt and two items under "设置", exactly one of them visible:
// the set item while the password is not set, the clear item while it is. A password is only
// replaced by clearing it and setting a new one. Lengths are GBK bytes.
#pragma once

#include "app/App.h"
#include "settings/PasswordStore.h"

namespace sut {

bool HandlePasswordWindowEvent(App& app, WindowId window, const Event& event);
// Load step 5: the start prompt when a start password is stored, and the menu items.
void CheckStartupPasswords(App& app);
// The six items of "设置"; false when the id is not one of them.
bool OnPasswordMenuItem(App& app, ControlId item);

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

}  // namespace sut
