#include <gtest/gtest.h>

#include "FakeServices.h"
#include "settings/Ini.h"

namespace sut {
namespace {

using test::MemoryFiles;
const std::string kPath = "C:\\Tools\\t.ini";

struct ReadCase {
    const char* what;
    std::string file;
    std::string section, key, fallback, expected;
};

TEST(Ini, ReadTable) {
    const std::string longValue(20000, 'v');
    const ReadCase cases[] = {
        {"plain", "[s]\r\nk=v\r\n", "s", "k", "d", "v"},
        {"missing key", "[s]\r\nk=v\r\n", "s", "x", "d", "d"},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", "d", "d"},
        {"empty value is not the default", "[s]\r\nk=\r\n", "s", "k", "d", ""},
        {"key without '=' gives the default", "[s]\r\nk\r\nk=v\r\n", "s", "k", "d", "d"},
        {"ASCII case ignored", "[Soft Exit]\r\nPassword=x\r\n", "soft exit", "PASSWORD", "", "x"},
        {"blanks trimmed", "  [ s ]  \r\n \t k \t=\t v w \t\r\n", "s", "k", "", "v w"},
        {"search names trimmed", "[s]\r\nk=v\r\n", " s ", "\tk ", "", "v"},
        {"double quotes", "[s]\r\nk=\"  padded  \"\r\n", "s", "k", "", "  padded  "},
        {"single quotes", "[s]\r\nk='x'\r\n", "s", "k", "", "x"},
        {"mixed quotes kept", "[s]\r\nk='x\"\r\n", "s", "k", "", "'x\""},
        {"one quote kept", "[s]\r\nk=\"\r\n", "s", "k", "", "\""},
        {"only one pair", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", "", "\"x\""},
        {"first key wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "", "1"},
        {"first section only", "[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s", "k", "d", "d"},
        {"comment read by exact key", "[s]\r\n;k=1\r\n", "s", ";k", "", "1"},
        {"comment is not the key", "[s]\r\n;k=1\r\n", "s", "k", "d", "d"},
        {"no inline comments", "[s]\r\nk=a ; b\r\n", "s", "k", "", "a ; b"},
        {"header up to its last ']'", "[a]b]junk\r\nk=v\r\n", "a]b", "k", "", "v"},
        {"'[' without ']' is no header", "[s]\r\n[x\r\nk=v\r\n", "s", "k", "", "v"},
        {"keys before any section", "k=v\r\n[s]\r\n", "s", "k", "d", "d"},
        {"LF only", "[s]\nk=v\n", "s", "k", "", "v"},
        {"CR only", "[s]\rk=v\r", "s", "k", "", "v"},
        {"no final line end", "[s]\r\nk=v", "s", "k", "", "v"},
        {"GBK names and values", "[关机时间]\r\n小时=８\r\n", "关机时间", "小时", "", "８"},
        // Trail bytes: 0x5D is ']', 0x41 and 0x61 are 'A' and 'a'.
        {"trail byte ']' in a header", "[\x81\x5D]\r\nk=v\r\n", "\x81\x5D", "k", "", "v"},
        {"trail bytes keep their case", "[s]\r\n\x81\x41=1\r\n", "s", "\x81\x61", "d", "d"},
        {"UTF-8 mark is part of the first line", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", "d"},
        {"long value cut", "[s]\r\nk=" + longValue + "\r\n", "s", "k", "",
         std::string(10239, 'v')},
        {"cut never splits a character", "[s]\r\nk=" + std::string(10238, 'v') + "三\r\n", "s",
         "k", "", std::string(10238, 'v')},
        {"default loses trailing spaces", "", "s", "k", "dd  ", "dd"},
        {"default keeps leading spaces", "", "s", "k", "  dd", "  dd"},
        {"default loses quotes", "", "s", "k", "\"dd\"", "dd"},
        {"empty section", "[s]\r\nk=v\r\n", " \x01", "k", "d", ""},
        {"empty key", "[s]\r\nk=v\r\n", "s", "", "d", ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryFiles files;
        files.files[kPath] = c.file;
        EXPECT_EQ(ReadIniValue(files, kPath, c.section, c.key, c.fallback), c.expected);
    }
}

TEST(Ini, MissingFileOrEmptyPathGivesTheDefaultOrNothing) {
    MemoryFiles files;
    EXPECT_EQ(ReadIniValue(files, kPath, "s", "k", "30"), "30");
    EXPECT_EQ(ReadIniValue(files, kPath, "s", "k"), "");
    files.files[" "] = "[s]\r\nk=v\r\n";
    EXPECT_EQ(ReadIniValue(files, " ", "s", "k", "d"), "");
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section, key, value, after;
};

TEST(Ini, WriteTable) {
    const WriteCase cases[] = {
        {"new file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"new section at the end", "[a]\r\nx=1\r\n", "s", "k", "v", "[a]\r\nx=1\r\n[s]\r\nk=v\r\n"},
        {"new key at the end of its section", "[s]\r\nx=1\r\n\r\n[t]\r\ny=2\r\n", "s", "k", "v",
         "[s]\r\nx=1\r\nk=v\r\n\r\n[t]\r\ny=2\r\n"},
        {"key into an empty section", "[s]\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n[t]\r\n"},
        {"replace keeps the key's spelling and the other lines",
         "; note\r\n[S]\r\n  KEY = old \r\n#c\r\n\r\nz=9\r\n", "s", "key", "new",
         "; note\r\n[S]\r\nKEY=new\r\n#c\r\n\r\nz=9\r\n"},
        {"empty value keeps the key", "[s]\r\nk=v\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
        {"value unquoted and unescaped", "", "s", "k", "\"a\"=;b", "[s]\r\nk=\"a\"=;b\r\n"},
        {"leading blanks dropped, trailing kept", "", "s", "k", "  v  ", "[s]\r\nk=v  \r\n"},
        {"a value cannot add lines", "", "s", "k", "v\r\n[x]\r\ny=1", "[s]\r\nk=v\r\n"},
        {"LF file becomes CRLF", "[s]\nk=1\n", "s", "k", "2", "[s]\r\nk=2\r\n"},
        {"only the first section of a name", "[s]\r\na=1\r\n[s]\r\nk=1\r\n", "s", "k", "2",
         "[s]\r\na=1\r\nk=2\r\n[s]\r\nk=1\r\n"},
        {"key without '=' gets the value", "[s]\r\nk\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"GBK bytes as they are", "", "关机周期", "星期一", "Y", "[关机周期]\r\n星期一=Y\r\n"},
        {"trail byte ']' in a header", "[\x81\x5D]\r\nk=1\r\n", "\x81\x5D", "k", "2",
         "[\x81\x5D]\r\nk=2\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryFiles files;
        if (!c.before.empty()) files.files[kPath] = c.before;
        EXPECT_TRUE(WriteIniValue(files, kPath, c.section, c.key, c.value));
        EXPECT_EQ(files.files[kPath], c.after);
    }
}

TEST(Ini, WrittenValuesReadBackAsWritten) {
    MemoryFiles files;
    for (const char* value : {"Y", "", "abc", "２１", "a=b", "誠\\", "x ; y"}) {
        SCOPED_TRACE(value);
        WriteIniValue(files, kPath, "提醒时间", "秒", value);
        EXPECT_EQ(ReadIniValue(files, kPath, "提醒时间", "秒", "30"), value);
    }
}

TEST(Ini, UnchangedValueOrUnicodeFileIsNotRewritten) {
    MemoryFiles files;
    files.files[kPath] = "[s]\r\nk=v\r\n";
    EXPECT_TRUE(WriteIniValue(files, kPath, "s", "k", "v"));
    EXPECT_EQ(files.replaceCount, 0);

    const std::string unicode("\xFF\xFE[\0s\0]\0", 8);
    files.files[kPath] = unicode;
    EXPECT_FALSE(WriteIniValue(files, kPath, "s", "k", "v"));
    EXPECT_EQ(files.files[kPath], unicode);
}

TEST(Ini, EmptyNamesWriteNothing) {
    MemoryFiles files;
    EXPECT_FALSE(WriteIniValue(files, kPath, "", "k", "v"));
    EXPECT_FALSE(WriteIniValue(files, kPath, "s", " ", "v"));
    EXPECT_FALSE(WriteIniValue(files, "", "s", "k", "v"));
    EXPECT_TRUE(files.files.empty());
}

}  // namespace
}  // namespace sut
