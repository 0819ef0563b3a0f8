#include "FakeUi.h"

#include <stdexcept>

#include "app/Layouts.h"

namespace sut::test {

FakeUi::Prop& FakeUi::P(WindowId window, ControlId control) {
    Win& w = W(window);
    auto it = w.props.find(control);
    if (it == w.props.end())
        throw std::logic_error("no control " + std::to_string(control) + " in " +
                               std::string(LayoutOf(window).name));
    return it->second;
}

bool FakeUi::Raise(WindowId window, Event event) {
    if (!W(window).open) throw std::logic_error("event for a closed window");
    return sink_->Handle(window, event);
}

bool FakeUi::RequestClose(WindowId window) {
    if (!Raise(window, {EventKind::CanBeClosed})) return false;
    CloseWindow(window);
    return true;
}

void FakeUi::OpenWindow(WindowId window, bool modal) {
    Win& w = W(window);
    if (w.open) return;  // already open: only brought to the front
    const WindowSpec& spec = LayoutOf(window);
    w = Win{};
    w.open = true;
    w.visible = true;
    w.creating = true;
    w.modal = modal;
    w.width = spec.width;
    w.height = spec.height;
    for (const ControlSpec& c : spec.controls) {
        if (c.kind == ControlKind::Timer) {
            w.timers[c.id] = {c.period, clock_.elapsedMs + c.period, 0};
            continue;
        }
        w.props[c.id] = {std::string(c.caption), (c.flags & kChecked) != 0, (c.flags & kHidden) == 0};
    }
    for (const MenuSpec& m : spec.menu) w.props[m.id] = {std::string(m.caption), false, m.visible};
    opened.push_back(window);
    sink_->Handle(window, {EventKind::Created});
    W(window).creating = false;
    if (!W(window).open) return;
    sink_->Handle(window, {EventKind::PositionChanged});
    // Then shown, unless the creation event hid it.
    if (W(window).open && W(window).visible) sink_->Handle(window, {EventKind::VisibilityChanged, 0, 1});
    if (!modal || !W(window).open) return;
    if (onModal) onModal(window);
    if (W(window).open) RequestClose(window);
    if (W(window).open) CloseWindow(window);  // a window that refuses: gone with its caller
}

void FakeUi::CloseWindow(WindowId window) {
    Win& w = W(window);
    w.open = false;
    w.visible = false;
    w.timers.clear();
}

std::string FakeUi::Text(WindowId window, ControlId control) { return P(window, control).text; }

void FakeUi::SetText(WindowId window, ControlId control, std::string_view text) {
    P(window, control).text = std::string(text);
}

bool FakeUi::Checked(WindowId window, ControlId control) { return P(window, control).checked; }

void FakeUi::SetChecked(WindowId window, ControlId control, bool checked) {
    P(window, control).checked = checked;
}

bool FakeUi::Visible(WindowId window, ControlId control) { return P(window, control).visible; }

void FakeUi::SetVisible(WindowId window, ControlId control, bool visible) {
    P(window, control).visible = visible;
}

void FakeUi::SetWindowVisible(WindowId window, bool visible) {
    Win& w = W(window);
    if (!w.open || w.visible == visible) return;
    w.visible = visible;
    if (!w.creating) sink_->Handle(window, {EventKind::VisibilityChanged, 0, visible ? 1 : 0});
}

void FakeUi::SetState(WindowId window, WindowState state) {
    Win& w = W(window);
    w.state = state;
}

void FakeUi::SetTimerPeriod(WindowId window, ControlId timer, int milliseconds) {
    Timer& t = W(window).timers[timer];
    if (milliseconds == t.period && milliseconds > 0) return;
    t.period = milliseconds > 0 ? milliseconds : 0;
    t.due = clock_.elapsedMs + t.period;
}

int FakeUi::TimerPeriod(WindowId window, ControlId timer) {
    auto& timers = W(window).timers;
    auto it = timers.find(timer);
    return it == timers.end() ? 0 : it->second.period;
}

int FakeUi::Ticks(WindowId window, ControlId timer) {
    auto& timers = W(window).timers;
    auto it = timers.find(timer);
    return it == timers.end() ? 0 : it->second.ticks;
}

void FakeUi::Advance(std::int64_t milliseconds) {
    const std::int64_t end = clock_.elapsedMs + milliseconds;
    for (;;) {
        // The earliest running timer due by the end; ties go to the lower window and id.
        WindowId nextWindow{};
        ControlId nextTimer = 0;
        std::int64_t nextDue = end + 1;
        for (std::size_t i = 0; i < windows_.size(); ++i)
            for (auto& [id, t] : windows_[i].timers)
                if (t.period > 0 && t.due < nextDue) {
                    nextDue = t.due;
                    nextWindow = static_cast<WindowId>(i);
                    nextTimer = id;
                }
        if (nextDue > end) break;
        clock_.nowMs += nextDue - clock_.elapsedMs;
        clock_.elapsedMs = nextDue;
        Timer& t = W(nextWindow).timers[nextTimer];
        t.due += t.period;
        ++t.ticks;
        sink_->Handle(nextWindow, {EventKind::Periodic, nextTimer});
    }
    clock_.nowMs += end - clock_.elapsedMs;
    clock_.elapsedMs = end;
}

void FakeUi::ShowMessageBox(std::string_view text, MessageKind kind, std::string_view caption) {
    messages.push_back({std::string(text), kind, std::string(caption)});
    if (onMessageBox) onMessageBox(messages.back());
}

void FakeUi::EndProgram() {
    ended = true;
    throw ProgramEnded{};
}

}  // namespace sut::test
