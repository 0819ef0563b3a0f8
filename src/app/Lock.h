// Lock mode: MainWindow shrunk behind the picture until the lock password is typed.
#pragma once

#include "app/App.h"

namespace sut {

void EnterLockMode(App& app);
void OpenUnlockPrompt(App& app);
void LeaveLockMode(App& app);

}  // namespace sut
