#include "app/Layouts.h"

namespace sut {

extern const WindowSpec kMainWindowSpec;
extern const WindowSpec kReminderWindowSpec;
extern const WindowSpec kSetStartPasswordWindowSpec;
extern const WindowSpec kSetExitPasswordWindowSpec;
extern const WindowSpec kSetLockPasswordWindowSpec;
extern const WindowSpec kStartPasswordPromptSpec;
extern const WindowSpec kExitPasswordPromptSpec;
extern const WindowSpec kUnlockPromptSpec;

const WindowSpec& LayoutOf(WindowId window) {
    switch (window) {
    case WindowId::ReminderWindow: return kReminderWindowSpec;
    case WindowId::SetStartPasswordWindow: return kSetStartPasswordWindowSpec;
    case WindowId::SetExitPasswordWindow: return kSetExitPasswordWindowSpec;
    case WindowId::SetLockPasswordWindow: return kSetLockPasswordWindowSpec;
    case WindowId::StartPasswordPrompt: return kStartPasswordPromptSpec;
    case WindowId::ExitPasswordPrompt: return kExitPasswordPromptSpec;
    case WindowId::UnlockPrompt: return kUnlockPromptSpec;
    case WindowId::MainWindow:
    case WindowId::Count: break;
    }
    return kMainWindowSpec;
}

}  // namespace sut
