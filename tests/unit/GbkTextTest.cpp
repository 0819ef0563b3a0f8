#include <gtest/gtest.h>

#include "platform/GbkText.h"

namespace sut {
namespace {

TEST(GbkText, CutNeverSplitsADoubleByteCharacter) {
    // 60 ASCII bytes, then two Chinese characters: the second would straddle byte 62.
    const std::string tip = std::string(59, 'a') + "定时已";
    EXPECT_EQ(tip.size(), 65u);
    EXPECT_EQ(CutGbk(tip, 62), std::string(59, 'a') + "定");
    EXPECT_EQ(CutGbk(std::string(60, 'a') + "定时", 62), std::string(60, 'a') + "定");
    EXPECT_EQ(CutGbk("Orvandel - Sutremo - 定时已开启", 62), "Orvandel - Sutremo - 定时已开启");
    EXPECT_EQ(CutGbk("abc", 0), "");
    // A lead byte with nothing after it counts as one byte.
    EXPECT_EQ(CutGbk("ab\xD5", 3), "ab\xD5");
}

}  // namespace
}  // namespace sut
