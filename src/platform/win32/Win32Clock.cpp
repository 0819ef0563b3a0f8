#include <windows.h>

#include "platform/win32/Services.h"

namespace sut::win32 {
namespace {

class LocalClock final : public Clock {
public:
    LocalTime Now() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                st.wMilliseconds, st.wDayOfWeek + 1};
    }
};

}  // namespace

Clock& RealClock() {
    static LocalClock clock;
    return clock;
}

}  // namespace sut::win32
