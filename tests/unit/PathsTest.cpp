#include <gtest/gtest.h>

#include "settings/Paths.h"

namespace sut {
namespace {

TEST(Paths, SplitTable) {
    const std::string longDirectory = "C:\\" + std::string(300, 'd') + "\\";
    struct Case {
        std::string path, directory, name;
    } cases[] = {
        {"C:\\Tools\\timer.exe", "C:\\Tools\\", "timer.exe"},
        {"C:\\timer.exe", "C:\\", "timer.exe"},
        {"\\\\server\\share\\timer.exe", "\\\\server\\share\\", "timer.exe"},
        // 誠 is 0xD5 0x5C: its trail byte is no separator, neither inside nor at the end of a name.
        {"C:\\誠\\timer.exe", "C:\\誠\\", "timer.exe"},
        {"C:\\a\\b誠.exe", "C:\\a\\", "b誠.exe"},
        {"C:\\工具 箱\\定时.exe", "C:\\工具 箱\\", "定时.exe"},
        {longDirectory + "timer.exe", longDirectory, "timer.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const ExecutablePathParts parts = SplitExecutablePath(c.path);
        EXPECT_EQ(parts.settingsDirectory, c.directory);
        EXPECT_EQ(parts.executableName, c.name);
    }
}

}  // namespace
}  // namespace sut
