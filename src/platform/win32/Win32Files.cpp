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
    bool Close() {
        const bool ok = !Valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

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

std::wstring TemporaryPath(const std::wstring& path) { return path + L".sutremo-tmp"; }

// Write a new file beside the target, flush it, then rename it over the target: a crash, a kill
// or a power cut at any moment leaves the old file or the new one, never a truncated one.
//
// The temporary file has one fixed name per target, so an interrupted replace leaves at most
// one, which the next replace of that file (or RemoveLeftovers, at the program's start) removes.
// It is made with the final attributes, so the file under the target's name is hidden and system
// at every moment when it should be. Another copy of the program writing the same file at the
// same moment holds the temporary file open: it cannot be removed or made again, and this
// replace fails instead of mixing the two.
//
// Windows refuses CreateFile(CREATE_ALWAYS) with normal attributes on a hidden or system file,
// but not, as far as is known, a rename over one (a read-only target is refused; Wine refuses
// none of these). Should a rename be refused all the same (access denied), the target loses
// those two bits for a second rename and gets them back if that fails too: only on that road is
// there a moment at which the old file lacks them.
bool DiskFiles::Replace(const std::string& path, std::string_view contents) {
    return ReplaceInPieces(path, 0, [contents](const PieceSink& put) { return put(contents); });
}

bool DiskFiles::ReplaceInPieces(const std::string& path, std::uint32_t attributes,
                                const std::function<bool(const PieceSink& put)>& write) {
    auto step = [this](Step s) {
        if (beforeStep) beforeStep(s);
    };
    const std::wstring target = ExtendedPath(Wide(path));
    const std::wstring temp = ExtendedPath(TemporaryPath(Wide(path)));
    const DWORD oldAttributes = GetFileAttributesW(target.c_str());
    const bool targetExists = oldAttributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is not to be written, as with any other write; Wine's rename would
    // replace it all the same.
    if (targetExists && (oldAttributes & FILE_ATTRIBUTE_READONLY)) return false;
    DWORD newAttributes = attributes;
    if (newAttributes == 0 && targetExists) newAttributes = oldAttributes & kSticky;
    if (newAttributes == 0) newAttributes = FILE_ATTRIBUTE_NORMAL;

    step(Step::RemoveLeftover);
    DeleteFileW(temp.c_str());
    step(Step::CreateTemp);
    Handle handle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, newAttributes,
                              nullptr));
    if (!handle.Valid()) return false;
    bool ok = write([&](std::string_view piece) {
        step(Step::Write);
        return WriteAll(handle.Get(), piece);
    });
    step(Step::FlushTemp);
    ok = ok && FlushFileBuffers(handle.Get());
    ok = handle.Close() && ok;

    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (ok) {
        step(Step::Rename);
        ok = MoveFileExW(temp.c_str(), target.c_str(), kMove) != 0;
        if (!ok && targetExists && (oldAttributes & kSticky) &&
            GetLastError() == ERROR_ACCESS_DENIED) {
            step(Step::ClearTargetAttributes);
            SetFileAttributesW(target.c_str(), oldAttributes & ~kSticky);
            step(Step::RenameAgain);
            ok = MoveFileExW(temp.c_str(), target.c_str(), kMove) != 0;
            if (!ok) SetFileAttributesW(target.c_str(), oldAttributes);
        }
    }
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

void DiskFiles::RemoveLeftovers(const std::string& path) {
    DeleteFileW(ExtendedPath(TemporaryPath(Wide(path))).c_str());
}

bool DiskFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesW(ExtendedPath(Wide(path)).c_str(), attributes) != 0;
}

Files& RealFiles() {
    static DiskFiles files;
    return files;
}

}  // namespace sut::win32
