#include "platform/Layout.h"

namespace sut {

const ControlSpec* FindControl(const WindowSpec& spec, ControlId id) {
    for (const ControlSpec& c : spec.controls)
        if (c.id == id) return &c;
    return nullptr;
}

const MenuSpec* FindMenuItem(const WindowSpec& spec, ControlId id) {
    for (const MenuSpec& m : spec.menu)
        if (m.id == id) return &m;
    return nullptr;
}

Point ClientPosition(const WindowSpec& spec, const ControlSpec& control) {
    Point p{control.x, control.y};
    if (const ControlSpec* group = control.parent ? FindControl(spec, control.parent) : nullptr) {
        p.x += group->x;
        p.y += group->y;
    }
    return p;
}

}  // namespace sut
