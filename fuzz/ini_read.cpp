// The INI reader on any file: never crashes, never returns more than a value may hold, and
// gives the default exactly when the key is absent.
#include <cstdlib>

#include "FakeServices.h"
#include "FuzzInput.h"
#include "settings/Ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = sut::fuzz::Fields(data, size, 3);  // file, section, key
    sut::test::MemoryFiles files;
    files.files["C:\\close.ini"] = f[0];
    const std::string a = sut::ReadIniValue(files, "C:\\close.ini", f[1], f[2], "\x01");
    const std::string b = sut::ReadIniValue(files, "C:\\close.ini", f[1], f[2], "\x02");
    if (a.size() > 10239 || b.size() > 10239) std::abort();
    // The two reads differ only when both gave their defaults (a stored value may equal one).
    if (a != b && !(a == "\x01" && b == "\x02")) std::abort();
    return 0;
}
