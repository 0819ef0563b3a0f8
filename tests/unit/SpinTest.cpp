#include <gtest/gtest.h>

#include "platform/Spin.h"

namespace sut {
namespace {

TEST(Spin, StepsAndWrapsAroundTheRange) {
    struct Case {
        const char* text;
        int delta, min, max;
        const char* expected;
    } cases[] = {
        {"21", +1, 0, 23, "22"},  {"23", +1, 0, 23, "0"},   {"0", -1, 0, 23, "23"},
        {"07", +1, 0, 59, "8"},   {"", +1, 0, 59, "1"},     {"abc", -1, 0, 59, "59"},
        {"  5", -1, 0, 59, "4"},  {"+9", +1, 0, 59, "10"},  {"-1", +1, 0, 59, "0"},
        {"-5", +1, 0, 59, "59"},  {"99", +1, 0, 23, "0"},   {"99", -1, 0, 23, "0"},
        {"7:30", +1, 0, 59, "8"}, {"99999999999", -1, 0, 59, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpinStep(c.text, c.delta, c.min, c.max), c.expected) << c.text << " " << c.delta;
}

TEST(Spin, DigitBoxTakesDigitsMinusAndControlKeys) {
    for (unsigned ch : {0x30u, 0x35u, 0x39u, 0x2Du, 0x08u, 0x16u /* 0 5 9 - backspace Ctrl+V */})
        EXPECT_TRUE(AcceptsDigitBoxChar(ch)) << ch;
    for (unsigned ch : {0x61u, 0x2Bu, 0x20u, 0x2Eu, 0x3Au, 0xFF11u /* a + blank . : full-width 1 */})
        EXPECT_FALSE(AcceptsDigitBoxChar(ch)) << ch;
}

}  // namespace
}  // namespace sut
