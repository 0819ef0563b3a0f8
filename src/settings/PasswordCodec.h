// The stored form of a password: every byte mixed with a random value from 0 to 5 that the
// stored form carries along, written as two characters of the alphabet. There is no key; this
// keeps a password from being read at a glance, nothing more.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Ticks.h"

namespace sut {

inline constexpr std::string_view kScrambleAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";

// Where the random values come from: the tick count, and a reseeding offset that starts at 0 and
// moves on with every draw, so that two scrambles in the same millisecond differ. One per process
// (the program's lives in its App); never saved.
struct ScrambleDraws {
    Ticks& ticks;
    std::uint32_t offset = 0;
};

// Two alphabet characters per byte; the empty text gives the empty text. An alphabet needs at
// least 46 distinct characters so that the second position, (k div L) * 8 + r, stays inside it.
std::string ScramblePassword(ScrambleDraws& draws, std::string_view text,
                             std::string_view alphabet = kScrambleAlphabet);

// Never fails: malformed input (odd length, bytes outside the alphabet, the wrong case) gives
// whatever bytes the pairs decode to, cut at the first zero byte.
std::string UnscramblePassword(std::string_view text,
                               std::string_view alphabet = kScrambleAlphabet);

// The pieces of ScramblePassword, for callers that fix the random values.
//
// One draw of r (0..5): the generator is reseeded from tick + offset, and the offset moves on
// so that two draws in the same millisecond differ.
unsigned DrawScrambleValue(std::uint32_t tick, std::uint32_t& offset);
// Appends the pair for byte b mixed with r.
void AppendScrambledByte(std::string& out, unsigned char b, unsigned r,
                         std::string_view alphabet = kScrambleAlphabet);

}  // namespace sut
