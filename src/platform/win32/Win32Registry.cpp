// Before <windows.h>, whose macros (ExitWindows) clash with names of the platform interfaces.
#include "platform/win32/Services.h"
#include "platform/win32/Text.h"
#include "platform/win32/RegistryView.h"

#include <windows.h>

namespace sut::win32 {
namespace {

class MachineRegistry final : public Registry {
public:
    bool SetMachineString(std::string_view keyPath, std::string_view name,
                          std::string_view data) override {
        const std::wstring path = Wide(keyPath);
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_WRITE | kMachineView, &key) !=
                ERROR_SUCCESS &&
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                            KEY_WRITE | kMachineView, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const std::wstring value = Wide(data);
        const LONG result = RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(value.c_str()),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    bool DeleteMachineValue(std::string_view keyPath, std::string_view name) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(keyPath).c_str(), 0, KEY_WRITE | kMachineView,
                          &key) != ERROR_SUCCESS)
            return false;
        const LONG result = RegDeleteValueW(key, Wide(name).c_str());
        RegCloseKey(key);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
};

}  // namespace

Registry& RealRegistry() {
    static MachineRegistry registry;
    return registry;
}

}  // namespace sut::win32
