// The real window system: every window, control and menu built from its layout table with the
// wide Win32 API, and Win32 messages turned into the events of platform/Ui.h. Each window is laid
// out at the dpi of its display (Dpi.h) and again when it moves to a display of another scale.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/Layout.h"
#include "platform/Ui.h"

namespace sut::win32 {

// Private messages and timer ids of the backend.
inline constexpr UINT kMsgTray = WM_APP + 1;       // the tray icon's callback
inline constexpr UINT kMsgDestroySelf = WM_APP + 2;  // CloseWindow's deferred destruction
inline constexpr UINT_PTR kTrayRetryTimer = 1;      // layout timers have ids of 100 and above
inline constexpr int kSpinIdOffset = 1000;          // a spin control's id: its edit box's + this
inline constexpr UINT kTrayIconId = 1;

class Win32Ui final : public Ui {
public:
    Win32Ui(HINSTANCE instance, LayoutLookup layouts);
    ~Win32Ui() override;
    void Attach(EventSink& sink) { sink_ = &sink; }
    // Dispatches messages until WM_QUIT; returns the exit code.
    int Run();

    // The window of an id while it is open, else nullptr (for tests of the backend).
    HWND Handle(WindowId window) const { return W(window).hwnd; }

    void OpenWindow(WindowId window, bool modal) override;
    void CloseWindow(WindowId window) override;
    bool IsOpen(WindowId window) override;
    std::string Text(WindowId window, ControlId control) override;
    void SetText(WindowId window, ControlId control, std::string_view text) override;
    bool Checked(WindowId window, ControlId control) override;
    void SetChecked(WindowId window, ControlId control, bool checked) override;
    bool Visible(WindowId window, ControlId control) override;
    void SetVisible(WindowId window, ControlId control, bool visible) override;
    bool WindowVisible(WindowId window) override;
    void SetWindowVisible(WindowId window, bool visible) override;
    WindowState State(WindowId window) override;
    void SetState(WindowId window, WindowState state) override;
    int OuterWidth(WindowId window) override;
    int OuterHeight(WindowId window) override;
    void SetOuterWidth(WindowId window, int width) override;
    void SetOuterHeight(WindowId window, int height) override;
    void SetTimerPeriod(WindowId window, ControlId timer, int milliseconds) override;
    void SetTrayIcon(std::string_view tip) override;
    void ShowPopupMenu(WindowId window, ControlId menu) override;
    void ShowMessageBox(std::string_view text, MessageKind kind, std::string_view caption) override;
    [[noreturn]] void EndProgram() override;

private:
    struct Window {
        const WindowSpec* spec = nullptr;
        HWND hwnd = nullptr;
        UINT dpi = 96;              // of the display the window is on: its layout's scale
        bool creating = false;      // inside OpenWindow, before the first show
        bool ready = false;         // moves raise PositionChanged from now on
        bool closing = false;       // CloseWindow called, destruction pending
        bool wantVisible = true;    // what the creation event left for the first show
        bool minimisedRecorded = false;
        // Where PositionChanged last found the window: a WM_MOVE that changes neither (SetMenu
        // moves only the client area) is no move of the window.
        POINT origin{};
        bool iconic = false;
        std::vector<bool> menuVisible;  // by index into spec->menu
        std::vector<int> timerPeriods;  // by index into spec->controls
        std::vector<HWND> controls;     // by index into spec->controls; spin arrows after them
        std::vector<HWND> disabled;     // windows this modal window disabled
    };

    Window& W(WindowId window) { return windows_[static_cast<std::size_t>(window)]; }
    const Window& W(WindowId window) const { return windows_[static_cast<std::size_t>(window)]; }
    Window* FromHwnd(HWND hwnd);
    // Kept from creation: GetDlgItem asks the window server each time under Wine, and the
    // handlers read controls every second.
    HWND Control(WindowId window, ControlId control) const;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(Window& w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCommand(Window& w, WPARAM wp, LPARAM lp);
    bool MenuItemChoosable(const Window& w, ControlId id) const;
    bool ControlReachable(const Window& w, ControlId id) const;
    bool WindowMoved(Window& w);
    bool Raise(Window& w, Event event);
    void RequestClose(Window& w);
    void DestroyNow(Window& w);
    void RunModalLoop(Window& w);
    void DisableOthers(Window& modal);

    // Win32Controls.cpp
    void BuildControls(Window& w);
    // Every control and spin arrow placed, sized and given the font for the window's dpi.
    void LayOutControls(Window& w);
    void SetWindowIcons(Window& w);
    // The display's scale changed (WM_DPICHANGED): the suggested rectangle, then a new layout.
    void OnDpiChanged(Window& w, UINT dpi, const RECT& suggested);
    // The default GUI font at a dpi.
    HFONT Font(UINT dpi);
    void RebuildMenu(Window& w);
    HMENU BuildPopup(const Window& w, ControlId parent) const;
    LRESULT OnSpin(Window& w, const NMUPDOWN& change);
    static LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    // Win32Tray.cpp
    void SyncTrayIcon();
    void RemoveTrayIcon();
    void OnTrayMessage(LPARAM lp);
    // The icon's image for a square of that many pixels: the one carried at that size, else one
    // scaled down from a larger one.
    HICON Icon(IconId icon, int size);

    HINSTANCE instance_;
    EventSink* sink_ = nullptr;
    std::array<Window, static_cast<std::size_t>(WindowId::Count)> windows_{};
    HBRUSH faceBrush_;
    HFONT font_;  // the stock font, made for the system dpi
    std::vector<std::pair<UINT, HFONT>> scaledFonts_;  // by dpi, for displays of other scales
    struct LoadedIcon {
        IconId icon;
        int size;
        HICON handle;
    };
    std::vector<LoadedIcon> icons_;
    HBITMAP picture_ = nullptr;
    UINT taskbarCreated_;
    bool trayWanted_ = false;  // SetTrayIcon has been called: the icon should be there
    bool trayAdded_ = false;   // the shell last said yes to an add or an update
    bool trayRetrying_ = false;
    std::wstring trayTip_;
};

}  // namespace sut::win32
