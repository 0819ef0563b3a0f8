#include "app/Lock.h"

namespace sut {

void EnterLockMode(App&) {}
void OpenUnlockPrompt(App&) {}
void LeaveLockMode(App&) {}

}  // namespace sut
