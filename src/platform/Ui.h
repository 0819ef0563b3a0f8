// The window system as the program's handlers see it.
//
// Conventions (written once, here):
// - Every text crossing this interface is a GBK (code page 936) byte string; lengths are bytes.
//   Only a backend converts, at its own calls into the OS.
// - A window is named by its WindowId, a control, menu item or timer by its ControlId, which is
//   unique within its window. Layout tables (Layout.h) give each window's controls and menu.
// - Events flow one way: a backend turns what happens into an Event and hands it to the
//   EventSink together with the window it belongs to. Handlers answer only CanBeClosed (true lets
//   the window close); every other answer is ignored. Handlers never call the OS themselves:
//   they read and write control properties through Ui.
// - Everything runs on one thread. A modal OpenWindow returns only after the window has closed;
//   meanwhile the backend keeps delivering events (timers included).
// - No call reports failure; the program carries on whatever the window system did.
// - Sizes and positions are layout units, pixels at 96 dpi, whatever the display's scale: a
//   backend scales what it is given to the display a window is on, and what it reports back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sut {

enum class WindowId : std::uint8_t {
    MainWindow,
    ReminderWindow,
    SetStartPasswordWindow,
    SetExitPasswordWindow,
    SetLockPasswordWindow,
    StartPasswordPrompt,
    ExitPasswordPrompt,
    UnlockPrompt,
    Count
};

// Control, menu item and timer ids. They double as Win32 child and command ids, so they start
// above IDOK/IDCANCEL (1, 2), which the dialog keyboard interface sends on Enter and Esc.
using ControlId = int;

enum class EventKind : std::uint8_t {
    Created,          // once, while OpenWindow builds the window, before it is shown
    CanBeClosed,      // close button, Alt+F4, system menu Close, Esc where the layout says so,
                      // WM_QUERYENDSESSION; answer false to keep the window (and refuse the query)
    PositionChanged,  // after every move (minimise and restore included) and once after Created
    TrayEvent,        // code: a TrayCode
    Periodic,         // control: the timer that ticked
    Clicked,          // control: the push button
    Selected,         // control: the menu item chosen (menu bar or popup)
    LeftButtonDown,   // control: the picture box pressed
    VisibilityChanged,  // code: 1 the window was shown, 0 hidden; not for the state the
                        // creation event leaves, nor when the window is closed
    ClockChanged,     // MainWindow only: the wall clock may have moved under the program (the
                      // system time was set, the time zone or its daylight-saving rule changed,
                      // the system resumed from sleep or hibernation)
};

// Codes of EventKind::TrayEvent.
enum TrayCode : int {
    kTrayLeftClick = 1,    // left button released
    kTrayDoubleClick = 2,  // left double-click (it also brings two releases)
    kTrayRightClick = 3,   // right button released, or the tray's context-menu notification
};

struct Event {
    EventKind kind;
    ControlId control = 0;
    int code = 0;
};

class EventSink {
public:
    virtual bool Handle(WindowId window, const Event& event) = 0;

protected:
    ~EventSink() = default;
};

enum class WindowState : std::uint8_t { Normal, Minimised, Maximised };

enum class MessageKind : std::uint8_t { Plain, Information, Warning, Error };

inline constexpr std::string_view kDefaultMessageCaption = "信息：";

class Ui {
public:
    virtual ~Ui() = default;

    // Builds the window from its layout, raises Created, then one PositionChanged, then shows it
    // unless Created hid it. Modal: the program's other windows are disabled and the call returns
    // when the window has closed. A window already open is only brought to the front.
    virtual void OpenWindow(WindowId window, bool modal) = 0;
    // Destroyed once the running handler has returned; no CanBeClosed is raised.
    virtual void CloseWindow(WindowId window) = 0;
    virtual bool IsOpen(WindowId window) = 0;

    // Edit-box text, or the caption of a label, button, check box or radio button.
    virtual std::string Text(WindowId window, ControlId control) = 0;
    virtual void SetText(WindowId window, ControlId control, std::string_view text) = 0;
    // Ticked state of a check box, selected state of a radio button.
    virtual bool Checked(WindowId window, ControlId control) = 0;
    virtual void SetChecked(WindowId window, ControlId control, bool checked) = 0;
    // Visibility of a control or a menu item; a hidden menu item takes no room in its menu.
    virtual bool Visible(WindowId window, ControlId control) = 0;
    virtual void SetVisible(WindowId window, ControlId control, bool visible) = 0;

    virtual bool WindowVisible(WindowId window) = 0;
    virtual void SetWindowVisible(WindowId window, bool visible) = 0;
    virtual WindowState State(WindowId window) = 0;
    // Normal restores and activates a shown window; Minimised on a window not yet shown is only
    // recorded.
    virtual void SetState(WindowId window, WindowState state) = 0;
    // In layout units (see above).
    virtual int OuterWidth(WindowId window) = 0;
    virtual int OuterHeight(WindowId window) = 0;
    virtual void SetOuterWidth(WindowId window, int width) = 0;
    virtual void SetOuterHeight(WindowId window, int height) = 0;

    // Above 0: the timer restarts and first ticks one period later; 0 or less: stopped;
    // the current period again: no change.
    virtual void SetTimerPeriod(WindowId window, ControlId timer, int milliseconds) = 0;

    // The program's icon in the tray with this tip (its first 62 bytes): added by the first
    // call, updated by later ones. Tray events go to MainWindow.
    virtual void SetTrayIcon(std::string_view tip) = 0;
    // The visible items under a menu-bar entry, 3 pixels right of and below the pointer.
    virtual void ShowPopupMenu(WindowId window, ControlId menu) = 0;
    // No owner, task-modal, one OK button; returns when closed.
    virtual void ShowMessageBox(std::string_view text, MessageKind kind,
                                std::string_view caption = kDefaultMessageCaption) = 0;
    // The process ends with exit code 0; no further event of any window is raised.
    [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace sut
