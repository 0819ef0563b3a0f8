// A clock that moves only when a test moves it.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace sut::test {

class FakeClock final : public Clock {
public:
    // Local time as milliseconds since 1970-01-01 00:00:00 (no time zones here). A test may set
    // it anywhere: the wall clock moved, as by the user or a daylight-saving change.
    std::int64_t nowMs = 0;
    // The time that window timers count, which no change of the wall clock moves: only
    // FakeUi::Advance moves it, together with the wall clock.
    std::int64_t elapsedMs = 0;

    void Set(int year, int month, int day, int hour, int minute, int second, int ms = 0);
    LocalTime Now() override;
};

}  // namespace sut::test
