#include "platform/win32/Text.h"

#include <windows.h>

namespace sut::win32 {

std::wstring Wide(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
    return out;
}

std::string Gbk(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kGbk, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

bool RepresentableInGbk(std::wstring_view wide) {
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        nullptr, 0, nullptr, &usedDefault);
    return !usedDefault;
}

}  // namespace sut::win32
