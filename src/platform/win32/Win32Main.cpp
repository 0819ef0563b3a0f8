// The program's entry point: the real services, MainWindow, the message loop.
#include <windows.h>

#include <string>

#include "app/App.h"
#include "app/Layouts.h"
#include "platform/win32/Services.h"
#include "platform/win32/Win32Ui.h"

namespace {

// Nothing depends on the current directory, but a start through the Run key leaves it in the
// system directory; the executable's own is the friendlier place.
void EnterExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return;
    path.resize(slash == 2 ? 3 : slash);  // keep the backslash of a drive root
    SetCurrentDirectoryW(path.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace sut;
    EnterExecutableDirectory();
    win32::Win32Ui ui(instance, LayoutOf);
    App app(Services{ui, win32::RealClock(), win32::RealFiles(), win32::RealRegistry(),
                     win32::RealPower(), win32::RealTicks()});
    ui.Attach(app);
    StartProgram(app);
    ui.Run();
    return 0;
}
