// The executable path split on any bytes: the directory ends with a backslash, the name holds
// none outside double-byte characters, and together they give the path back.
#include <cstdlib>
#include <string>

#include "platform/GbkText.h"
#include "settings/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    const sut::ExecutablePathParts parts = sut::SplitExecutablePath(path);
    const std::string& dir = parts.settingsDirectory;
    const std::string& name = parts.executableName;
    for (std::size_t i = 0; i < name.size(); i += sut::GbkCharLength(name, i))
        if (name[i] == '\\') std::abort();
    if (!dir.empty() && dir.back() != '\\') std::abort();
    if (dir + name != path) std::abort();
    return 0;
}
