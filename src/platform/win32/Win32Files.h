// The disk behind Files. Exposed so that tests can interrupt a replace at each of its steps.
#pragma once

#include <functional>
#include <string>

#include "platform/Files.h"

namespace sut::win32 {

class DiskFiles final : public Files {
public:
    // The steps of Replace, in order; a hook sees each one before it runs.
    enum class Step {
        CreateTemp,
        HalfWritten,  // half the contents are in the new file
        FlushTemp,
        ClearTargetAttributes,
        Rename,
        RestoreAttributes,
    };
    std::function<void(Step)> beforeStep;

    std::string ExecutablePath() override;
    bool Read(const std::string& path, std::string& contents) override;
    bool ReadPieces(const std::string& path,
                    const std::function<bool(std::string_view)>& piece) override;
    bool Replace(const std::string& path, std::string_view contents) override;
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
};

// A path the file functions accept at any length: from MAX_PATH on, the \\?\ form.
std::wstring ExtendedPath(const std::wstring& path);
// A module's full path, however long (nullptr: the running executable).
std::wstring ModuleFileName(void* module);

}  // namespace sut::win32
