#include "platform/Spin.h"

#include <cstdint>

namespace sut {

std::string SpinStep(std::string_view text, int delta, int min, int max) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < INT32_MAX) value = value * 10 + (text[i] - '0');  // stays out of range, never wraps
    if (negative) value = -value;
    value += delta;
    if (value > max) value = min;
    else if (value < min) value = max;
    return std::to_string(value);
}

bool AcceptsDigitBoxChar(unsigned ch) { return ch < 0x20 || (ch >= '0' && ch <= '9') || ch == '-'; }

}  // namespace sut
