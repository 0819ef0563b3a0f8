#include <gtest/gtest.h>

#include "settings/Numbers.h"

namespace sut {
namespace {

TEST(Numbers, TextToIntegerTable) {
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {" 12", 12},
        {"\t\n\v\f\r 7", 7},
        {"08", 8},
        {"7:30", 7},
        {"-5", -5},
        {"+5", 5},
        {"- 5", 0},  // the sign must touch the digits
        {"--5", 0},
        {"２１", 21},          // full-width digits
        {"　12", 12},          // ideographic space
        {"－３", -3},          // full-width minus
        {"＋４", 4},           // full-width plus
        {"～1", 0},            // folds to '~', not a digit
        {"2１", 21},           // half- and full-width mixed
        {"12三", 12},          // other double-byte characters end the digits
        {"三12", 0},
        {"\x81", 0},           // a lead byte with nothing after ends the text
        {"9\xA3", 9},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},  // saturates, never wraps
        {"99999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
        {"000000000000000000000000000000023", 23},  // leading zeros are no overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToInteger(c.text), c.value);
    }
}

TEST(Numbers, FullWidthFoldingStopsAtTheNulAfterALeadByte) {
    using namespace std::string_view_literals;
    EXPECT_EQ(TextToInteger("4\xA3\0"sv "5"), 4);
}

TEST(Numbers, IntegerToText) {
    EXPECT_EQ(IntegerToText(8), "8");
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(-3), "-3");
    EXPECT_EQ(IntegerToText(-2147483647 - 1), "-2147483648");
}

}  // namespace
}  // namespace sut
