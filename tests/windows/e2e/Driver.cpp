#include "Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <vector>

#include "settings/PasswordCodec.h"

namespace sut::e2e {
namespace {

std::wstring& PathStore() {
    static std::wstring path;
    return path;
}

std::wstring FreshDirectory() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"sutremo-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                       L"-" + std::to_wstring(++counter);
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

}  // namespace

void SetProgramPath(const std::wstring& path) {
    std::wstring p = path;
    if (!p.empty() && p[0] == L'/') p = L"Z:" + p;  // a Unix path from the test runner
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    PathStore() = p;
}

const std::wstring& ProgramPath() { return PathStore(); }

std::wstring Wide(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
    return out;
}

std::string Gbk(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

int Px(int units) {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int d = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return d;
    }();
    return MulDiv(units, dpi, 96);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    // The deadlines suit a program that runs natively; SUTREMO_E2E_WAIT_SCALE stretches them for
    // one that runs emulated (the i686 build in scripts/trixie-env).
    static const DWORD scale = [] {
        wchar_t text[8] = {};
        GetEnvironmentVariableW(L"SUTREMO_E2E_WAIT_SCALE", text, 8);
        return std::max<DWORD>(1, std::wcstoul(text, nullptr, 10));
    }();
    const ULONGLONG end = GetTickCount64() + ULONGLONG{timeoutMs} * scale;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return condition();
        Sleep(20);
    }
}

Launch WithPasswords(std::vector<std::pair<std::string, std::string>> passwords) {
    class FixedTicks final : public Ticks {
    public:
        std::uint32_t TickCount() override { return 4242; }
    } ticks;
    ScrambleDraws draws{ticks};
    std::string config;
    for (const auto& [section, password] : passwords)
        config += "[" + section + "]\r\npassword=" + ScramblePassword(draws, password) + "\r\n";
    Launch launch;
    launch.files["config.ini"] = config;
    return launch;
}

Program::Program(const Launch& launch) {
    dir_ = FreshDirectory();
    std::wstring exeDir = dir_;
    if (!launch.subdirectory.empty()) {
        exeDir += L"\\" + launch.subdirectory;
        CreateDirectoryW(exeDir.c_str(), nullptr);
        dir_ = exeDir;
    }
    const std::wstring exe = exeDir + L"\\" + launch.exeName;
    const std::wstring source = launch.program.empty() ? ProgramPath() : launch.program;
    if (!CopyFileW(source.c_str(), exe.c_str(), FALSE))
        ADD_FAILURE() << "cannot copy " << Gbk(source) << " to " << Gbk(exe);
    for (const auto& [name, bytes] : launch.files) {
        HANDLE h = CreateFileW((exeDir + L"\\" + Wide(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD put = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        CloseHandle(h);
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring cwd = launch.currentDirectory.empty() ? std::wstring(temp) : launch.currentDirectory;
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof si};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &pi_))
        ADD_FAILURE() << "cannot start " << Gbk(exe) << ": error " << GetLastError();
}

Program::~Program() {
    if (pi_.hProcess) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    RemoveTree(dir_);
}

bool Program::ReadFile(const std::string& name, std::string& contents) const {
    HANDLE h = CreateFileW((dir_ + L"\\" + Wide(name)).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    contents.clear();
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) contents.append(buf, got);
    CloseHandle(h);
    return true;
}

DWORD Program::Attributes(const std::string& name) const {
    return GetFileAttributesW((dir_ + L"\\" + Wide(name)).c_str());
}

HWND Program::FindWindow(std::string_view caption) const { return FindWindow(caption, nullptr); }

HWND Program::FindWindow(std::string_view caption, const wchar_t* windowClass) const {
    struct Search {
        DWORD pid;
        std::wstring caption;
        const wchar_t* cls;
        HWND found;
    } search{pi_.dwProcessId, Wide(caption), windowClass, nullptr};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid != s.pid) return TRUE;
            wchar_t text[256] = {};
            GetWindowTextW(h, text, 256);
            if (s.caption != text) return TRUE;
            wchar_t cls[64] = {};
            if (s.cls && (!GetClassNameW(h, cls, 64) || lstrcmpiW(cls, s.cls) != 0)) return TRUE;
            s.found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitWindow(std::string_view caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindow(caption)) != nullptr; }, timeoutMs);
    return found;
}

std::string Program::TakeMessage(std::string_view caption) {
    HWND box = WaitWindow(caption);
    if (!box) return "<no message>";
    std::string text;
    EnumChildWindows(
        box,
        [](HWND h, LPARAM lp) -> BOOL {
            wchar_t cls[32];
            GetClassNameW(h, cls, 32);
            const std::string t = Program::Text(h);
            if (lstrcmpiW(cls, L"Static") == 0 && !t.empty()) *reinterpret_cast<std::string*>(lp) = t;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

std::string Program::Text(HWND h) {
    const auto n = static_cast<int>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const auto got = SendMessageW(h, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return Gbk(text);
}

void Program::SetText(HWND h, std::string_view gbk) {
    const std::wstring text = Wide(gbk);
    SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

RECT Program::Rect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

bool Program::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD Program::WaitExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

}  // namespace sut::e2e
