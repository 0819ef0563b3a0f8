// The file operations behind the settings files. Paths and contents are GBK byte strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sut {

class Files {
public:
    virtual ~Files() = default;
    // The running executable's full path, however long.
    virtual std::string ExecutablePath() = 0;
    // The whole contents; false when the file cannot be read (a missing file included).
    virtual bool Read(const std::string& path, std::string& contents) = 0;
    // Replaces the file as a whole, so that a crash at any moment leaves the old or the new
    // contents, never a mixture or a truncated file. A hidden or system file keeps those
    // attributes; a read-only file is left alone (false).
    virtual bool Replace(const std::string& path, std::string_view contents) = 0;
    // Sets exactly these attributes (FILE_ATTRIBUTE_* bits).
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
};

}  // namespace sut
