#include "platform/win32/Win32Files.h"

// Before <windows.h>, whose macros (ExitWindows) clash with names of the platform interfaces.
#include "platform/win32/Services.h"
#include "platform/win32/Text.h"

#include <windows.h>

#include <algorithm>

namespace sut::win32 {
namespace {

constexpr DWORD kSticky = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    void Reset(HANDLE h) {
        Close();
        h_ = h;
    }
    bool Close() {
        const bool ok = !Valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Decimal digits as a wide string; std::to_wstring would bring in the whole wide printf.
std::wstring Digits(unsigned long value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

// A new file beside the target, opened for writing by nobody else; empty when none can be made.
std::wstring CreateTempBeside(const std::wstring& target, Handle& handle) {
    const std::wstring stem = target + L"." + Digits(GetCurrentProcessId()) + L"-";
    for (unsigned n = 0; n < 1000; ++n) {
        std::wstring name = stem + Digits(n) + L".tmp";
        HANDLE h = CreateFileW(ExtendedPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            handle.Reset(h);
            return name;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return {};
}

bool WriteAll(HANDLE h, std::string_view contents) {
    while (!contents.empty()) {
        DWORD put = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
        if (!WriteFile(h, contents.data(), chunk, &put, nullptr) || put == 0) return false;
        contents.remove_prefix(put);
    }
    return true;
}

}  // namespace

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

// The buffer grows until the path fits: a cut path would put the settings somewhere else.
std::wstring ModuleFileName(void* module) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string DiskFiles::ExecutablePath() {
    std::wstring path = ModuleFileName(nullptr);
    // The program's texts are GBK. A path with a character GBK lacks would come back with '?'
    // in it and put the settings somewhere else: its short form is plain ASCII.
    if (!RepresentableInGbk(path)) {
        std::wstring shortPath(32768, L'\0');
        const DWORD n = GetShortPathNameW(ExtendedPath(path).c_str(), shortPath.data(),
                                          static_cast<DWORD>(shortPath.size()));
        shortPath.resize(n < shortPath.size() ? n : 0);
        if (!shortPath.empty() && RepresentableInGbk(shortPath)) path = shortPath;
    }
    return Gbk(path);
}

bool DiskFiles::Read(const std::string& path, std::string& contents) {
    contents.clear();
    return ReadPieces(path, [&contents](std::string_view piece) {
        contents.append(piece);
        return true;
    });
}

// A read error part-way ends the contents there, as for Read.
bool DiskFiles::ReadPieces(const std::string& path,
                           const std::function<bool(std::string_view)>& piece) {
    Handle h(CreateFileW(ExtendedPath(Wide(path)).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.Valid()) return false;
    std::string buffer(64 * 1024, '\0');
    DWORD got = 0;
    while (ReadFile(h.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
           got > 0)
        if (!piece(std::string_view(buffer.data(), got))) break;
    return true;
}

// Write a new file beside the target, flush it, then rename it over the target: a crash, a kill
// or a power cut at any moment leaves the old file or the new one, never a truncated one.
//
// close.ini is hidden and system. Windows refuses CreateFile(CREATE_ALWAYS) with normal
// attributes on such a file (Wine lets it pass), and whether a rename may replace one has varied,
// so the target loses those two bits just before the rename and the new file gets the old
// attributes back right after it. If the rename fails, the old file gets them back instead.
bool DiskFiles::Replace(const std::string& path, std::string_view contents) {
    auto step = [this](Step s) {
        if (beforeStep) beforeStep(s);
    };
    const std::wstring target = Wide(path);
    const std::wstring extendedTarget = ExtendedPath(target);
    const DWORD oldAttributes = GetFileAttributesW(extendedTarget.c_str());
    const bool targetExists = oldAttributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is not to be written, as with any other write; Wine's rename would
    // replace it all the same.
    if (targetExists && (oldAttributes & FILE_ATTRIBUTE_READONLY)) return false;

    step(Step::CreateTemp);
    Handle temp(INVALID_HANDLE_VALUE);
    const std::wstring tempName = CreateTempBeside(target, temp);
    if (tempName.empty()) return false;
    const std::wstring extendedTemp = ExtendedPath(tempName);
    bool ok = WriteAll(temp.Get(), contents.substr(0, contents.size() / 2));
    step(Step::HalfWritten);
    ok = ok && WriteAll(temp.Get(), contents.substr(contents.size() / 2));
    step(Step::FlushTemp);
    ok = ok && FlushFileBuffers(temp.Get());
    ok = temp.Close() && ok;

    if (ok && targetExists && (oldAttributes & kSticky)) {
        step(Step::ClearTargetAttributes);
        SetFileAttributesW(extendedTarget.c_str(), oldAttributes & ~kSticky);
    }
    if (ok) {
        step(Step::Rename);
        ok = MoveFileExW(extendedTemp.c_str(), extendedTarget.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok) DeleteFileW(extendedTemp.c_str());
    if (targetExists && (oldAttributes & kSticky)) {
        step(Step::RestoreAttributes);
        SetFileAttributesW(extendedTarget.c_str(), oldAttributes);
    }
    return ok;
}

bool DiskFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesW(ExtendedPath(Wide(path)).c_str(), attributes) != 0;
}

Files& RealFiles() {
    static DiskFiles files;
    return files;
}

}  // namespace sut::win32
