// The real platform services, one object each for the whole process.
#pragma once

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Power.h"
#include "platform/Registry.h"
#include "platform/Ticks.h"

namespace sut::win32 {

Clock& RealClock();
Files& RealFiles();
Registry& RealRegistry();
Power& RealPower();
Ticks& RealTicks();

}  // namespace sut::win32
