#include "settings/Paths.h"

#include "settings/Gbk.h"

namespace sut {

ExecutablePathParts SplitExecutablePath(std::string_view fullPath) {
    std::size_t lastSeparator = std::string_view::npos;
    for (std::size_t i = 0; i < fullPath.size(); i += GbkCharLength(fullPath, i))
        if (fullPath[i] == '\\') lastSeparator = i;
    ExecutablePathParts parts;
    if (lastSeparator == std::string_view::npos) {
        parts.executableName = std::string(fullPath);
        return parts;
    }
    // Up to and including the separator. A byte test for a trailing backslash would be wrong
    // here: a directory ending in 誠 ends in the byte 0x5C.
    parts.settingsDirectory = std::string(fullPath.substr(0, lastSeparator + 1));
    parts.executableName = std::string(fullPath.substr(lastSeparator + 1));
    return parts;
}

}  // namespace sut
