// The file operations behind the settings files. Paths and contents are GBK byte strings.
#pragma once

#include <cstdint>
#include <functional>
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
    // The contents handed to `piece` in order, a piece at a time, until the end or until it
    // returns false; false when the file cannot be read. A reader that keeps only what it needs
    // of each piece holds little, however large the file. Pieces may have any size; by default
    // the whole contents come as one (Read).
    virtual bool ReadPieces(const std::string& path,
                            const std::function<bool(std::string_view)>& piece) {
        std::string contents;
        if (!Read(path, contents)) return false;
        piece(contents);
        return true;
    }
    // Replaces the file as a whole, so that a crash at any moment leaves the old or the new
    // contents, never a mixture or a truncated file. A hidden or system file keeps those
    // attributes; a read-only file is left alone (false).
    virtual bool Replace(const std::string& path, std::string_view contents) = 0;
    // Takes the next piece of a file's new contents; false when it could not be stored.
    using PieceSink = std::function<bool(std::string_view)>;
    // Replace, the new contents put a piece at a time by `write`, so that a file of any size need
    // not be held whole. The new file carries `attributes` (FILE_ATTRIBUTE_* bits) from the
    // moment it has the name; 0 keeps the old file's hidden and system bits. False, the file left
    // as it was, when `write` returns false. By default the pieces are gathered, then replaced.
    virtual bool ReplaceInPieces(const std::string& path, std::uint32_t attributes,
                                 const std::function<bool(const PieceSink& put)>& write) {
        std::string contents;
        if (!write([&contents](std::string_view piece) {
                contents.append(piece);
                return true;
            }))
            return false;
        return Replace(path, contents) && (attributes == 0 || SetAttributes(path, attributes));
    }
    // Removes what an interrupted replace of this file may have left beside it.
    virtual void RemoveLeftovers(const std::string& path) { (void)path; }
    // Sets exactly these attributes (FILE_ATTRIBUTE_* bits).
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
};

}  // namespace sut
