// The shipped program's own, forced request. Under Wine it ends every process of the prefix,
// this test included, so it runs only in a throwaway prefix (ScheduleRealRequest.sh, which also
// watches the prefix end); the suite's own run leaves it out by name, and anywhere else it fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "ScheduleDriver.h"

namespace sut::e2e {
namespace {

TEST(ScheduleRealRequest, TheForcedPowerOffEndsEveryProcessOfThePrefix) {
    const char* throwaway = std::getenv("SUTREMO_THROWAWAY_PREFIX");
    if (!throwaway || std::string(throwaway) != "1")
        FAIL() << "runs only in a throwaway prefix (ScheduleRealRequest.sh): it ends every process of its prefix";

    Scheduled s(nullptr, ProgramPath());  // the shipped program; no close.ini: power off
    ASSERT_TRUE(s.main);
    ASSERT_TRUE(WaitUntil([&] { return Program::Visible(s.main); }));
    s.SwitchOnAhead(3, false);
    std::printf("armed unix=%llu\n", s.SetUnixTime());  // for the watching script
    std::fflush(stdout);
    // Still here well after the set time: the request did not end the prefix.
    s.p.WaitExit(20'000);
    FAIL() << "the program and this test outlived the set time";
}

}  // namespace
}  // namespace sut::e2e
