// The arithmetic and key filter of the spin edit boxes, shared by every backend.
#pragma once

#include <string>
#include <string_view>

namespace sut {

// One arrow click: the text read as a decimal integer (leading blanks, an optional sign, digits;
// no digits count as 0) plus delta; a result outside min..max becomes the other end of the range.
// Written without leading zeros.
std::string SpinStep(std::string_view text, int delta, int min, int max);

// Characters that may be typed into a digits-only box: 0-9, '-' and control keys (editing
// and clipboard shortcuts).
bool AcceptsDigitBoxChar(unsigned ch);

}  // namespace sut
