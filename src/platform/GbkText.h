// Byte-level helpers for GBK texts.
#pragma once

#include <string_view>

namespace sut {

// True for a byte that starts a two-byte GBK character.
constexpr bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The longest prefix of at most maxBytes bytes that does not split a two-byte character.
std::string_view CutGbk(std::string_view text, std::size_t maxBytes);

}  // namespace sut
