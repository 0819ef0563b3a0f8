// Every Windows-side suite runs as the program's users run it, under ANSI code page 936. It says
// which code page it found, and under any other it fails before its first test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace sut::support {

class ChineseCodePage final : public ::testing::Environment {
public:
    void SetUp() override {
        std::printf("[ codepage ] ANSI %u, OEM %u\n", GetACP(), GetOEMCP());
        std::fflush(stdout);
        ASSERT_EQ(GetACP(), 936u) << "run under a Chinese locale (LC_ALL=zh_CN.UTF-8, as scripts/wine-env sets)";
    }
};

}  // namespace sut::support
