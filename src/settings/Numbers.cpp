#include "settings/Numbers.h"

#include <cstdint>

namespace sut {
namespace {

// Full-width GBK characters folded to their ASCII forms; other double-byte characters copied.
std::string FoldFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] == '\0') break;  // a lead byte with nothing after
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) out += static_cast<char>(trail - 0x80);
        else if (lead == 0xA1 && trail == 0xA1) out += ' ';
        else if (lead == 0xA1 && trail == 0xAB) out += '~';
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) out += '*';
        else {
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
        }
    }
    return out;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::int32_t TextToInteger(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && IsSpace(folded[i])) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
    std::int64_t value = 0;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = value * 10 + (folded[i] - '0');
        if (value > INT32_MAX) value = std::int64_t{INT32_MAX} + 1;  // saturates below
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

std::string IntegerToText(std::int32_t value) { return std::to_string(value); }

}  // namespace sut
