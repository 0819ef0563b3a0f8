// TextToInteger on any bytes: no undefined behaviour, and its result printed and read again
// is itself.
#include <cstdlib>
#include <string>

#include "settings/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = sut::TextToInteger(text);
    if (sut::TextToInteger(sut::IntegerToText(value)) != value) std::abort();
    return 0;
}
