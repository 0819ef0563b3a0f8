// The local wall clock.
#pragma once

namespace sut {

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int weekday = 7;  // 1 = Sunday, 2 = Monday, ..., 7 = Saturday
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};

}  // namespace sut
