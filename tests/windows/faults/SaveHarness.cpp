// Kill-during-save fault trials, under Wine. One program, two roles:
//
//   save_harness.exe trials N [--seed S]   the driver: N trials, then the counts; exit code 1
//                                          when any trial broke a promise below
//   save_harness.exe run DIR MAPPING [K]   the worker: the program's real save code on the real
//                                          Win32 file layer, in a loop (K iterations, or forever)
//
// The worker alternates between two known settings: each iteration saves the schedule exactly as
// "保存设置" does (SaveScheduleSettings, every key changing) and then makes three password writes
// to config.ini (WritePassword and ClearPassword). Each of those four is one save of one file. Its
// Ui is an inert panel holding the controls' values; the registry and the power service are in
// memory; the tick count is fixed, so that the scrambled passwords, too, are known in advance.
//
// The driver first plays the same sequence on an in-memory file system, which gives the complete
// file after each save; a worker run to completion must end on the same bytes (a self-check). Each
// trial then starts a worker in a fresh directory holding the initial files, kills it
// (TerminateProcess) at a random moment, and holds each file to what the worker's save count
// allows: with no save of that file under way, the file after the last save; with one under way,
// the complete file before it or the complete file after it. A file whose keys each read as
// before or as after that save, but which is neither file, counts as mixed; anything else
// (truncated, empty, missing) as damaged. Also, after the kill: close.ini is hidden and system,
// and at most one temporary file lies beside the settings files; after the next start and save,
// none.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "PanelUi.h"
#include "platform/win32/Services.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "settings/Ini.h"
#include "settings/PasswordStore.h"
#include "settings/ScheduleFile.h"

namespace sut::faults {
namespace {

constexpr int kClose = 0, kConfig = 1;
constexpr const char* kFileNames[2] = {"close.ini", "config.ini"};
constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// DiskFiles::Step values, and one before them: a save killed before its replace began.
constexpr const char* kStepNames[] = {"before its replace", "remove leftover", "create temp",
                                      "write", "flush", "rename", "clear attributes",
                                      "rename again"};
constexpr int kSteps = static_cast<int>(std::size(kStepNames));

// The keys of each file: what decides whether a file is a mixture of two saves.
const std::vector<std::pair<const char*, const char*>> kKeys[2] = {
    {{"关机周期", "星期一"}, {"关机周期", "星期二"}, {"关机周期", "星期三"}, {"关机周期", "星期四"},
     {"关机周期", "星期五"}, {"关机周期", "星期六"}, {"关机周期", "星期日"}, {"开机启动", "开关"},
     {"启动最小化", "开关"}, {"关机操作", "关机方式"}, {"提醒时间", "是否提醒"}, {"提醒时间", "秒"},
     {"关机时间", "小时"}, {"关机时间", "分钟"}, {"关机时间", "秒"}},
    {{"Soft boot", "password"}, {"Soft Exit", "password"}, {"Soft lock", "password"}},
};

// What the worker tells the driver, in memory the driver also maps: it survives the kill.
struct Shared {
    volatile LONG ready;        // the worker is about to start its loop
    volatile LONG iterations;   // completed iterations
    volatile LONG begun[2];     // saves begun, per file
    volatile LONG finished[2];  // saves returned, per file
    volatile LONG failed;       // replaces that reported failure
    volatile LONG step;         // the last step of the replace of the save under way (-1: none)
};

// Told when a save of a file begins (false) and when it has returned (true).
using SaveMark = std::function<void(int file, bool done)>;

// One iteration: the schedule saved with the settings of the phase, then three password writes.
void Iterate(App& app, test::PanelUi& ui, int phase, const SaveMark& mark) {
    auto save = [&mark](int file, const std::function<void()>& write) {
        mark(file, false);
        write();
        mark(file, true);
    };
    ui.ShowSchedule(phase);
    save(kClose, [&] { SaveScheduleSettings(app); });
    if (phase == 0) {
        save(kConfig, [&] { WritePassword(app, PasswordKind::Start, "开机密码A1"); });
        save(kConfig, [&] { WritePassword(app, PasswordKind::Lock, "lockA1"); });
        save(kConfig, [&] { ClearPassword(app, PasswordKind::Exit); });
    } else {
        save(kConfig, [&] { ClearPassword(app, PasswordKind::Start); });
        save(kConfig, [&] { WritePassword(app, PasswordKind::Exit, "退出密码B2"); });
        save(kConfig, [&] { WritePassword(app, PasswordKind::Lock, "lockB2"); });
    }
}

// The real file layer, with the replaces that fail counted in the shared memory.
class ObservedFiles final : public Files {
public:
    ObservedFiles(Files& real, Shared& shared) : real_(real), shared_(shared) {}
    std::string ExecutablePath() override { return real_.ExecutablePath(); }
    bool Read(const std::string& path, std::string& contents) override {
        return real_.Read(path, contents);
    }
    bool ReadPieces(const std::string& path,
                    const std::function<bool(std::string_view)>& piece) override {
        return real_.ReadPieces(path, piece);
    }
    bool Replace(const std::string& path, std::string_view contents) override {
        return Count(real_.Replace(path, contents));
    }
    bool ReplaceInPieces(const std::string& path, std::uint32_t attributes,
                         const std::function<bool(const PieceSink& put)>& write) override {
        return Count(real_.ReplaceInPieces(path, attributes, write));
    }
    void RemoveLeftovers(const std::string& path) override { real_.RemoveLeftovers(path); }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return real_.SetAttributes(path, attributes);
    }

private:
    bool Count(bool ok) {
        if (!ok) shared_.failed = shared_.failed + 1;
        return ok;
    }
    Files& real_;
    Shared& shared_;
};

struct Services {
    test::PanelUi ui;
    test::FakeClock clock;
    test::MemoryRegistry registry;
    test::RecordingPower power;
    test::FakeTicks ticks;
    Services() { ticks.tick = 4242; }
};

App MakeApp(Services& s, Files& files, const std::string& directory) {
    App app(sut::Services{s.ui, s.clock, files, s.registry, s.power, s.ticks});
    app.settingsDirectory = directory;
    app.executableName = "save_harness.exe";
    return app;
}

// ---- the worker ----

int RunWorker(const std::wstring& dir, const std::wstring& mapping, long iterations) {
    HANDLE map = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, mapping.c_str());
    if (!map) return 2;
    auto* shared = static_cast<Shared*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
    if (!shared) return 2;
    auto& disk = dynamic_cast<win32::DiskFiles&>(win32::RealFiles());
    disk.beforeStep = [shared](win32::DiskFiles::Step s) { shared->step = static_cast<LONG>(s) + 1; };
    ObservedFiles files(disk, *shared);
    Services services;
    App app = MakeApp(services, files, win32::Gbk(dir) + "\\");
    const SaveMark mark = [shared](int file, bool done) {
        if (done) {
            shared->finished[file] = shared->finished[file] + 1;
        } else {
            shared->step = 0;
            shared->begun[file] = shared->begun[file] + 1;
        }
    };
    shared->ready = 1;
    for (long i = 0; iterations < 0 || i < iterations; ++i) {
        Iterate(app, services.ui, static_cast<int>(i % 2), mark);
        if (!services.ui.messages.empty()) return 3;  // the saves show nothing
        shared->iterations = shared->iterations + 1;
    }
    return 0;
}

// ---- the driver ----

const std::string kDirectory = "C:\\x\\";

std::string PathOf(int f) { return kDirectory + kFileNames[f]; }

// The initial files of every trial: the schedule as phase 1 saves it, the passwords all cleared.
// Neither takes a scramble, so the sequence below starts where the worker's does.
void InitialFiles(std::string out[2]) {
    Services s;
    test::MemoryFiles files;
    App app = MakeApp(s, files, kDirectory);
    s.ui.ShowSchedule(1);
    SaveScheduleSettings(app);
    out[kClose] = files.files[PathOf(kClose)];
    out[kConfig] = "[Soft boot]\r\npassword=\r\n[Soft Exit]\r\npassword=\r\n[Soft lock]\r\npassword=\r\n";
}

// The worker's sequence, played in memory and extended on demand.
class Expected {
public:
    explicit Expected(const std::string initial[2]) {
        for (int f : {kClose, kConfig}) {
            files_.files[PathOf(f)] = initial[f];
            states_[f].push_back(initial[f]);
        }
        app_ = std::make_unique<App>(MakeApp(services_, files_, kDirectory));
        afterIteration_.push_back({0, 0});
    }
    // The complete file after n saves of file f.
    const std::string& State(int f, long n) {
        while (static_cast<long>(states_[f].size()) <= n) Step();
        return states_[f][static_cast<std::size_t>(n)];
    }
    // The save counts after k whole iterations.
    std::pair<long, long> CountsAfter(long k) {
        while (static_cast<long>(afterIteration_.size()) <= k) Step();
        return afterIteration_[static_cast<std::size_t>(k)];
    }

private:
    void Step() {
        Iterate(*app_, services_.ui, static_cast<int>(iteration_++ % 2), [this](int f, bool done) {
            if (done) states_[f].push_back(files_.files[PathOf(f)]);
        });
        afterIteration_.push_back({static_cast<long>(states_[kClose].size()) - 1,
                                   static_cast<long>(states_[kConfig].size()) - 1});
    }
    Services services_;
    test::MemoryFiles files_;
    std::vector<std::string> states_[2];  // [0]: the initial file
    std::unique_ptr<App> app_;
    long iteration_ = 0;
    std::vector<std::pair<long, long>> afterIteration_;
};

enum class Found { Idle, Old, New, Mixed, Damaged };

// What a file left by a kill is, given the complete file before and after the save under way
// (the same when none was).
Found Classify(int f, bool present, const std::string& bytes, const std::string& before,
               const std::string& after, bool underWay) {
    if (present && bytes == after) return underWay ? Found::New : Found::Idle;
    if (present && underWay && bytes == before) return Found::Old;
    if (!present || !underWay) return Found::Damaged;
    test::MemoryFiles files;
    files.files["f"] = bytes;
    files.files["before"] = before;
    files.files["after"] = after;
    for (const auto& [section, key] : kKeys[f]) {
        const std::string value = ReadIniValue(files, "f", section, key, "\x01");
        if (value != ReadIniValue(files, "before", section, key, "\x01") &&
            value != ReadIniValue(files, "after", section, key, "\x01"))
            return Found::Damaged;
    }
    return Found::Mixed;
}

std::wstring TempDirectory(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            SetFileAttributesW((dir + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((dir + L"\\" + name).c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
    return ok && put == bytes.size();
}

bool ReadWhole(const std::wstring& path, std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(h);
    return true;
}

// Files in the directory other than the two settings files: what replaces left behind.
int LeftOvers(const std::wstring& dir) {
    int n = 0;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = found.cFileName;
        n += name != L"." && name != L".." && name != L"close.ini" && name != L"config.ini";
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return n;
}

class Worker {
public:
    Worker(const std::wstring& dir, const std::wstring& mapping, long iterations) {
        const std::wstring self = win32::ModuleFileName(nullptr);
        std::wstring cmd = L"\"" + self + L"\" run \"" + dir + L"\" " + mapping;
        if (iterations >= 0) cmd += L" " + std::to_wstring(iterations);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ok_ = CreateProcessW(self.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             dir.c_str(), &si, &pi_) != 0;
    }
    ~Worker() {
        if (!ok_) return;
        Kill();
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    bool Started() const { return ok_; }
    bool Running() const { return ok_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    // Ended, with its exit code; false when still running after the timeout.
    bool WaitExit(DWORD ms, DWORD& code) const {
        if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(pi_.hProcess, &code);
        return true;
    }
    void Kill() {
        if (Running()) TerminateProcess(pi_.hProcess, 9);
        WaitForSingleObject(pi_.hProcess, INFINITE);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool ok_ = false;
};

// Waits for the worker's start, polling; false when it died or took over 60 s.
bool WaitReady(const Worker& w, const Shared& shared) {
    const ULONGLONG end = GetTickCount64() + 60000;
    while (!shared.ready) {
        if (!w.Running() || GetTickCount64() > end) return false;
        Sleep(1);
    }
    return true;
}

// Waits this many microseconds: sleeping the whole milliseconds, then yielding the rest away.
void Pause(std::uint64_t micros) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (micros >= 1000) Sleep(static_cast<DWORD>(micros / 1000));
    const auto ticks = static_cast<LONGLONG>(micros * static_cast<std::uint64_t>(frequency.QuadPart) / 1000000);
    do {
        SwitchToThread();
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < ticks);
}

struct Tally {
    int trials = 0;
    int found[2][5] = {};      // per file, by Found
    int failedWrites = 0;      // replaces that reported failure (not a kill's doing)
    int tempAfterKill = 0;     // trials that left a temporary file
    int tempsAfterKill = 0;    // trials that left more than one
    int tempAfterNextSave = 0; // trials with a temporary file still there after the next start and save
    int notHidden = 0;         // trials after which close.ini lacked hidden or system
    int notHiddenAfterNextSave = 0;
    int beforeFirstSave = 0;   // kills before the first save began
    int steps[kSteps] = {};    // the last step of the replace of the save under way
    long iterationsMax = 0;
};

bool HiddenSystem(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kHiddenSystem) == kHiddenSystem;
}

// The program started again in the directory and the schedule saved: what the next start and
// save do to what the kill left.
void StartAndSave(const std::wstring& dir) {
    Services s;
    App app = MakeApp(s, win32::RealFiles(), win32::Gbk(dir) + "\\");
    RemoveSaveLeftovers(app);
    s.ui.ShowSchedule(0);
    SaveScheduleSettings(app);
}

int RunTrials(int count, std::uint32_t seed) {
    std::string initial[2];
    InitialFiles(initial);
    Expected expected(initial);

    const std::wstring mapping = L"Local\\sutremo-save-harness-" + std::to_wstring(GetCurrentProcessId());
    HANDLE map = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared),
                                    mapping.c_str());
    auto* shared = static_cast<Shared*>(MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
    if (!shared) {
        std::printf("save_harness: no shared memory\n");
        return 2;
    }
    const std::wstring base = L"sutremo-faults-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    auto freshDirectory = [&](int n) {
        const std::wstring dir = TempDirectory(base + std::to_wstring(n));
        for (int f : {kClose, kConfig}) WriteWhole(dir + L"\\" + win32::Wide(kFileNames[f]), initial[f]);
        // As a save leaves it.
        SetFileAttributesW((dir + L"\\close.ini").c_str(), kHiddenSystem);
        ZeroMemory(shared, sizeof(Shared));
        return dir;
    };

    // Self-check: a worker run to completion ends on the files the in-memory sequence gives.
    {
        const long iterations = 3;
        const std::wstring dir = freshDirectory(-1);
        DWORD code = 1;
        {
            Worker w(dir, mapping, iterations);
            if (!w.Started() || !w.WaitExit(120000, code) || code != 0) {
                std::printf("save_harness: the self-check worker failed (exit %lu)\n", code);
                return 2;
            }
        }
        const auto counts = expected.CountsAfter(iterations);
        bool same = shared->begun[kClose] == counts.first &&
                    shared->begun[kConfig] == counts.second && shared->failed == 0;
        for (int f : {kClose, kConfig}) {
            std::string bytes;
            same = same && ReadWhole(dir + L"\\" + win32::Wide(kFileNames[f]), bytes) &&
                   bytes == expected.State(f, f == kClose ? counts.first : counts.second);
        }
        same = same && LeftOvers(dir) == 0 && HiddenSystem(dir + L"\\close.ini");
        RemoveTree(dir);
        if (!same) {
            std::printf("save_harness: the worker's files differ from the expected sequence\n");
            return 2;
        }
    }

    // The length of one iteration: the fastest of three workers left to run for 700 ms each (the
    // machine may be busy with something else for one of them).
    double iterationMicros = 0;
    for (int run = 0; run < 3; ++run) {
        const std::wstring dir = freshDirectory(-2 - run);
        {
            Worker w(dir, mapping, -1);
            if (!w.Started() || !WaitReady(w, *shared)) {
                std::printf("save_harness: the calibration worker did not start\n");
                return 2;
            }
            Sleep(700);
            w.Kill();
        }
        const double micros = 700e3 / (shared->iterations > 0 ? shared->iterations : 1);
        if (run == 0 || micros < iterationMicros) iterationMicros = micros;
        RemoveTree(dir);
    }
    std::printf("fault trials: %d, seed %u, one iteration (a schedule save and 3 password writes) "
                "%.1f ms\n", count, seed, iterationMicros / 1000);

    std::mt19937 random(seed);
    // Kills fall anywhere in the first three iterations.
    std::uniform_int_distribution<std::uint64_t> delay(0, static_cast<std::uint64_t>(3 * iterationMicros));
    Tally t;
    int startFailures = 0;
    const char* foundNames[] = {"idle", "old", "new", "MIXED", "DAMAGED"};
    for (int trial = 0; trial < count; ++trial) {
        const std::wstring dir = freshDirectory(trial);
        {
            // A worker that fails to start (its loop not begun) has written nothing: the trial
            // is made again, and counted; more than a few (3 %, plus 3) end the run.
            Worker w(dir, mapping, -1);
            if (!w.Started() || !WaitReady(w, *shared)) {
                DWORD code = 0;
                const bool ended = w.WaitExit(0, code);
                std::printf("save_harness: trial %d: the worker did not start (%s %lu, "
                            "saves begun %ld)\n",
                            trial, ended ? "exit code" : "still running", ended ? code : 0,
                            static_cast<long>(shared->begun[kClose] + shared->begun[kConfig]));
                w.Kill();
                RemoveTree(dir);
                if (++startFailures > 3 * (t.trials + 1) / 100 + 3) return 2;
                --trial;
                continue;
            }
            Pause(delay(random));
            w.Kill();
        }
        ++t.trials;
        t.iterationsMax = std::max(t.iterationsMax, static_cast<long>(shared->iterations));
        t.failedWrites += shared->failed;
        if (shared->begun[kClose] == 0 && shared->begun[kConfig] == 0) ++t.beforeFirstSave;
        bool inSave = false;
        for (int f : {kClose, kConfig}) {
            const long begun = shared->begun[f];
            const bool underWay = begun != shared->finished[f];
            inSave = inSave || underWay;
            std::string bytes;
            const bool present = ReadWhole(dir + L"\\" + win32::Wide(kFileNames[f]), bytes);
            const Found found = Classify(f, present, bytes, expected.State(f, underWay ? begun - 1 : begun),
                                         expected.State(f, begun), underWay);
            if (++t.found[f][static_cast<int>(found)] <= 5 && found >= Found::Mixed)
                std::printf("trial %d: %s %s (saves begun %ld, returned %ld): %zu bytes\n", trial,
                            kFileNames[f], present ? foundNames[static_cast<int>(found)] : "MISSING",
                            begun, static_cast<long>(shared->finished[f]), bytes.size());
        }
        if (inSave && shared->step >= 0 && shared->step < kSteps) ++t.steps[shared->step];
        const int leftOvers = LeftOvers(dir);
        t.tempAfterKill += leftOvers > 0;
        t.tempsAfterKill += leftOvers > 1;
        t.notHidden += !HiddenSystem(dir + L"\\close.ini");
        StartAndSave(dir);
        t.tempAfterNextSave += LeftOvers(dir) > 0;
        t.notHiddenAfterNextSave += !HiddenSystem(dir + L"\\close.ini");
        RemoveTree(dir);
    }

    auto of = [&](Found found) { return t.found[kClose][static_cast<int>(found)] + t.found[kConfig][static_cast<int>(found)]; };
    std::printf("trials: %d\n", t.trials);
    std::printf("damaged: close.ini %d, config.ini %d\n", t.found[kClose][4], t.found[kConfig][4]);
    std::printf("mixed (every key old or new, but neither file): close.ini %d, config.ini %d\n",
                t.found[kClose][3], t.found[kConfig][3]);
    for (int f : {kClose, kConfig})
        std::printf("%s: no save under way %d (the last complete file); save under way: old file "
                    "%d, new file %d\n",
                    kFileNames[f], t.found[f][0], t.found[f][1], t.found[f][2]);
    std::printf("killed inside a save, by the last step of its replace entered:");
    for (int s = 0; s < kSteps; ++s) std::printf(" %s %d%s", kStepNames[s], t.steps[s], s + 1 < kSteps ? "," : "\n");
    std::printf("killed before the first save: %d; most iterations reached: %ld\n",
                t.beforeFirstSave, t.iterationsMax);
    std::printf("after the kill: trials leaving a temporary file %d, more than one %d; close.ini "
                "without hidden+system %d\n", t.tempAfterKill, t.tempsAfterKill, t.notHidden);
    std::printf("after the next start and save: trials leaving a temporary file %d; close.ini "
                "without hidden+system %d\n", t.tempAfterNextSave, t.notHiddenAfterNextSave);
    std::printf("replaces that reported failure: %d; workers that failed to start (made again): "
                "%d\n", t.failedWrites, startFailures);
    const bool kept = of(Found::Damaged) + of(Found::Mixed) + t.tempsAfterKill +
                          t.tempAfterNextSave + t.notHidden + t.notHiddenAfterNextSave +
                          t.failedWrites == 0;
    return kept ? 0 : 1;
}

}  // namespace
}  // namespace sut::faults

int wmain(int argc, wchar_t** argv) {
    using namespace sut::faults;
    const std::wstring role = argc > 1 ? argv[1] : L"";
    if (role == L"run" && argc >= 4)
        return RunWorker(argv[2], argv[3], argc >= 5 ? std::wcstol(argv[4], nullptr, 10) : -1);
    if (role == L"trials") {
        const int count = argc >= 3 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 1000;
        std::uint32_t seed = static_cast<std::uint32_t>(GetTickCount64() ^ GetCurrentProcessId());
        for (int i = 3; i + 1 < argc; ++i)
            if (std::wstring(argv[i]) == L"--seed") seed = static_cast<std::uint32_t>(std::wcstoul(argv[i + 1], nullptr, 10));
        return RunTrials(count > 0 ? count : 1000, seed);
    }
    std::fprintf(stderr, "usage: save_harness trials N [--seed S] | run DIR MAPPING [ITERATIONS]\n");
    return 2;
}
