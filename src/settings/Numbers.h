// The conversions used on every number typed or stored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sut {

// Full-width forms folded to ASCII first; then optional white space, an optional sign and the
// longest run of digits; no digits give 0. Too many digits saturate at the 32-bit limits.
std::int32_t TextToInteger(std::string_view text);
// Decimal, a minus sign for negative numbers, no leading zeros.
std::string IntegerToText(std::int32_t value);

}  // namespace sut
