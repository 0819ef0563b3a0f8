#include "ShellTray.h"

#include <commctrl.h>
#include <shellapi.h>

namespace sut::shell {
namespace {

std::string Gbk(const wchar_t* wide) {
    const int n = WideCharToMultiByte(936, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(936, 0, wide, -1, out.data(), n, nullptr, nullptr);
    return out;
}

struct Search {
    DWORD shell;
    std::vector<HWND> found;
};

// Tooltip windows of the shell's process; balloons are tooltips too, but no icon's tip.
std::vector<HWND> ShellTooltips(DWORD shell) {
    Search search{shell, {}};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            wchar_t cls[32] = {};
            GetClassNameW(h, cls, 32);
            if (pid == s.shell && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 &&
                !(GetWindowLongW(h, GWL_STYLE) & TTS_BALLOON))
                s.found.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Wine 8 keeps the tooltip of a removed icon and only empties the area it answers for; later
// versions give each icon a window of its own, and its tooltip goes with it.
bool Displayed(const TTTOOLINFOW& tool) {
    if (tool.uFlags & TTF_IDISHWND) return IsWindowVisible(reinterpret_cast<HWND>(tool.uId)) != FALSE;
    return !IsRectEmpty(&tool.rect);
}

}  // namespace

std::vector<TrayIcon> TrayIcons() {
    std::vector<TrayIcon> icons;
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    DWORD shell = 0;
    if (!tray || !GetWindowThreadProcessId(tray, &shell)) return icons;
    // Tooltip messages carry pointers, which no process boundary translates: the tool's
    // description and the text buffer are lent in the shell's own memory.
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, shell);
    if (!process) return icons;
    constexpr SIZE_T kTextOffset = 1024;
    constexpr int kTextChars = 256;
    auto* lent = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, kTextOffset + kTextChars * sizeof(wchar_t),
                                                   MEM_COMMIT, PAGE_READWRITE));
    for (HWND tooltip : lent ? ShellTooltips(shell) : std::vector<HWND>{}) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        DWORD_PTR result = 0;
        if (!WriteProcessMemory(process, lent, &tool, sizeof tool, nullptr) ||
            !SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(lent),
                                 SMTO_ABORTIFHUNG, 2000, &result) ||
            !result || !ReadProcessMemory(process, lent, &tool, sizeof tool, nullptr) || !Displayed(tool))
            continue;
        tool.lpszText = reinterpret_cast<wchar_t*>(lent + kTextOffset);
        const wchar_t none[1] = {};
        WriteProcessMemory(process, lent + kTextOffset, none, sizeof none, nullptr);
        WriteProcessMemory(process, lent, &tool, sizeof tool, nullptr);
        SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(lent),
                            SMTO_ABORTIFHUNG, 2000, &result);
        wchar_t text[kTextChars + 1] = {};
        ReadProcessMemory(process, lent + kTextOffset, text, kTextChars * sizeof(wchar_t), nullptr);
        icons.push_back({tooltip, Gbk(text)});
    }
    if (lent) VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    CloseHandle(process);
    return icons;
}

std::vector<TrayIcon> NewIcons(const std::vector<TrayIcon>& before, const std::vector<TrayIcon>& now) {
    std::vector<TrayIcon> added;
    for (const TrayIcon& icon : now) {
        bool old = false;
        for (const TrayIcon& b : before) old = old || b.tooltip == icon.tooltip;
        if (!old) added.push_back(icon);
    }
    return added;
}

bool TrayIconExists(HWND owner, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner;
    nid.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

void RemoveTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner;
    nid.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

void BroadcastTaskbarCreated() {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 5000, &ignored);
}

}  // namespace sut::shell
