// The real program started beside settings files that are huge, random or broken: it comes up
// within a generous deadline, shows the defaults or what the INI rules can read, answers, and
// its working set stays near that of a start without settings files. The fixtures are made here,
// from fixed seeds, and removed with the test's directory.
#include <gtest/gtest.h>

#include "Driver.h"  // <windows.h> before <psapi.h>

#include <psapi.h>

#include <cstdio>
#include <random>
#include <utility>
#include <vector>

#include "app/MainWindowLayout.h"
#include "settings/Ini.h"
#include "settings/PasswordCodec.h"

namespace sut::e2e {
namespace {

using namespace mainwnd;

constexpr DWORD kStartDeadlineMs = 60000;
constexpr SIZE_T kMiB = 1024 * 1024;
// How far above a start without settings files the peak working set may go: the reader keeps
// little of a file, whatever its size; reading one whole would take its size at least.
constexpr SIZE_T kMemoryAllowance = 16 * kMiB;
constexpr const char* kExitPrompt = "您已设定退出密码,请输入！";

struct StartFigures {
    HWND main = nullptr;
    ULONGLONG startMs = 0;     // from the process start until MainWindow is visible
    SIZE_T peakWorkingSet = 0; // the process's peak so far
    SIZE_T workingSet = 0;
};

SIZE_T PeakWorkingSet(DWORD pid, SIZE_T* now = nullptr) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const BOOL ok = GetProcessMemoryInfo(h, &counters, sizeof counters);
    CloseHandle(h);
    if (now) *now = ok ? counters.WorkingSetSize : 0;
    return ok ? counters.PeakWorkingSetSize : 0;
}

// Waits for MainWindow to be shown, then takes the figures.
StartFigures Measure(Program& p) {
    StartFigures f;
    const ULONGLONG start = GetTickCount64();
    f.main = p.Main(kStartDeadlineMs);
    if (f.main) WaitUntil([&] { return Program::Visible(f.main); }, kStartDeadlineMs);
    f.startMs = GetTickCount64() - start;
    f.peakWorkingSet = PeakWorkingSet(p.ProcessId(), &f.workingSet);
    return f;
}

void Report(const char* what, const StartFigures& f) {
    std::printf("[ figures  ] %s: visible after %llu ms, peak working set %.1f MiB, now %.1f MiB\n",
                what, f.startMs, static_cast<double>(f.peakWorkingSet) / kMiB,
                static_cast<double>(f.workingSet) / kMiB);
}

// The peak working set of a start without settings files, taken once.
SIZE_T BaselinePeak() {
    static SIZE_T peak = [] {
        Program p;
        const StartFigures f = Measure(p);
        Report("no settings files", f);
        return f.peakWorkingSet;
    }();
    return peak;
}

// The program answers: a message sent to its main window comes back within 5 s. (Not
// SMTO_ABORTIFHUNG: it gives up at once on a thread that has not looked at its queue for 5 s,
// which a long start-up is.)
bool Answers(HWND main) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

void ExpectStartedAndBounded(const char* what, Program& p, const StartFigures& f) {
    Report(what, f);
    ASSERT_TRUE(f.main) << what << ": no main window within " << kStartDeadlineMs << " ms";
    EXPECT_TRUE(Program::Visible(f.main));
    EXPECT_TRUE(Answers(f.main));
    EXPECT_TRUE(p.Running());
    const SIZE_T baseline = BaselinePeak();
    ASSERT_GT(baseline, 0u) << "no memory figures from this system";
    EXPECT_LE(f.peakWorkingSet, baseline + kMemoryAllowance)
        << what << ": peak " << f.peakWorkingSet << " bytes, baseline " << baseline;
}

// The settings controls as the user sees them.
struct Shown {
    std::string hour, minute, second, remindSeconds;
    std::vector<bool> days;  // 选择框1..7
    bool remind = false, startMinimised = false;
    int action = 0;          // 1..3, 0 when none is selected
};

Shown Read(HWND main) {
    Shown s;
    s.hour = Program::Text(Program::Ctl(main, 编辑框1));
    s.minute = Program::Text(Program::Ctl(main, 编辑框2));
    s.second = Program::Text(Program::Ctl(main, 编辑框3));
    s.remindSeconds = Program::Text(Program::Ctl(main, 编辑框4));
    for (ControlId box : {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7})
        s.days.push_back(Program::Checked(Program::Ctl(main, box)));
    s.remind = Program::Checked(Program::Ctl(main, 选择框8));
    s.startMinimised = Program::Checked(Program::Ctl(main, 选择框10));
    const ControlId actions[] = {单选框1, 单选框2, 单选框3};
    for (int i = 0; i < 3; ++i)
        if (Program::Checked(Program::Ctl(main, actions[i]))) s.action = i + 1;
    return s;
}

void ExpectDefaults(HWND main) {
    const Shown s = Read(main);
    EXPECT_EQ(s.hour, "00");
    EXPECT_EQ(s.minute, "00");
    EXPECT_EQ(s.second, "00");
    EXPECT_EQ(s.remindSeconds, "30");
    EXPECT_EQ(s.days, std::vector<bool>(7, false));
    EXPECT_FALSE(s.remind);
    EXPECT_EQ(s.action, 1);
}

// Bytes held in memory, read with the program's own INI rules: what a fixture holds.
class BytesFiles final : public Files {
public:
    explicit BytesFiles(const std::string& bytes) : bytes_(bytes) {}
    std::string ExecutablePath() override { return {}; }
    bool Read(const std::string&, std::string& contents) override {
        contents = bytes_;
        return true;
    }
    bool Replace(const std::string&, std::string_view) override { return false; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return false; }

private:
    const std::string& bytes_;
};

std::string Lookup(const std::string& bytes, std::string_view section, std::string_view key) {
    BytesFiles files(bytes);
    return ReadIniValue(files, "x.ini", section, key, "<none>");
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class FixedTicks final : public Ticks {
public:
    std::uint32_t TickCount() override { return 4242; }
};

// Settings that a 100 MB file carries after its filler.
const std::string kRealSettings =
    "[关机周期]\r\n星期三=Y\r\n星期六=Y\r\n[提醒时间]\r\n是否提醒=Y\r\n秒=45\r\n"
    "[关机操作]\r\n关机方式=3\r\n[关机时间]\r\n小时=7\r\n分钟=45\r\n秒=30\r\n";

void ExpectRealSettings(HWND main) {
    const Shown s = Read(main);
    EXPECT_EQ(s.hour, "7");
    EXPECT_EQ(s.minute, "45");
    EXPECT_EQ(s.second, "30");
    EXPECT_EQ(s.remindSeconds, "45");
    EXPECT_EQ(s.days, (std::vector<bool>{false, false, true, false, false, true, false}));
    EXPECT_TRUE(s.remind);
    EXPECT_EQ(s.action, 3);
}

// 100 MB of lines before the settings, none of them a section searched for, so that every read
// at start-up goes through all of it: headers whose names differ only after their first ']' or by
// a blank, a header without its ']', the keys searched for in sections of other names.
std::string HundredMegabytesOfLines() {
    const std::string block =
        "[关机周期 ]x]\r\n星期一=Y\r\n星期三=Y\r\n[关机时间\r\n小时=00\r\n[提醒时间]]\r\n"
        "是否提醒=Y\r\n秒=30\r\n[关机操作 2]\r\n关机方式=2\r\n[填充]\r\n"
        "; 注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释注释\r\n";
    std::string file;
    file.reserve(100 * 1000 * 1000 + block.size() + kRealSettings.size());
    while (file.size() < 100 * 1000 * 1000) file += block;
    return file + kRealSettings;
}

TEST(HostileFilesE2E, HundredMegabyteCloseIniOfLines) {
    BaselinePeak();
    std::string file = HundredMegabytesOfLines();
    // What the INI rules find: the settings at the end, nothing of the filler.
    ASSERT_EQ(Lookup(file, "关机周期", "星期一"), "<none>");
    ASSERT_EQ(Lookup(file, "关机时间", "小时"), "7");
    Program p(Launch{.files = {{"close.ini", std::move(file)}}});
    const StartFigures f = Measure(p);
    ExpectStartedAndBounded("100 MB close.ini of lines", p, f);
    if (f.main) ExpectRealSettings(f.main);
}

TEST(HostileFilesE2E, HundredMegabyteCloseIniOfOneLine) {
    BaselinePeak();
    // One line: a header that never closes, then everything else on the same line.
    std::string file = "[关机时间" + std::string(100 * 1000 * 1000, 'x') + kRealSettings;
    for (char& c : file)
        if (c == '\r' || c == '\n') c = ' ';
    Program p(Launch{.files = {{"close.ini", std::move(file)}}});
    const StartFigures f = Measure(p);
    ExpectStartedAndBounded("100 MB close.ini of one line", p, f);
    if (f.main) ExpectDefaults(f.main);
}

TEST(HostileFilesE2E, RandomBytes) {
    BaselinePeak();
    const std::string close = RandomBytes(8 * kMiB, 7);
    const std::string config = RandomBytes(1 * kMiB, 8);
    ASSERT_EQ(Lookup(close, "关机时间", "小时"), "<none>");
    ASSERT_EQ(Lookup(config, "Soft boot", "password"), "<none>");
    Program p(Launch{.files = {{"close.ini", close}, {"config.ini", config}}});
    const StartFigures f = Measure(p);
    ExpectStartedAndBounded("random close.ini and config.ini", p, f);
    if (f.main) ExpectDefaults(f.main);
}

TEST(HostileFilesE2E, NulBytes) {
    BaselinePeak();
    using namespace std::string_literals;
    // A NUL is an ordinary byte to the INI rules: a name with one in it is another name, and a
    // value with one shows up to it.
    const std::string close =
        "[关机周期]\r\n星期一=Y\r\n星期二=\0Y\r\n\0星期三=Y\r\n星期四=Y\0\r\n"
        "[提醒\0时间]\r\n是否提醒=Y\r\n秒=45\r\n"
        "[关机时间]\r\n小时=1\0" "2\r\n\0分钟=30\r\n秒=9\r\n\0\0\0"s;
    // The start password's section begins with a NUL: it is another section.
    FixedTicks ticks;
    ScrambleDraws draws{ticks};
    const std::string config = "\0[Soft boot]\r\npassword="s + ScramblePassword(draws, "start1") +
                               "\r\n[Soft Exit]\r\npassword=" + ScramblePassword(draws, "exit11") +
                               "\r\n\0"s;
    Program p(Launch{.files = {{"close.ini", close}, {"config.ini", config}}});
    const StartFigures f = Measure(p);
    ExpectStartedAndBounded("close.ini and config.ini with NUL bytes", p, f);
    if (!f.main) return;
    const Shown s = Read(f.main);
    EXPECT_EQ(s.days, (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_FALSE(s.remind);
    EXPECT_EQ(s.remindSeconds, "30");
    EXPECT_EQ(s.hour, "1");
    EXPECT_EQ(s.minute, "00");
    EXPECT_EQ(s.second, "9");
    // The exit password was read: 退出 asks for it.
    Program::Command(f.main, 退出);
    HWND prompt = p.WaitWindow(kExitPrompt);
    EXPECT_TRUE(prompt);
    if (prompt) PostMessageW(prompt, WM_CLOSE, 0, 0);
}

TEST(HostileFilesE2E, MegabyteLongPasswordValues) {
    BaselinePeak();
    FixedTicks ticks;
    ScrambleDraws draws{ticks};
    std::string exitPassword;
    while (exitPassword.size() < kMiB / 2) exitPassword += "exit11";
    // Start: 1 MiB that unscrambles to nothing (its first pair is a zero byte): not set.
    // Exit: a scrambled password of 512 KiB, 1 MiB stored: set, its first 10239 bytes read.
    // Lock: 1 MiB up to the end of the file, with no line end.
    const std::string config = "[Soft boot]\r\npassword=" + std::string(kMiB, 'A') +
                               "\r\n[Soft Exit]\r\npassword=" + ScramblePassword(draws, exitPassword) +
                               "\r\n[Soft lock]\r\npassword=" + std::string(kMiB, 'z');
    ASSERT_EQ(Lookup(config, "Soft Exit", "password").size(), 10239u);
    ASSERT_EQ(UnscramblePassword(Lookup(config, "Soft boot", "password")), "");
    Program p(Launch{.files = {{"config.ini", config}}});
    const StartFigures f = Measure(p);  // no start prompt: MainWindow comes up by itself
    ExpectStartedAndBounded("config.ini with 1 MB values", p, f);
    if (!f.main) return;
    ExpectDefaults(f.main);
    Program::Command(f.main, 退出);
    HWND prompt = p.WaitWindow(kExitPrompt);
    EXPECT_TRUE(prompt);
    if (prompt) PostMessageW(prompt, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace sut::e2e
