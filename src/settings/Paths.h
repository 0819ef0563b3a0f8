// Where the settings files live: beside the executable, whatever the current directory is.
#pragma once

#include <string>
#include <string_view>

namespace sut {

struct ExecutablePathParts {
    std::string settingsDirectory;  // the executable's directory, always ending with a backslash
    std::string executableName;     // the file-name part, extension included
};

// Splits a full GBK path at its last backslash. The scan is double-byte aware: a GBK trail byte is
// never a separator, so a name holding 誠 (0xD5 0x5C) is not split.
ExecutablePathParts SplitExecutablePath(std::string_view fullPath);

}  // namespace sut
