// The INI writer on any file: what it wrote reads back, every other key it could read before
// reads the same after, and edits made in one replace give the bytes of one write each.
#include <cstdlib>

#include "FakeServices.h"
#include "FuzzInput.h"
#include "platform/GbkText.h"
#include "settings/Ini.h"

namespace {

// A name or value the read rules return unchanged: whole GBK characters, no blanks, quotes or
// line breaks, and no brackets, '=' or ';' in names.
std::string Plain(const std::string& s, bool name) {
    std::string out;
    for (std::size_t i = 0; i < s.size() && out.size() < 64;) {
        const std::size_t n = sut::GbkCharLength(s, i);
        const char c = s[i];
        const auto u = static_cast<unsigned char>(c);
        const bool drop = (n == 1 && u >= 0x80) || u < 0x21 || c == '"' || c == '\'' ||
                          (name && (c == '[' || c == ']' || c == '=' || c == ';'));
        if (!drop) out.append(s, i, n);
        i += n;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = sut::fuzz::Fields(data, size, 5);  // file, section, key, value, other key
    const std::string path = "C:\\close.ini";
    // Any bytes as names and values, the same key twice, a section new or not.
    const sut::IniEdit edits[] = {{f[1], f[2], f[3]}, {f[1], f[4], f[3]}, {f[4], f[2], f[1]},
                                  {f[1], f[2], f[4]}};
    sut::test::MemoryFiles batch, oneByOne;
    batch.files[path] = oneByOne.files[path] = f[0];
    sut::WriteIniValues(batch, path, edits);
    for (const sut::IniEdit& e : edits) sut::WriteIniValue(oneByOne, path, e.section, e.key, e.value);
    if (batch.files != oneByOne.files) std::abort();

    const std::string section = Plain(f[1], true), key = Plain(f[2], true), value = Plain(f[3], false);
    const std::string other = Plain(f[4], true);
    if (section.empty() || key.empty() || other.empty()) return 0;
    // A UTF-16 file (byte-order mark first) is deliberately left alone by the writer.
    if (f[0].size() >= 2 && ((f[0][0] == '\xFF' && f[0][1] == '\xFE') || (f[0][0] == '\xFE' && f[0][1] == '\xFF')))
        return 0;
    sut::test::MemoryFiles files;
    files.files[path] = f[0];
    const std::string otherBefore = sut::ReadIniValue(files, path, section, other, "\x01");
    sut::WriteIniValue(files, path, section, key, value);
    if (sut::ReadIniValue(files, path, section, key, "\x01") != value) std::abort();
    const bool sameKey = sut::ReadIniValue(files, path, section, other, "\x01") ==
                         sut::ReadIniValue(files, path, section, key, "\x01");
    if (!sameKey && sut::ReadIniValue(files, path, section, other, "\x01") != otherBefore) {
        // Names that match without regard to case are the same key.
        std::string a = other, b = key;
        for (char& c : a) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        for (char& c : b) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (a != b) std::abort();
    }
    return 0;
}
