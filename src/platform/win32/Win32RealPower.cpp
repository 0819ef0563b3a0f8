// On its own so that the recording test program can link its RealPower() in place of this one.
#include "platform/win32/Services.h"
#include "platform/win32/ShutdownService.h"

namespace sut::win32 {

Power& RealPower() {
    static ShutdownService power;
    return power;
}

}  // namespace sut::win32
