// How every window's events reach their handlers: one table per window of (event, control) ->
// handler, searched in order; the first row that matches answers. An event that no row takes is
// answered yes (only CanBeClosed reads the answer).
#pragma once

#include <span>

#include "app/App.h"

namespace sut {

using Handler = bool (*)(App& app, const Event& event);

struct Route {
    EventKind kind;
    ControlId control;  // 0 for the window's own events (Created, CanBeClosed, ...)
    Handler handler;
};

// A row for a step that needs nothing of the event; it answers yes.
template <void (*Step)(App&)>
bool Do(App& app, const Event&) {
    Step(app);
    return true;
}

bool Dispatch(std::span<const Route> routes, App& app, const Event& event);

}  // namespace sut
