#include <gtest/gtest.h>

#include "FakeServices.h"
#include "settings/PasswordCodec.h"

namespace sut {
namespace {

std::string Scrambled(std::string_view text, std::initializer_list<unsigned> draws) {
    std::string out;
    auto r = draws.begin();
    for (const char c : text) AppendScrambledByte(out, static_cast<unsigned char>(c), *r++);
    return out;
}

TEST(PasswordCodec, WorkedExampleWithFixedDraws) {
    EXPECT_EQ(Scrambled("abc", {0, 1, 2}), "9IbJ9K");
    EXPECT_EQ(UnscramblePassword("9IbJ9K"), "abc");
    EXPECT_EQ(Scrambled("abc", {5, 5, 5}).size(), 6u);
    EXPECT_EQ(UnscramblePassword(Scrambled("abc", {5, 3, 4})), "abc");
}

TEST(PasswordCodec, EveryByteWithEveryDrawComesBackAndItsSecondCharacterIsAmongTheFirst38) {
    for (unsigned b = 1; b <= 255; ++b)
        for (unsigned r = 0; r <= 5; ++r) {
            std::string pair;
            AppendScrambledByte(pair, static_cast<unsigned char>(b), r);
            ASSERT_EQ(pair.size(), 2u);
            EXPECT_LT(kScrambleAlphabet.find(pair[1]), 38u) << b << " " << r;
            EXPECT_EQ(UnscramblePassword(pair), std::string(1, static_cast<char>(b)))
                << b << " " << r;
        }
}

TEST(PasswordCodec, ScrambledTextIsAlphanumericTwiceAsLongAndComesBack) {
    test::FakeTicks ticks;
    ticks.tick = 123456;
    ScrambleDraws draws{ticks};
    const std::string text = "密码Ab c?";  // two double-byte characters, a blank
    const std::string stored = ScramblePassword(draws, text);
    EXPECT_EQ(stored.size(), 2 * text.size());
    EXPECT_EQ(stored.find_first_not_of(kScrambleAlphabet), std::string::npos) << stored;
    EXPECT_EQ(UnscramblePassword(stored), text);
    EXPECT_EQ(ScramblePassword(draws, ""), "");
    EXPECT_EQ(UnscramblePassword(""), "");
}

TEST(PasswordCodec, TwoScramblesInTheSameMillisecondDiffer) {
    test::FakeTicks ticks;  // the tick count never moves
    ScrambleDraws draws{ticks};
    const std::string first = ScramblePassword(draws, "abcdefghijklmnop");
    const std::string second = ScramblePassword(draws, "abcdefghijklmnop");
    EXPECT_NE(first, second);
    EXPECT_EQ(UnscramblePassword(first), "abcdefghijklmnop");
    EXPECT_EQ(UnscramblePassword(second), "abcdefghijklmnop");
}

TEST(PasswordCodec, DrawReseedsFromTickPlusOffsetAndMovesTheOffsetOn) {
    struct Case {
        std::uint32_t tick, offset;
        unsigned r;
        std::uint32_t nextOffset;
    } cases[] = {
        // seed 0: state 2531011, drawn number 38
        {0, 0, 2, 100},
        // same tick again: the offset alone changes the seed
        {0, 100, 5, 300},
        {1000, 444, 2, 708},
        // the seed and the offset wrap around at 2^32
        {0xFFFFFFFFu, 708, 1, 1003},
        {0x20, 0xFFFFFFF0u, 0, 100},
    };
    for (const Case& c : cases) {
        std::uint32_t offset = c.offset;
        EXPECT_EQ(DrawScrambleValue(c.tick, offset), c.r) << c.tick << "+" << c.offset;
        EXPECT_EQ(offset, c.nextOffset) << c.tick << "+" << c.offset;
    }
}

TEST(PasswordCodec, MalformedInputUnscramblesByTheRulesWithoutFailing) {
    using namespace std::string_literals;
    struct Case {
        std::string stored, plain;
    } cases[] = {
        {"9i", "]"},                // case matters: i is not I
        {"9IbJ9", "ab#"},           // lone last character: its own position, 35
        {"A", ""},                  // lone A is byte 0, which ends the text
        {"AA", ""},
        {"AA9I", ""},               // nothing after a zero byte
        {"9I!!9I", "a"},            // two bytes outside the alphabet give 0
        {"!A", "\xFE"},             // one outside: -2 in two's complement
        {"9I\0I"s, "a<"},           // a zero byte is just outside the alphabet
        {"zz", "\xEA"},             // second character beyond position 37: (7*62+61)^5
    };
    for (const Case& c : cases) EXPECT_EQ(UnscramblePassword(c.stored), c.plain) << c.stored;
}

TEST(PasswordCodec, TheAlphabetAndItsLengthComeFromTheArgument) {
    const std::string_view fifty = kScrambleAlphabet.substr(0, 50);
    std::string pair;
    AppendScrambledByte(pair, 'a', 0, fifty);  // 97 = 1 * 50 + 47
    EXPECT_EQ(pair, "lI");
    EXPECT_EQ(UnscramblePassword(pair, fifty), "a");
    EXPECT_EQ(UnscramblePassword("lI"), "m");  // the default alphabet: 1 * 62 + 47
}

}  // namespace
}  // namespace sut
