// GetLocalTime's answer as the program's LocalTime.
#pragma once

#include <windows.h>

#include "platform/Clock.h"

namespace sut::win32 {

inline LocalTime ToLocalTime(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
            st.wDayOfWeek + 1};
}

}  // namespace sut::win32
