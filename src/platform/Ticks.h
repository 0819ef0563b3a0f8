// The system's millisecond tick count.
#pragma once

#include <cstdint>

namespace sut {

class Ticks {
public:
    virtual ~Ticks() = default;
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace sut
