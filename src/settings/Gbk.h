// Walking GBK byte strings one character at a time.
#pragma once

#include <cstddef>
#include <string_view>

namespace sut {

// 2 when a GBK lead byte (0x81..0xFE) at i is followed by a valid trail byte (0x40..0xFE except
// 0x7F), else 1. A trail byte can be '\\', ']' or an ASCII letter, so byte scans that look for
// separators or fold case must step by characters.
inline std::size_t GbkCharLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x81 || lead > 0xFE || i + 1 >= s.size()) return 1;
    const auto trail = static_cast<unsigned char>(s[i + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

}  // namespace sut
