// Window layouts and menus as data: one table per window, built by every Ui backend.
//
// Conventions:
// - Controls are listed in stacking order, topmost first. x, y are client coordinates of the
//   window, or of the group box named by `parent` (0: none); backends add the group's offset.
// - Sizes are pixels at 96 dpi (layout units); a window's width and height are its outer size.
//   Backends scale every figure by the display's dpi / 96.
// - Menu entries are listed in screen order; an entry whose parent is 0 sits in the menu bar.
// - Captions are GBK (this file is compiled with -fexec-charset=GBK like every other).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/Ui.h"

namespace sut {

enum class ControlKind : std::uint8_t {
    Label,
    Button,
    CheckBox,
    RadioButton,  // the first radio button of a run starts a new group
    GroupBox,
    Edit,
    Picture,  // while shown, it takes the window: the other controls are disabled
    Timer,
};

enum ControlFlag : std::uint16_t {
    kNone = 0,
    kHidden = 1 << 0,      // hidden at creation
    kChecked = 1 << 1,     // ticked or selected at creation
    kRedText = 1 << 2,     // label text in RGB(255, 0, 0)
    kSpin = 1 << 3,        // edit box with an arrow pair to its right; range spinMin..spinMax
    kDigitsOnly = 1 << 4,  // typed characters other than 0-9 and '-' are ignored
    kPassword = 1 << 5,    // shows '*' for every character typed
    kHandCursor = 1 << 6,
};

struct ControlSpec {
    ControlId id;
    std::string_view name;  // the layout name, for tests and diagnostics
    ControlKind kind;
    ControlId parent;
    int x, y, width, height;
    std::string_view caption;  // initial text
    std::uint16_t flags = kNone;
    int spinMin = 0, spinMax = 0;  // kSpin only
    int maxBytes = 0;              // edit boxes: GBK bytes that may be typed (0: no limit)
    int period = 0;                // timers: milliseconds from creation (0: stopped)
};

struct MenuSpec {
    ControlId id;
    ControlId parent;  // 0: an entry of the menu bar
    std::string_view caption;  // empty: a separator
    bool visible;
};

enum WindowFlag : std::uint16_t {
    kMinimiseBox = 1 << 0,
    kTopmost = 1 << 1,
    kEscCloses = 1 << 2,     // Esc raises CanBeClosed
    kOwnedByMain = 1 << 3,   // no taskbar button of its own
    kNoSystemMenuIcon = 1 << 4,
};

enum class IconId : std::uint8_t { Application, Lock };

struct WindowSpec {
    WindowId id;
    std::string_view name;
    std::string_view caption;
    int width, height;
    std::uint16_t flags;
    IconId icon;
    std::span<const ControlSpec> controls;
    std::span<const MenuSpec> menu;
    // The menu-bar entry whose items also pop up over the tray icon (0: none). They stay
    // choosable while the entry itself is hidden.
    ControlId trayMenu = 0;
};

// Where a backend finds the table of each window: the program's tables, handed to the backend by
// whoever makes it, since the window layer knows no program.
using LayoutLookup = const WindowSpec& (*)(WindowId window);

// The control's spec, or nullptr when the window has no such control.
const ControlSpec* FindControl(const WindowSpec& spec, ControlId id);
const MenuSpec* FindMenuItem(const WindowSpec& spec, ControlId id);

// Position of a control relative to the window's client area (group offsets added).
struct Point {
    int x, y;
};
Point ClientPosition(const WindowSpec& spec, const ControlSpec& control);

}  // namespace sut
