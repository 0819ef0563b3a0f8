#include "settings/PasswordCodec.h"

namespace sut {
namespace {

// 1-based position of the byte's first occurrence, -1 when absent; an absent member (the lone
// last byte of an odd-length text) counts as position 1.
int SearchResult(std::string_view alphabet, const char* member) {
    if (member == nullptr) return 1;
    const std::size_t at = alphabet.find(*member);
    return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

}  // namespace

unsigned DrawScrambleValue(std::uint32_t tick, std::uint32_t& offset) {
    const std::uint32_t seed = tick + offset;
    offset = offset + seed % 256 + 100;
    const std::uint32_t state = seed * 214013u + 2531011u;
    return ((state >> 16) & 0x7FFF) % 6;
}

void AppendScrambledByte(std::string& out, unsigned char b, unsigned r, std::string_view alphabet) {
    const unsigned length = static_cast<unsigned>(alphabet.size());
    const unsigned k = b ^ r;
    out += alphabet[k % length];
    out += alphabet[(k / length) * 8 + r];
}

std::string ScramblePassword(ScrambleDraws& draws, std::string_view text, std::string_view alphabet) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const unsigned r = DrawScrambleValue(draws.ticks.TickCount(), draws.offset);
        AppendScrambledByte(out, static_cast<unsigned char>(c), r, alphabet);
    }
    return out;
}

std::string UnscramblePassword(std::string_view text, std::string_view alphabet) {
    const int length = static_cast<int>(alphabet.size());
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int x = SearchResult(alphabet, &text[i]) - 1;
        const int y = SearchResult(alphabet, i + 1 < text.size() ? &text[i + 1] : nullptr) - 1;
        const int t = y / 8;  // truncates toward zero: y = -2 gives 0
        const int r = y - 8 * t;
        const char byte = static_cast<char>(((t * length + x) ^ r) & 0xFF);
        if (byte == '\0') break;
        out += byte;
    }
    return out;
}

}  // namespace sut
