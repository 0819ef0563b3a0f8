// Lock mode: MainWindow shrunk behind the picture until the lock password is typed. Nothing
// records it but the controls: "解锁" (and 图片框1) visible means locked. The settings and the
// scheduler are untouched, and every start begins unlocked.
#pragma once

#include "app/App.h"

namespace sut {

// 按钮1 and "锁定": locks, or opens SetLockPasswordWindow when no lock password is set.
void EnterLockMode(App& app);
// A press on 图片框1 and "解锁": UnlockPrompt, modally.
void OpenUnlockPrompt(App& app);
// From UnlockPrompt's OK handler after the right password, before it closes the prompt.
void LeaveLockMode(App& app);

}  // namespace sut
