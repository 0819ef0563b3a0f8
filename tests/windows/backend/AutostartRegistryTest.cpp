// The real registry behind the autostart value, on a key of its own so that the Run key of the
// machine running the tests is never touched.
#include <gtest/gtest.h>

#include "platform/win32/Services.h"
#include "platform/win32/Text.h"
#include "platform/win32/RegistryView.h"

#include <windows.h>

namespace sut::win32 {
namespace {

std::wstring ReadValue(const std::wstring& keyPath, const wchar_t* name,
                       REGSAM view = kMachineView) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS)
        return L"<none>";
    const LONG found = RegGetValueW(key, nullptr, name, RRF_RT_ANY, &type, data, &size);
    RegCloseKey(key);
    if (found != ERROR_SUCCESS) return L"<none>";
    return type == REG_SZ ? std::wstring(data) : L"<not REG_SZ>";
}

TEST(AutostartRegistry, SetsReplacesAndDeletesAStringValue) {
    const std::string keyPath = "Software\\SutremoTest" + std::to_string(GetCurrentProcessId()) +
                                "\\Deeper\\Run";
    const std::wstring wideKey = Wide(keyPath);
    Registry& registry = RealRegistry();
    EXPECT_TRUE(registry.DeleteMachineValue("Software\\SutremoTestMissing", "QEMRIVAX") == false);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\SutremoTestMissing", 0,
                            KEY_READ | kMachineView, &*std::make_unique<HKEY>()),
              ERROR_FILE_NOT_FOUND);  // removal never creates the key

    EXPECT_TRUE(registry.SetMachineString(keyPath, "QEMRIVAX", "C:\\定时\\a.exe"));
    EXPECT_EQ(ReadValue(wideKey, L"QEMRIVAX"), L"C:\\定时\\a.exe");
    // Only in the 32-bit view, where the shipped program's value lands, whichever build runs.
    EXPECT_EQ(ReadValue(wideKey, L"QEMRIVAX", KEY_WOW64_64KEY), L"<none>");
    EXPECT_TRUE(registry.SetMachineString(keyPath, "QEMRIVAX", "\"C:\\b c\\a.exe\""));
    EXPECT_EQ(ReadValue(wideKey, L"QEMRIVAX"), L"\"C:\\b c\\a.exe\"");
    EXPECT_TRUE(registry.DeleteMachineValue(keyPath, "QEMRIVAX"));
    EXPECT_EQ(ReadValue(wideKey, L"QEMRIVAX"), L"<none>");
    EXPECT_TRUE(registry.DeleteMachineValue(keyPath, "QEMRIVAX"));  // a missing value is no error

    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | kMachineView,
                            &software),
              ERROR_SUCCESS);
    RegDeleteTreeW(software, Wide("SutremoTest" + std::to_string(GetCurrentProcessId())).c_str());
    RegCloseKey(software);
}

}  // namespace
}  // namespace sut::win32
