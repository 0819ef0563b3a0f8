// Kill-during-save fault trials, under Wine. One program, two roles:
//
//   save_harness.exe trials N [--seed S]   the driver: N trials, then the counts; exit code 1
//                                          when any file was damaged
//   save_harness.exe run DIR MAPPING [K]   the worker: the program's real save code on the real
//                                          Win32 file layer, in a loop (K iterations, or forever)
//
// The worker alternates between two known settings: each iteration saves the schedule exactly as
// "保存设置" does (SaveScheduleSettings, 15 keys, each a whole-file replace of close.ini, every
// key changing) and then makes three password writes to config.ini (WritePassword and
// ClearPassword, each one replace). Its Ui is an inert panel holding the controls' values; the
// registry and the power service are in memory; the tick count is fixed, so that the scrambled
// passwords, too, are known in advance.
//
// The driver first plays the same sequence on an in-memory file system, which gives every
// complete file each replace can leave, in order; a worker run to completion must end on the same
// bytes (a self-check). Each trial then starts a worker in a fresh directory holding the initial
// files, kills it (TerminateProcess) at a random moment, and compares each file with what the
// worker's replace count allows: with no replace of that file under way, the last complete file;
// with one under way, its old or its new complete file. Anything else (truncated, empty, mixed,
// missing) counts as damaged. A save is one replace per key by design, so a kill between two
// keys leaves a complete file whose first keys are new: the trials hold each replace to
// all-or-nothing, and the save to "every key old or new".
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "app/MainWindowLayout.h"
#include "platform/win32/Services.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"
#include "settings/PasswordStore.h"
#include "settings/ScheduleFile.h"

namespace sut::faults {
namespace {

using namespace mainwnd;
constexpr WindowId kMain = WindowId::MainWindow;
constexpr int kClose = 0, kConfig = 1;
constexpr const char* kFileNames[2] = {"close.ini", "config.ini"};
constexpr int kSteps = 6;  // DiskFiles::Step values

// What the worker tells the driver, in memory the driver also maps: it survives the kill.
struct Shared {
    volatile LONG ready;          // the worker is about to start its loop
    volatile LONG iterations;     // completed iterations
    volatile LONG begun[2];       // replaces begun, per file
    volatile LONG finished[2];    // replaces returned, per file
    volatile LONG failed[2];      // replaces that returned false
    volatile LONG step;           // the last step of DiskFiles::Replace entered
};

// The main window's controls, as values: all the save code reads. Every other call is inert.
class PanelUi final : public Ui {
public:
    std::map<ControlId, bool> checked;
    std::map<ControlId, std::string> texts;

    void OpenWindow(WindowId, bool) override {}
    void CloseWindow(WindowId) override {}
    bool IsOpen(WindowId window) override { return window == kMain; }
    std::string Text(WindowId, ControlId c) override { return texts[c]; }
    void SetText(WindowId, ControlId c, std::string_view t) override { texts[c] = std::string(t); }
    bool Checked(WindowId, ControlId c) override { return checked[c]; }
    void SetChecked(WindowId, ControlId c, bool on) override { checked[c] = on; }
    bool Visible(WindowId, ControlId) override { return true; }
    void SetVisible(WindowId, ControlId, bool) override {}
    bool WindowVisible(WindowId) override { return true; }
    void SetWindowVisible(WindowId, bool) override {}
    WindowState State(WindowId) override { return WindowState::Normal; }
    void SetState(WindowId, WindowState) override {}
    int OuterWidth(WindowId) override { return 0; }
    int OuterHeight(WindowId) override { return 0; }
    void SetOuterWidth(WindowId, int) override {}
    void SetOuterHeight(WindowId, int) override {}
    void SetTimerPeriod(WindowId, ControlId, int) override {}
    void SetTrayIcon(std::string_view) override {}
    void ShowPopupMenu(WindowId, ControlId) override {}
    void ShowMessageBox(std::string_view text, MessageKind, std::string_view) override {
        std::fprintf(stderr, "save_harness: unexpected message %.*s\n",
                     static_cast<int>(text.size()), text.data());
        std::exit(3);
    }
    [[noreturn]] void EndProgram() override { std::exit(3); }
};

class FixedTicks final : public Ticks {
public:
    std::uint32_t TickCount() override { return 4242; }
};

class NoClock final : public Clock {
public:
    LocalTime Now() override { return {}; }
};

// The two settings the saves alternate between: every key differs.
void SetPanel(PanelUi& ui, int phase) {
    const bool a = phase == 0;
    const ControlId days[] = {选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7};
    for (int i = 0; i < 7; ++i) ui.checked[days[i]] = (i % 2 == 0) == a;
    ui.checked[选择框9] = !a;   // 开机启动
    ui.checked[选择框10] = a;   // 启动最小化
    ui.checked[选择框8] = a;    // 提醒
    ui.checked[单选框1] = false;
    ui.checked[单选框2] = a;
    ui.checked[单选框3] = !a;
    ui.texts[编辑框1] = a ? "23" : "7";
    ui.texts[编辑框2] = a ? "59" : "5";
    ui.texts[编辑框3] = a ? "58" : "0";
    ui.texts[编辑框4] = a ? "45" : "30";
}

// One iteration: the schedule saved with the settings of the phase, then three password writes.
void Iterate(App& app, PanelUi& ui, int phase) {
    SetPanel(ui, phase);
    SaveScheduleSettings(app);
    if (phase == 0) {
        WritePassword(app, PasswordKind::Start, "开机密码A1");
        WritePassword(app, PasswordKind::Lock, "lockA1");
        ClearPassword(app, PasswordKind::Exit);
    } else {
        ClearPassword(app, PasswordKind::Start);
        WritePassword(app, PasswordKind::Exit, "退出密码B2");
        WritePassword(app, PasswordKind::Lock, "lockB2");
    }
}

int FileIndex(const std::string& path) {
    return path.size() >= 10 && path.compare(path.size() - 10, 10, "config.ini") == 0 ? kConfig
                                                                                      : kClose;
}

// The real file layer, with the replaces counted in the shared memory.
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
        const int f = FileIndex(path);
        shared_.begun[f] = shared_.begun[f] + 1;
        const bool ok = real_.Replace(path, contents);
        if (!ok) shared_.failed[f] = shared_.failed[f] + 1;
        shared_.finished[f] = shared_.finished[f] + 1;
        return ok;
    }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return real_.SetAttributes(path, attributes);
    }

private:
    Files& real_;
    Shared& shared_;
};

// The in-memory files, also keeping every complete file each replace made, in order.
struct SequenceFiles : test::MemoryFiles {
    std::string directory;
    std::vector<std::string> states[2];  // [0]: the initial file
    SequenceFiles() {
        onReplace = [this](const std::string& path, std::string_view contents) {
            states[FileIndex(path)].emplace_back(contents);
        };
    }
    SequenceFiles(const SequenceFiles&) = delete;
    SequenceFiles& operator=(const SequenceFiles&) = delete;
};

struct Services {
    PanelUi ui;
    NoClock clock;
    test::MemoryRegistry registry;
    test::RecordingPower power;
    FixedTicks ticks;
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
    disk.beforeStep = [shared](win32::DiskFiles::Step s) { shared->step = static_cast<LONG>(s); };
    ObservedFiles files(disk, *shared);
    Services services;
    App app = MakeApp(services, files, win32::Gbk(dir) + "\\");
    shared->ready = 1;
    for (long i = 0; iterations < 0 || i < iterations; ++i) {
        Iterate(app, services.ui, static_cast<int>(i % 2));
        shared->iterations = shared->iterations + 1;
    }
    return 0;
}

// ---- the driver ----

// The initial files of every trial: the schedule as phase 1 saves it, the passwords all cleared.
// Neither takes a scramble, so the sequence below starts where the worker's does.
void InitialFiles(std::string out[2]) {
    Services s;
    SequenceFiles files;
    files.directory = "C:\\x\\";
    App app = MakeApp(s, files, files.directory);
    SetPanel(s.ui, 1);
    SaveScheduleSettings(app);
    out[kClose] = files.files["C:\\x\\close.ini"];
    out[kConfig] = "[Soft boot]\r\npassword=\r\n[Soft Exit]\r\npassword=\r\n[Soft lock]\r\npassword=\r\n";
}

// The worker's sequence, played in memory and extended on demand.
class Expected {
public:
    explicit Expected(const std::string initial[2]) {
        files_.directory = "C:\\x\\";
        for (int f : {kClose, kConfig}) {
            files_.files[files_.directory + kFileNames[f]] = initial[f];
            files_.states[f].push_back(initial[f]);
        }
        app_ = std::make_unique<App>(MakeApp(services_, files_, files_.directory));
        afterIteration_.push_back({0, 0});
    }
    // The complete file after n replaces of file f.
    const std::string& State(int f, long n) {
        while (static_cast<long>(files_.states[f].size()) <= n) Step();
        return files_.states[f][static_cast<std::size_t>(n)];
    }
    // The replace counts after k whole iterations.
    std::pair<long, long> CountsAfter(long k) {
        while (static_cast<long>(afterIteration_.size()) <= k) Step();
        return afterIteration_[static_cast<std::size_t>(k)];
    }

private:
    void Step() {
        Iterate(*app_, services_.ui, static_cast<int>(iteration_++ % 2));
        afterIteration_.push_back({static_cast<long>(files_.states[kClose].size()) - 1,
                                   static_cast<long>(files_.states[kConfig].size()) - 1});
    }
    Services services_;
    SequenceFiles files_;
    std::unique_ptr<App> app_;
    long iteration_ = 0;
    std::vector<std::pair<long, long>> afterIteration_;
};

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

// Files in the directory that are neither the executable's nor the settings: left-over temporary
// files of a replace that was killed.
int LeftOvers(const std::wstring& dir) {
    int n = 0;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*.tmp").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileW(h, &found));
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
    int damaged[2] = {0, 0};
    int idle[2] = {0, 0};      // no replace of the file under way: the last complete file
    int oldFile[2] = {0, 0};   // a replace under way: its old complete file
    int newFile[2] = {0, 0};   //                      its new complete file
    int failedWrites = 0;      // replaces that reported failure (not a kill's doing)
    int leftOvers = 0;         // trials that left a temporary file behind
    int notHidden = 0;         // trials after which close.ini lacked hidden or system
    int beforeFirstSave = 0;   // kills before the first replace
    int steps[kSteps] = {};    // the step of DiskFiles::Replace entered last, when killed in one
    long iterationsMax = 0;
};

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
        SetFileAttributesW((dir + L"\\close.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
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
        bool same = shared->begun[kClose] == counts.first && shared->begun[kConfig] == counts.second;
        for (int f : {kClose, kConfig}) {
            std::string bytes;
            same = same && ReadWhole(dir + L"\\" + win32::Wide(kFileNames[f]), bytes) &&
                   bytes == expected.State(f, f == kClose ? counts.first : counts.second);
        }
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
    std::printf("fault trials: %d, seed %u, one iteration (15 schedule keys + 3 password writes) "
                "%.1f ms\n", count, seed, iterationMicros / 1000);

    std::mt19937 random(seed);
    // Kills fall anywhere in the first three iterations.
    std::uniform_int_distribution<std::uint64_t> delay(0, static_cast<std::uint64_t>(3 * iterationMicros));
    Tally t;
    int startFailures = 0;
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
                            "replaces begun %ld)\n",
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
        if (shared->begun[kClose] == 0 && shared->begun[kConfig] == 0) ++t.beforeFirstSave;
        bool inReplace = false;
        for (int f : {kClose, kConfig}) {
            const long begun = shared->begun[f], finished = shared->finished[f];
            t.failedWrites += shared->failed[f];
            std::string bytes;
            const bool present = ReadWhole(dir + L"\\" + win32::Wide(kFileNames[f]), bytes);
            const bool underWay = begun != finished;
            inReplace = inReplace || underWay;
            if (present && !underWay && bytes == expected.State(f, begun)) {
                ++t.idle[f];
            } else if (present && underWay && bytes == expected.State(f, begun - 1)) {
                ++t.oldFile[f];
            } else if (present && underWay && bytes == expected.State(f, begun)) {
                ++t.newFile[f];
            } else if (++t.damaged[f] <= 5) {
                std::printf("trial %d: %s %s (replaces begun %ld, returned %ld): %zu bytes\n",
                            trial, kFileNames[f], present ? "DAMAGED" : "MISSING", begun,
                            finished, bytes.size());
            }
        }
        if (inReplace && shared->step >= 0 && shared->step < kSteps) ++t.steps[shared->step];
        if (LeftOvers(dir) > 0) ++t.leftOvers;
        const DWORD attributes = GetFileAttributesW((dir + L"\\close.ini").c_str());
        const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (shared->begun[kClose] > 0 && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & hiddenSystem) != hiddenSystem)
            ++t.notHidden;
        RemoveTree(dir);
    }

    const char* stepNames[kSteps] = {"create temp", "write", "flush", "clear attributes",
                                      "rename", "restore attributes"};
    std::printf("trials: %d\n", t.trials);
    std::printf("damaged: close.ini %d, config.ini %d\n", t.damaged[kClose], t.damaged[kConfig]);
    for (int f : {kClose, kConfig})
        std::printf("%s: no replace under way %d (the last complete file); replace under way: old "
                    "file %d, new file %d\n",
                    kFileNames[f], t.idle[f], t.oldFile[f], t.newFile[f]);
    std::printf("killed inside a replace, by the last step entered:");
    for (int s = 0; s < kSteps; ++s) std::printf(" %s %d%s", stepNames[s], t.steps[s], s + 1 < kSteps ? "," : "\n");
    std::printf("killed before the first replace: %d; most iterations reached: %ld\n",
                t.beforeFirstSave, t.iterationsMax);
    std::printf("trials leaving a temporary file: %d; close.ini without hidden+system: %d; "
                "replaces that reported failure: %d; workers that failed to start (made again): "
                "%d\n",
                t.leftOvers, t.notHidden, t.failedWrites, startFailures);
    return t.damaged[kClose] + t.damaged[kConfig] == 0 && t.failedWrites == 0 ? 0 : 1;
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
