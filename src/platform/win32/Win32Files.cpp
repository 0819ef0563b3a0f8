#include <windows.h>

#include "platform/win32/Services.h"
#include "platform/win32/Text.h"

namespace sut::win32 {
namespace {

// A first version: whole-file read and write. Replaced by an atomic one with the settings file.
class DiskFiles final : public Files {
public:
    std::string ExecutablePath() override {
        wchar_t buf[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
        return Gbk(std::wstring_view(buf, n));
    }
    bool Read(const std::string& path, std::string& contents) override {
        HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        contents.clear();
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) contents.append(buf, got);
        CloseHandle(h);
        return true;
    }
    bool Replace(const std::string& path, std::string_view contents) override {
        HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        const BOOL ok = WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &put, nullptr);
        SetEndOfFile(h);
        CloseHandle(h);
        return ok && put == contents.size();
    }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return SetFileAttributesW(Wide(path).c_str(), attributes) != 0;
    }
};

}  // namespace

Files& RealFiles() {
    static DiskFiles files;
    return files;
}

}  // namespace sut::win32
