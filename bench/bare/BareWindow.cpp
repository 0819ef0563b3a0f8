// The smallest program of the kind: one empty window and a message loop. The benchmarks set
// the program's size, start-up and idle cost beside this one's, built by the same toolchain.
// Built with BARE_TIMERS it also runs two one-second timers, as the program's clock and check
// do: the floor for the program's idle cost.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND h = CreateWindowW(L"BareWindow", L"BareWindow", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 430, 346, nullptr, nullptr, instance, nullptr);
    ShowWindow(h, show);
#ifdef BARE_TIMERS
    SetTimer(h, 1, 1000, nullptr);
    SetTimer(h, 2, 1000, nullptr);
#endif
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
