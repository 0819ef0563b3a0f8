// The INI engine against the system's private-profile functions, run under Wine: the same files
// read and written through both. Rows where Windows itself is known to differ from Wine, or where
// this program deliberately does better, say so and check this engine's answer alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Files.h"
#include "settings/Ini.h"

namespace sut {
namespace {

// A fresh ASCII-named directory per test program; every case uses new file names, so the
// system's profile cache never serves an old file. Left behind: the files are small and the
// prefix is a test one.
class Scratch {
public:
    Scratch() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        dir_ = std::string(base) + "ini-oracle-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    std::string NewFile(const std::string& contents) {
        const std::string path = dir_ + "f" + std::to_string(++count_) + ".ini";
        DeleteFileA(path.c_str());
        win32::DiskFiles files;
        if (!contents.empty()) {
            EXPECT_TRUE(files.Replace(path, contents));
        }
        return path;
    }

private:
    std::string dir_;
    int count_ = 0;
};

Scratch& Dir() {
    static Scratch scratch;
    return scratch;
}

std::string SystemRead(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback) {
    std::vector<char> buffer(10240);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                             static_cast<DWORD>(buffer.size()), path.c_str());
    // As a caller sees it: up to the first NUL. (For a cut double-byte value Wine's count
    // includes a stray NUL.)
    return std::string(buffer.data());
}

std::string OurRead(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& fallback) {
    win32::DiskFiles files;
    return ReadIniValue(files, path, section, key, fallback);
}

struct ReadRow {
    const char* what;
    std::string file, section, key, fallback;
    const char* differs = nullptr;   // why Windows or this program differ from Wine
    std::string ours = {};           // this engine's answer where it differs
};

TEST(IniOracle, ReadsLikeTheSystem) {
    const std::string big(12000, 'b');
    const ReadRow rows[] = {
        {"plain", "[s]\r\nk=v\r\n", "s", "k", "d"},
        {"missing key", "[s]\r\nk=v\r\n", "s", "x", "d"},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", "d"},
        {"empty value", "[s]\r\nk=\r\n", "s", "k", "d"},
        {"key without '='", "[s]\r\nk\r\nk=v\r\n", "s", "k", "d"},
        {"ASCII case", "[Soft Exit]\r\nPassword=x\r\n", "SOFT exit", "password", ""},
        {"blanks", "  [ s ]  \r\n \t k \t=\t v w \t\r\n", "s", "k", ""},
        {"search names with blanks", "[s]\r\nk=v\r\n", " s ", "\tk ", ""},
        {"double quotes", "[s]\r\nk=\"  padded  \"\r\n", "s", "k", ""},
        {"single quotes", "[s]\r\nk='x'\r\n", "s", "k", ""},
        {"mixed quotes", "[s]\r\nk='x\"\r\n", "s", "k", ""},
        {"lone quote", "[s]\r\nk=\"\r\n", "s", "k", ""},
        {"two pairs", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", ""},
        {"quotes then blanks", "[s]\r\nk= \"x\" \r\n", "s", "k", ""},
        {"duplicate keys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", ""},
        {"duplicate sections", "[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s", "k", "d"},
        {"comment by exact key", "[s]\r\n;k=1\r\n", "s", ";k", ""},
        {"comment is not the key", "[s]\r\n;k=1\r\n", "s", "k", "d"},
        {"hash comment", "[s]\r\n#k=1\r\nk=2\r\n", "s", "k", ""},
        {"no inline comment", "[s]\r\nk=a ; b\r\n", "s", "k", ""},
        {"header to last ']'", "[a]b]junk\r\nk=v\r\n", "a]b", "k", ""},
        {"'[' without ']'", "[s]\r\n[x\r\nk=v\r\n", "s", "k", ""},
        {"keys before any section", "k=v\r\n[s]\r\n", "s", "k", "d"},
        {"LF only", "[s]\nk=v\n", "s", "k", ""},
        {"CR only", "[s]\rk=v\r", "s", "k", ""},
        {"no final line end", "[s]\r\nk=v", "s", "k", ""},
        {"Ctrl-Z is a blank", "[s]\r\nk=v\x1A\r\n", "s", "k", ""},
        {"'=' in the value", "[s]\r\nk=a=b\r\n", "s", "k", ""},
        {"long value", "[s]\r\nk=" + big + "\r\n", "s", "k", ""},
        {"default: trailing spaces", "", "s", "k", "dd  "},
        {"default: leading spaces", "", "s", "k", "  dd"},
        {"default: quotes", "", "s", "k", "'dd'"},
        {"default: only spaces", "", "s", "k", "   "},
        {"GBK names", "[关机时间]\r\n小时=08\r\n", "关机时间", "小时", "00"},
        {"GBK value", "[提醒时间]\r\n秒=四十五\r\n", "提醒时间", "秒", "30"},
        {"trail ']' in header", "[\x81\x5D]\r\nk=v\r\n", "\x81\x5D", "k", ""},
        {"trail '\\' in key", "[s]\r\n\xD5\x5C=v\r\n", "s", "\xD5\x5C", ""},
        {"trail bytes keep case", "[s]\r\n\x81\x41=1\r\n", "s", "\x81\x61", "d"},
        {"long GBK value cut", "[s]\r\nk=" + std::string(10238, 'v') + "三\r\n", "s", "k", ""},
        {"UTF-8 mark", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d",
         "Windows reads the mark as part of the first line, so [s] is no header; Wine skips it",
         "d"},
        {"UTF-16 file", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22), "s", "k", "d",
         "the system reads a UTF-16 file as Unicode; this engine reads GBK files only", "d"},
        {"full-width letters keep their case", "[s]\r\nＡ=1\r\n", "s", "ａ", "d"},
        {"ideographic space is no blank", "[s]\r\nk=　v　\r\n", "s", "k", ""},
    };
    for (const ReadRow& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string path = Dir().NewFile(r.file);
        const std::string ours = OurRead(path, r.section, r.key, r.fallback);
        const std::string system = SystemRead(path, r.section, r.key, r.fallback);
        if (r.differs) {
            EXPECT_EQ(ours, r.ours);
            std::printf("[ differs  ] %s: ours \"%s\", Wine \"%s\" (%s)\n", r.what, ours.c_str(),
                        system.c_str(), r.differs);
        } else {
            EXPECT_TRUE(ours == system) << "ours \"" << ours.substr(0, 60) << "\" (" << ours.size()
                                        << " bytes), system \"" << system.substr(0, 60) << "\" ("
                                        << system.size() << " bytes)";
        }
    }
}

struct WriteRow {
    const char* what;
    std::string file, section, key, value;
    std::vector<std::pair<std::string, std::string>> probes;  // read back after the write
    const char* differs = nullptr;
};

// After the same write, the system must read this engine's file exactly as it reads its own, and
// this engine must read its own file as the system does.
TEST(IniOracle, WritesWhatTheSystemReadsAsItsOwn) {
    const std::vector<std::pair<std::string, std::string>> sk = {{"s", "k"}, {"s", "x"}, {"t", "y"}};
    const WriteRow rows[] = {
        {"new file", "", "s", "k", "v", sk},
        {"new section", "[t]\r\ny=1\r\n", "s", "k", "v", sk},
        {"new key", "[s]\r\nx=1\r\n\r\n[t]\r\ny=2\r\n", "s", "k", "v", sk},
        {"replace", "; note\r\n[S]\r\n  K = old \r\n#c\r\n\r\nx=9\r\n", "s", "k", "new",
         {{"s", "k"}, {"s", "x"}, {"s", "#c"}, {"", "; note"}}},
        {"empty value", "[s]\r\nk=v\r\n", "s", "k", "", sk},
        {"value with quotes and '='", "", "s", "k", "\"a\"=;b", sk},
        {"value with blanks", "", "s", "k", "  v  ", sk},
        {"LF file", "[s]\nk=1\nx=2\n", "s", "k", "3", sk},
        {"duplicate sections", "[s]\r\nx=1\r\n[s]\r\nk=1\r\n", "s", "k", "2", sk},
        {"key without '='", "[s]\r\nk\r\n", "s", "k", "v", sk},
        {"GBK", "[关机周期]\r\n星期一=N\r\n", "关机周期", "星期二", "Y",
         {{"关机周期", "星期一"}, {"关机周期", "星期二"}}},
        {"trail ']' in header", "[\x81\x5D]\r\nk=1\r\n", "\x81\x5D", "k", "2",
         {{"\x81\x5D", "k"}}},
    };
    for (const WriteRow& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string ourPath = Dir().NewFile(r.file);
        const std::string systemPath = Dir().NewFile(r.file);
        win32::DiskFiles files;
        WriteIniValue(files, ourPath, r.section, r.key, r.value);
        WritePrivateProfileStringA(r.section.c_str(), r.key.c_str(), r.value.c_str(),
                                   systemPath.c_str());
        for (const auto& [section, key] : r.probes) {
            SCOPED_TRACE(section + "/" + key);
            const std::string expected = SystemRead(systemPath, section, key, "<none>");
            EXPECT_EQ(SystemRead(ourPath, section, key, "<none>"), expected);
            if (!section.empty()) {
                EXPECT_EQ(OurRead(ourPath, section, key, "<none>"), expected);
            }
        }
    }
}

// Several edits in one replace against the system making them one call each: the system reads
// this engine's file as it reads its own, for every key edited and every key the file held.
TEST(IniOracle, EditsInOneReplaceReadLikeTheSystemsWritesOneByOne) {
    const std::vector<IniEdit> edits = {
        {"关机周期", "星期一", "Y"}, {"关机周期", "星期二", "N"}, {"开机启动", "开关", "Y"},
        {"启动最小化", "开关", "N"}, {"关机操作", "关机方式", "2"}, {"提醒时间", "是否提醒", "Y"},
        {"提醒时间", "秒", "45"},    {"关机时间", "小时", "8"},     {"关机时间", "秒", "0"},
        {"关机周期", "星期日", "Y"}, {"关机操作", "关机方式", "3"}};
    const struct Row {
        const char* what;
        std::string file;
    } rows[] = {
        {"no file", ""},
        {"hand-edited", "; 注释\r\n[关机时间]\r\n 小时 = 7 \r\n\r\n[关机周期]\r\n星期日=N\r\n\r\n[其他]\r\nx=1\r\n"},
        {"duplicate sections, LF", "[提醒时间]\n秒=5\n[关机周期]\n星期一=N\n[提醒时间]\n是否提醒=N\n"},
        {"no final line end", "[关机操作]\r\n关机方式=1"},
    };
    std::vector<std::pair<std::string, std::string>> probes = {{"关机时间", "分钟"}, {"其他", "x"}};
    for (const IniEdit& e : edits) probes.emplace_back(e.section, e.key);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string ourPath = Dir().NewFile(r.file);
        const std::string systemPath = Dir().NewFile(r.file);
        win32::DiskFiles files;
        EXPECT_TRUE(WriteIniValues(files, ourPath, edits));
        for (const IniEdit& e : edits)
            WritePrivateProfileStringA(std::string(e.section).c_str(), std::string(e.key).c_str(),
                                       std::string(e.value).c_str(), systemPath.c_str());
        for (const auto& [section, key] : probes) {
            SCOPED_TRACE(section + "/" + key);
            const std::string expected = SystemRead(systemPath, section, key, "<none>");
            EXPECT_EQ(SystemRead(ourPath, section, key, "<none>"), expected);
            EXPECT_EQ(OurRead(ourPath, section, key, "<none>"), expected);
        }
    }
}

// The system writes a value with a line break as it is, so that it adds lines of its own; this
// engine stores the value up to the break.
TEST(IniOracle, AValueCannotAddLines) {
    const std::string ourPath = Dir().NewFile("");
    const std::string systemPath = Dir().NewFile("");
    win32::DiskFiles files;
    WriteIniValue(files, ourPath, "s", "k", "v\r\n[t]\r\ny=1");
    WritePrivateProfileStringA("s", "k", "v\r\n[t]\r\ny=1", systemPath.c_str());
    EXPECT_EQ(SystemRead(ourPath, "s", "k", "d"), "v");
    EXPECT_EQ(SystemRead(ourPath, "t", "y", "d"), "d");
    std::printf("[ differs  ] line break in a value: Wine then reads t/y as \"%s\"\n",
                SystemRead(systemPath, "t", "y", "d").c_str());
}

}  // namespace
}  // namespace sut
