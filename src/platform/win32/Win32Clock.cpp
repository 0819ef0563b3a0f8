#include <windows.h>

#include "platform/win32/LocalTime.h"
#include "platform/win32/Services.h"

namespace sut::win32 {
namespace {

class LocalClock final : public Clock {
public:
    LocalTime Now() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return ToLocalTime(st);
    }
};

}  // namespace

Clock& RealClock() {
    static LocalClock clock;
    return clock;
}

}  // namespace sut::win32
