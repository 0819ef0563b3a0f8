// The password codec on any bytes: unscrambling never crashes and never yields a zero byte, and
// any password without a zero byte comes back from its scrambled form, whatever the tick count.
#include <cstdlib>
#include <string>

#include "settings/PasswordCodec.h"

namespace {

struct FixedTicks final : sut::Ticks {
    std::uint32_t tick = 0;
    std::uint32_t TickCount() override { return tick; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (sut::UnscramblePassword(text).find('\0') != std::string::npos) std::abort();

    std::string password;
    for (char c : text)
        if (c != '\0') password += c;
    FixedTicks ticks;
    ticks.tick = size >= 4 ? static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24) : 0;
    sut::ScrambleDraws draws{ticks};
    const std::string scrambled = sut::ScramblePassword(draws, password);
    if (scrambled.size() != 2 * password.size()) std::abort();
    if (sut::UnscramblePassword(scrambled) != password) std::abort();
    return 0;
}
