// The INI reader on any file: never crashes, never returns more than a value may hold, gives
// the default exactly when the key is absent, and reads the same in pieces of any size.
#include <cstdlib>

#include "FakeServices.h"
#include "FuzzInput.h"
#include "settings/Ini.h"

namespace {

// The files handed over in pieces of a set size.
struct PiecedFiles final : sut::test::MemoryFiles {
    explicit PiecedFiles(std::size_t size) : size(size) {}
    std::size_t size;
    bool ReadPieces(const std::string& path,
                    const std::function<bool(std::string_view)>& piece) override {
        const auto it = files.find(path);
        if (it == files.end()) return false;
        const std::string_view contents = it->second;
        for (std::size_t at = 0; at < contents.size(); at += size)
            if (!piece(contents.substr(at, size))) break;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = sut::fuzz::Fields(data, size, 3);  // file, section, key
    sut::test::MemoryFiles files;
    files.files["C:\\close.ini"] = f[0];
    const std::string a = sut::ReadIniValue(files, "C:\\close.ini", f[1], f[2], "\x01");
    const std::string b = sut::ReadIniValue(files, "C:\\close.ini", f[1], f[2], "\x02");
    if (a.size() > 10239 || b.size() > 10239) std::abort();
    // The two reads differ only when both gave their defaults (a stored value may equal one).
    if (a != b && !(a == "\x01" && b == "\x02")) std::abort();
    PiecedFiles pieced(size % 7 + 1);
    pieced.files = files.files;
    if (sut::ReadIniValue(pieced, "C:\\close.ini", f[1], f[2], "\x01") != a) std::abort();
    return 0;
}
