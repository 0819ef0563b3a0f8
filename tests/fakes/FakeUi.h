// An in-memory window system: it keeps every property the handlers set, records what they
// show, and lets a test raise events, answer modal windows and move a fake clock that drives
// the timers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "platform/Layout.h"
#include "platform/Ui.h"

namespace sut::test {

// Thrown by EndProgram: like the end of the process, nothing after it runs.
struct ProgramEnded {};

struct MessageBoxCall {
    std::string text;
    MessageKind kind;
    std::string caption;
};

class FakeUi final : public Ui {
public:
    explicit FakeUi(FakeClock& clock) : clock_(clock) {}
    void Attach(EventSink& sink) { sink_ = &sink; }

    // What the handlers did.
    std::vector<std::string> trayTips;     // every SetTrayIcon, in order
    std::vector<MessageBoxCall> messages;  // every message box, in order
    std::vector<ControlId> popups;         // every ShowPopupMenu
    std::vector<WindowId> opened;          // every OpenWindow that built a window
    bool ended = false;

    // Called while a modal window is open, as the user would act in it; a window still open
    // when it returns gets a close request, as if the user had pressed its close button.
    std::function<void(WindowId)> onModal;
    // Called while a message box is open.
    std::function<void(const MessageBoxCall&)> onMessageBox;

    // What the user does. Each returns the handler's answer.
    bool Raise(WindowId window, Event event);
    void Click(WindowId window, ControlId control) { Raise(window, {EventKind::Clicked, control}); }
    void Select(ControlId item) { Raise(WindowId::MainWindow, {EventKind::Selected, item}); }
    void Tray(int code) { Raise(WindowId::MainWindow, {EventKind::TrayEvent, 0, code}); }
    // A close request: the window closes when the handler answers yes.
    bool RequestClose(WindowId window);
    void Type(WindowId window, ControlId control, std::string_view text) { SetText(window, control, text); }
    // Moves the clock forward, raising every timer tick that falls due on the way, in order.
    // Timers count elapsed time: a wall clock set elsewhere does not hurry or hold them.
    void Advance(std::int64_t milliseconds);
    // What Windows tells MainWindow when the wall clock may have moved (see ClockChanged).
    void ClockChanged() { Raise(WindowId::MainWindow, {EventKind::ClockChanged}); }

    int TimerPeriod(WindowId window, ControlId timer);
    // The ticks Advance raised for a timer since its window opened: the program's wake-ups.
    int Ticks(WindowId window, ControlId timer);
    std::string LastTip() const { return trayTips.empty() ? std::string() : trayTips.back(); }

    // Ui
    void OpenWindow(WindowId window, bool modal) override;
    void CloseWindow(WindowId window) override;
    bool IsOpen(WindowId window) override { return W(window).open; }
    std::string Text(WindowId window, ControlId control) override;
    void SetText(WindowId window, ControlId control, std::string_view text) override;
    bool Checked(WindowId window, ControlId control) override;
    void SetChecked(WindowId window, ControlId control, bool checked) override;
    bool Visible(WindowId window, ControlId control) override;
    void SetVisible(WindowId window, ControlId control, bool visible) override;
    bool WindowVisible(WindowId window) override { return W(window).visible; }
    void SetWindowVisible(WindowId window, bool visible) override;
    WindowState State(WindowId window) override { return W(window).state; }
    void SetState(WindowId window, WindowState state) override;
    int OuterWidth(WindowId window) override { return W(window).width; }
    int OuterHeight(WindowId window) override { return W(window).height; }
    void SetOuterWidth(WindowId window, int width) override { W(window).width = width; }
    void SetOuterHeight(WindowId window, int height) override { W(window).height = height; }
    void SetTimerPeriod(WindowId window, ControlId timer, int milliseconds) override;
    void SetTrayIcon(std::string_view tip) override { trayTips.emplace_back(tip); }
    void ShowPopupMenu(WindowId, ControlId menu) override { popups.push_back(menu); }
    void ShowMessageBox(std::string_view text, MessageKind kind, std::string_view caption) override;
    [[noreturn]] void EndProgram() override;

private:
    struct Prop {
        std::string text;
        bool checked = false;
        bool visible = true;
    };
    struct Timer {
        int period = 0;
        std::int64_t due = 0;
        int ticks = 0;
    };
    struct Win {
        bool open = false;
        bool visible = false;
        bool creating = false;
        bool modal = false;
        WindowState state = WindowState::Normal;
        int width = 0, height = 0;
        std::map<ControlId, Prop> props;
        std::map<ControlId, Timer> timers;
    };

    Win& W(WindowId window) { return windows_[static_cast<std::size_t>(window)]; }
    Prop& P(WindowId window, ControlId control);

    FakeClock& clock_;
    EventSink* sink_ = nullptr;
    std::array<Win, static_cast<std::size_t>(WindowId::Count)> windows_{};
};

}  // namespace sut::test
