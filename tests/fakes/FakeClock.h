// A clock that moves only when a test moves it.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace sut::test {

class FakeClock final : public Clock {
public:
    // Local time as milliseconds since 1970-01-01 00:00:00 (no time zones here).
    std::int64_t nowMs = 0;

    void Set(int year, int month, int day, int hour, int minute, int second, int ms = 0);
    LocalTime Now() override;
};

}  // namespace sut::test
