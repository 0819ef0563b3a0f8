// Drives the real program from outside: each Program starts its own copy of the executable in a
// fresh directory, finds its windows and controls by id, acts on them with window messages and
// reads them back. Texts are GBK byte strings, like everywhere in this code base.
//
// Rules of thumb under Wine: a handler that opens a modal window blocks SendMessage, so clicks
// and menu commands are posted; states are polled with a deadline, never slept on blindly.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ui.h"

namespace sut::e2e {

// Set from argv[1] by main.
void SetProgramPath(const std::wstring& path);
const std::wstring& ProgramPath();

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);

// Layout units in the pixels of the display, where the program lays itself out by dpi / 96.
// Under Wine every process of a prefix has the same dpi, this driver's included.
int Px(int units);

// Polls until the condition holds or the deadline passes; returns the last result. The deadline
// is multiplied by SUTREMO_E2E_WAIT_SCALE when set.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

struct Launch {
    std::map<std::string, std::string> files;  // name beside the executable -> bytes
    std::wstring exeName = L"Sutremo.exe";
    std::wstring program;        // empty: ProgramPath()
    std::wstring subdirectory;   // created inside the fresh directory; the exe goes there
    std::wstring currentDirectory;  // empty: a directory other than the program's
};

// A launch whose config.ini stores these passwords (section, password) as the program writes them.
Launch WithPasswords(std::vector<std::pair<std::string, std::string>> passwords);

class Program {
public:
    explicit Program(const Launch& launch = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const std::wstring& Directory() const { return dir_; }
    DWORD ProcessId() const { return pi_.dwProcessId; }
    // Contents of a file beside the executable; false when it does not exist.
    bool ReadFile(const std::string& name, std::string& contents) const;
    DWORD Attributes(const std::string& name) const;

    // A top-level window of this process with that caption (GBK), waiting for it to appear.
    HWND WaitWindow(std::string_view caption, DWORD timeoutMs = 10000);
    // The same without waiting: nullptr when it is not there.
    HWND FindWindow(std::string_view caption) const;
    HWND Main(DWORD timeoutMs = 10000) { return WaitWindow("OrvandelSutremov1.0", timeoutMs); }
    // The same, also by window class: MainWindow gets its caption only once its start is done.
    HWND FindWindow(std::string_view caption, const wchar_t* windowClass) const;
    // The text of the message box with this caption that appears next, which is then closed
    // with its OK button; "<no message>" when none appears.
    std::string TakeMessage(std::string_view caption = "提示");

    static HWND Ctl(HWND window, ControlId id) { return GetDlgItem(window, id); }
    static std::string Text(HWND h);
    static void SetText(HWND h, std::string_view gbk);
    static bool Checked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static void SetChecked(HWND h, bool on) {
        SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    static void Click(HWND h) { PostMessageW(h, BM_CLICK, 0, 0); }
    static void Command(HWND window, ControlId id) { PostMessageW(window, WM_COMMAND, id, 0); }
    static RECT Rect(HWND h);
    // Returns once the window's thread is between two handlers: a message sent to it waits for
    // the running one to end (posted messages still queued may come after).
    static void Sync(HWND h) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }
    static bool Visible(HWND h) { return IsWindowVisible(h) != FALSE; }

    bool Running() const;
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE on timeout.
    DWORD WaitExit(DWORD timeoutMs = 10000) const;

private:
    std::wstring dir_;
    PROCESS_INFORMATION pi_{};
};

}  // namespace sut::e2e
