// The disk behind Files. Exposed so that tests can interrupt a replace at each of its steps.
#pragma once

#include <functional>
#include <string>

#include "platform/Files.h"

namespace sut::win32 {

class DiskFiles final : public Files {
public:
    // The steps of a replace, in order; a hook sees each one before it runs. Write comes before
    // each piece of the contents; the last two come only when a rename over a hidden or system
    // file was refused (see ReplaceInPieces).
    enum class Step {
        RemoveLeftover,
        CreateTemp,
        Write,
        FlushTemp,
        Rename,
        ClearTargetAttributes,
        RenameAgain,
    };
    std::function<void(Step)> beforeStep;

    std::string ExecutablePath() override;
    bool Read(const std::string& path, std::string& contents) override;
    bool ReadPieces(const std::string& path,
                    const std::function<bool(std::string_view)>& piece) override;
    bool Replace(const std::string& path, std::string_view contents) override;
    bool ReplaceInPieces(const std::string& path, std::uint32_t attributes,
                         const std::function<bool(const PieceSink& put)>& write) override;
    void RemoveLeftovers(const std::string& path) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
};

// The one temporary file of a replace of `path`, beside it: "close.ini.sutremo-tmp".
std::wstring TemporaryPath(const std::wstring& path);
// A path the file functions accept at any length: from MAX_PATH on, the \\?\ form.
std::wstring ExtendedPath(const std::wstring& path);
// A module's full path, however long (nullptr: the running executable).
std::wstring ModuleFileName(void* module);

}  // namespace sut::win32
