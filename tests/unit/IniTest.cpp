#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "FakeServices.h"
#include "platform/GbkText.h"
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

// One file handed to the reader in pieces of a set size, as a disk hands over a large file.
class PiecedFiles final : public Files {
public:
    PiecedFiles(std::string contents, std::size_t pieceSize)
        : contents_(std::move(contents)), pieceSize_(pieceSize) {}
    std::size_t handedOver = 0;  // bytes given to the reader

    std::string ExecutablePath() override { return {}; }
    bool Read(const std::string&, std::string& contents) override {
        contents = contents_;
        return true;
    }
    bool ReadPieces(const std::string&,
                    const std::function<bool(std::string_view)>& piece) override {
        for (std::size_t at = 0; at < contents_.size(); at += pieceSize_) {
            const std::string_view p = std::string_view(contents_).substr(at, pieceSize_);
            handedOver += p.size();
            if (!piece(p)) break;
        }
        return true;
    }
    bool Replace(const std::string&, std::string_view) override { return false; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return false; }

private:
    std::string contents_;
    std::size_t pieceSize_;
};

// The reader as it was before it read in pieces: the whole text split into lines, each line
// parsed, then the search. Kept here as the reference the streaming reader must agree with.
namespace whole_text {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }
std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}
std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}
std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }
std::string_view SkipLeadingControl(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) >= 0x01 &&
           static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    return s;
}
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t n = GbkCharLength(a, i);
        if (n == 2) {
            if (a.substr(i, 2) != b.substr(i, 2)) return false;
        } else if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}
std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}
struct Line {
    enum Kind { Blank, Section, Key } kind = Blank;
    std::string_view name, value;
    bool hasValue = false;
};
Line ParseLine(std::string_view raw) {
    Line line;
    const std::string_view text = Trim(raw);
    if (text.empty()) return line;
    if (text.front() == '[') {
        std::size_t close = std::string_view::npos;
        for (std::size_t i = 1; i < text.size(); i += GbkCharLength(text, i))
            if (text[i] == ']') close = i;
        if (close != std::string_view::npos) {
            line.kind = Line::Section;
            line.name = Trim(text.substr(1, close - 1));
            return line;
        }
    }
    line.kind = Line::Key;
    const std::size_t eq = text.find('=');
    line.hasValue = eq != std::string_view::npos;
    line.name = line.hasValue ? TrimRight(text.substr(0, eq)) : text;
    if (line.hasValue) line.value = TrimLeft(text.substr(eq + 1));
    return line;
}
std::string Read(std::string_view text, std::string_view section, std::string_view key,
                 std::string_view defaultValue) {
    section = Trim(SkipLeadingControl(section));
    key = Trim(SkipLeadingControl(key));
    if (section.empty() || key.empty()) return {};
    while (defaultValue.size() > 1 && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    std::string_view found = StripQuotes(defaultValue);
    bool inSection = false;
    for (std::string_view raw : SplitLines(text)) {
        const Line line = ParseLine(raw);
        if (line.kind == Line::Section) {
            if (inSection) break;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == Line::Key && SameName(line.name, key)) {
            if (line.hasValue) found = StripQuotes(line.value);
            break;
        }
    }
    return std::string(CutGbk(found, 10239));
}

}  // namespace whole_text

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
        {"quotes inside blanks", "[s]\r\nk= \"x \" \t\r\n", "s", "k", "", "x "},
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
        EXPECT_EQ(whole_text::Read(c.file, c.section, c.key, c.fallback), c.expected);
        for (std::size_t piece : {1, 2, 3, 7, 4096}) {
            PiecedFiles pieced(c.file, piece);
            EXPECT_EQ(ReadIniValue(pieced, kPath, c.section, c.key, c.fallback), c.expected)
                << "pieces of " << piece;
        }
    }
}

// Random files of header-like and key-like lines around the names searched for, mixed with the
// bytes that matter to the rules (brackets, '=', blanks, quotes, line ends, NUL, GBK lead and
// trail bytes that look like ']' or letters), read in random pieces: the answer is always the
// whole-text reader's.
TEST(Ini, PiecesOfAnySizeGiveTheWholeTextAnswer) {
    std::mt19937 random(20240607);
    const std::vector<std::string> atoms = {
        "[", "]", "=", " ", "\t", "\x1A", "\"", "'", "s", "S", "k", "K", "v", "ab", "\x80", "\x81",
        "\x81\x5D", "\x81\x41", "\x81\x61", "\xB9\xD8", "\x81\x7F", "\xFE", "\xFF",
        std::string(1, '\0'), "\r", "\n"};
    const std::vector<std::string> names = {"s", "k", "S", "K", "ab", "\x81\x5D", "\x81\x41", "[s"};
    const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    // Up to `most` atoms, each there one time in three.
    auto some = [&](int most) {
        std::string out;
        for (int n = 0; n < most; ++n)
            if (std::uniform_int_distribution<int>(0, 2)(random) == 0) out += pick(atoms);
        return out;
    };
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string section = pick(names), key = pick(names);
        // Half the names in the file are the ones searched for.
        auto nameOf = [&](const std::string& wanted) {
            return std::uniform_int_distribution<int>(0, 1)(random) ? wanted : pick(names);
        };
        std::string file;
        for (int lines = std::uniform_int_distribution<int>(0, 10)(random); lines > 0; --lines) {
            switch (std::discrete_distribution<int>({3, 4, 1, 1})(random)) {
            case 0: file += some(1) + "[" + some(1) + nameOf(section) + some(1) + "]" + some(2); break;
            case 1: file += some(1) + nameOf(key) + some(1) + "=" + some(6); break;
            case 2: file += some(1) + nameOf(key) + some(1); break;
            default: file += some(12); break;
            }
            file += pick(ends);
        }
        const std::string expected = whole_text::Read(file, section, key, "\x01");
        found += expected != "\x01";
        PiecedFiles pieced(file, std::uniform_int_distribution<std::size_t>(1, 9)(random));
        ASSERT_EQ(ReadIniValue(pieced, kPath, section, key, "\x01"), expected)
            << "file: " << ::testing::PrintToString(file) << " section " << section << " key " << key;
    }
    EXPECT_GT(found, 1000);  // the rounds do find values, not only defaults
}

TEST(Ini, ReadingStopsOnceTheAnswerIsKnown) {
    const std::string rest(1 << 20, 'x');
    struct Case {
        const char* what;
        std::string file;
        std::string key;
    } cases[] = {
        {"the key found", "[s]\r\nk=v\r\n" + rest, "k"},
        {"a key without '='", "[s]\r\nk\r\n" + rest, "k"},
        {"the next section begins", "[s]\r\na=1\r\n[t]\r\n" + rest, "k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PiecedFiles pieced(c.file, 16);
        ReadIniValue(pieced, kPath, "s", c.key, "d");
        EXPECT_LT(pieced.handedOver, 64u);
    }
}

// A file of any size is read piece by piece, never whole: here 16 MiB made up on the fly, most of
// it one line, with the value cut as usual.
class EndlessFiles final : public Files {
public:
    std::string head, filler, tail;
    std::size_t fillerPieces = 0;
    std::string ExecutablePath() override { return {}; }
    bool Read(const std::string&, std::string&) override {
        ADD_FAILURE() << "the whole file was asked for";
        return false;
    }
    bool ReadPieces(const std::string&,
                    const std::function<bool(std::string_view)>& piece) override {
        if (!piece(head)) return true;
        for (std::size_t i = 0; i < fillerPieces; ++i)
            if (!piece(filler)) return true;
        piece(tail);
        return true;
    }
    bool Replace(const std::string&, std::string_view) override { return false; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return false; }
};

TEST(Ini, HugeLinesAreReadWithoutHoldingThem) {
    EndlessFiles files;
    files.filler = std::string(1 << 20, 'v');
    files.fillerPieces = 16;
    files.head = "[s]\r\nk=\"";
    files.tail = "\"  \r\n";
    EXPECT_EQ(ReadIniValue(files, kPath, "s", "k", "d"), std::string(10239, 'v'));
    // The same line as a header name that only ends after 16 MiB, and a key line as long.
    files.head = "[";
    files.tail = "]\r\n[s]\r\nk=1\r\n";
    EXPECT_EQ(ReadIniValue(files, kPath, "s", "k", "d"), "1");
    files.head = "[s]\r\n";
    files.tail = "=2\r\nk=3\r\n";
    EXPECT_EQ(ReadIniValue(files, kPath, "s", "k", "d"), "3");
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
