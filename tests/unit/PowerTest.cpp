#include <gtest/gtest.h>

#include <optional>

#include "FakeServices.h"
#include "schedule/PowerActions.h"

namespace sut {
namespace {

using test::AppFixture;
using test::RecordingPower;

constexpr const char* kDir = "C:\\Tools\\";

// What one request asked of the system; nullopt: nothing was asked.
struct Asked {
    bool exitWindows;
    std::uint32_t flags;  // ExitWindowsEx
    bool suspend;         // SetSystemPowerState, always forced here
};

std::optional<Asked> OnlyRequest(const RecordingPower& power) {
    if (power.requests.empty()) return std::nullopt;
    EXPECT_EQ(power.requests.size(), 1u);
    const auto& r = power.requests[0];
    if (!r.exitWindows) {
        EXPECT_TRUE(r.force);
    }
    return Asked{r.exitWindows, r.flags, r.suspend};
}

void ExpectAsked(const std::optional<Asked>& got, const std::optional<Asked>& want) {
    ASSERT_EQ(got.has_value(), want.has_value());
    if (!want) return;
    EXPECT_EQ(got->exitWindows, want->exitWindows);
    if (want->exitWindows) EXPECT_EQ(got->flags, want->flags);
    else EXPECT_EQ(got->suspend, want->suspend);
}

constexpr Asked Exit(std::uint32_t flags) { return {true, flags, false}; }
constexpr Asked PowerState(bool suspend) { return {false, 0, suspend}; }

TEST(Power, EachCodeOnEachPlatformMakesItsForcedRequest) {
    struct Case {
        int code;
        bool nt;
        std::optional<Asked> asked;
    } cases[] = {
        {1, true, Exit(kEwxPowerOff | kEwxForce)},
        {1, false, Exit(kEwxShutdown | kEwxForce)},
        {2, true, Exit(kEwxReboot | kEwxForce)},
        {2, false, Exit(kEwxReboot | kEwxForce)},
        {3, true, Exit(kEwxLogOff | kEwxForce)},
        {3, false, Exit(kEwxLogOff | kEwxForce)},
        {4, true, PowerState(true)},
        {5, true, PowerState(false)},
        {5, false, PowerState(false)},
        {0, true, std::nullopt},
        {6, true, std::nullopt},
        {-1, true, std::nullopt},
        {INT32_MIN, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << (c.nt ? " NT" : " 9x"));
        RecordingPower power;
        power.nt = c.nt;
        EXPECT_EQ(PerformPowerAction(power, c.code, true), c.asked.has_value());
        ExpectAsked(OnlyRequest(power), c.asked);
        // The privilege is asked for only on NT, and only for a code that acts.
        EXPECT_EQ(power.privilegeRequests, c.nt && c.asked ? 1 : 0);
    }
}

TEST(Power, WithoutForceNoForceFlagIsAdded) {
    RecordingPower power;
    PerformPowerAction(power, 2, false);
    PerformPowerAction(power, 4, false);
    ASSERT_EQ(power.requests.size(), 2u);
    EXPECT_EQ(power.requests[0].flags, kEwxReboot);
    EXPECT_FALSE(power.requests[1].force);
}

TEST(Power, PrivilegeNotHeldRequestsNothing) {
    for (int code = 1; code <= 5; ++code) {
        RecordingPower power;
        power.privilegeHeld = false;
        EXPECT_FALSE(PerformPowerAction(power, code, true)) << code;
        EXPECT_TRUE(power.requests.empty()) << code;
    }
}

TEST(Power, ARefusedRequestIsReportedAsFailed) {
    RecordingPower power;
    power.accepts = false;
    EXPECT_FALSE(PerformPowerAction(power, 1, true));
    EXPECT_FALSE(PerformPowerAction(power, 4, true));
}

TEST(Power, RunSavedPowerActionReadsTheCodeAtThisMoment) {
    struct Case {
        const char* what;
        std::optional<std::string> file;  // close.ini; nullopt: no file
        const char* fallback;             // nullptr: none given
        std::optional<Asked> asked;
    } cases[] = {
        {"restart", "[关机操作]\r\n关机方式=2\r\n", "1", Exit(kEwxReboot | kEwxForce)},
        {"log off", "[关机操作]\r\n关机方式=3\r\n", "1", Exit(kEwxLogOff | kEwxForce)},
        {"leading blank", "[关机操作]\r\n关机方式= 3\r\n", "1", Exit(kEwxLogOff | kEwxForce)},
        {"trailing letters", "[关机操作]\r\n关机方式=3x\r\n", "1", Exit(kEwxLogOff | kEwxForce)},
        {"full-width digit", "[关机操作]\r\n关机方式=３\r\n", "1", Exit(kEwxLogOff | kEwxForce)},
        {"hand-edited suspend", "[关机操作]\r\n关机方式=4\r\n", "1", PowerState(true)},
        {"zero", "[关机操作]\r\n关机方式=0\r\n", "1", std::nullopt},
        {"six", "[关机操作]\r\n关机方式=6\r\n", "1", std::nullopt},
        {"negative", "[关机操作]\r\n关机方式=-1\r\n", "1", std::nullopt},
        {"not a number", "[关机操作]\r\n关机方式=abc\r\n", "1", std::nullopt},
        {"empty value, not the fallback", "[关机操作]\r\n关机方式=\r\n", "1", std::nullopt},
        {"no file: the fallback", std::nullopt, "1", Exit(kEwxPowerOff | kEwxForce)},
        {"no key: the fallback", "[提醒时间]\r\n秒=30\r\n", "1", Exit(kEwxPowerOff | kEwxForce)},
        {"no file, no fallback", std::nullopt, nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppFixture f;
        f.app.settingsDirectory = kDir;
        if (c.file) f.files.files[std::string(kDir) + "close.ini"] = *c.file;
        if (c.fallback) RunSavedPowerAction(f.app, c.fallback);
        else RunSavedPowerAction(f.app);
        ExpectAsked(OnlyRequest(f.power), c.asked);
    }
}

}  // namespace
}  // namespace sut
