#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <span>
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

// Files handed to the reader in pieces of a set size, as a disk hands over a large file.
class PiecedFiles final : public MemoryFiles {
public:
    PiecedFiles(std::string contents, std::size_t pieceSize) : pieceSize_(pieceSize) {
        files[kPath] = std::move(contents);
    }
    std::size_t handedOver = 0;  // bytes given to the reader

    bool ReadPieces(const std::string& path,
                    const std::function<bool(std::string_view)>& piece) override {
        const auto it = files.find(path);
        if (it == files.end()) return false;
        const std::string contents = it->second;
        for (std::size_t at = 0; at < contents.size(); at += pieceSize_) {
            const std::string_view p = std::string_view(contents).substr(at, pieceSize_);
            handedOver += p.size();
            if (!piece(p)) break;
        }
        return true;
    }

private:
    std::size_t pieceSize_;
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
        for (std::size_t piece : {1, 2, 3, 7, 4096}) {
            PiecedFiles pieced(c.file, piece);
            EXPECT_EQ(ReadIniValue(pieced, kPath, c.section, c.key, c.fallback), c.expected)
                << "pieces of " << piece;
        }
    }
}

// Random files of header-like and key-like lines around a few names, mixed with the bytes that
// matter to the rules (brackets, '=', blanks, quotes, line ends, NUL, GBK lead and trail bytes
// that look like ']' or letters).
struct RandomIni {
    std::mt19937 random{20240607};
    const std::vector<std::string> atoms = {
        "[", "]", "=", " ", "\t", "\x1A", "\"", "'", "s", "S", "k", "K", "v", "ab", "\x80", "\x81",
        "\x81\x5D", "\x81\x41", "\x81\x61", "\xB9\xD8", "\x81\x7F", "\xFE", "\xFF",
        std::string(1, '\0'), "\r", "\n"};
    const std::vector<std::string> names = {"s", "k", "S", "K", "ab", "\x81\x5D", "\x81\x41", "[s"};
    const std::vector<std::string> ends = {"\r\n", "\n", "\r"};

    const std::string& Pick(const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    // Up to `most` atoms, each there one time in three.
    std::string Some(int most) {
        std::string out;
        for (int n = 0; n < most; ++n)
            if (Below(3) == 0) out += Pick(atoms);
        return out;
    }
    // Half the names in the file are the ones given.
    std::string File(const std::string& section, const std::string& key) {
        auto nameOf = [&](const std::string& wanted) { return Below(2) ? wanted : Pick(names); };
        std::string file;
        for (int lines = Below(11); lines > 0; --lines) {
            switch (std::discrete_distribution<int>({3, 4, 1, 1})(random)) {
            case 0: file += Some(1) + "[" + Some(1) + nameOf(section) + Some(1) + "]" + Some(2); break;
            case 1: file += Some(1) + nameOf(key) + Some(1) + "=" + Some(6); break;
            case 2: file += Some(1) + nameOf(key) + Some(1); break;
            default: file += Some(12); break;
            }
            file += Pick(ends);
        }
        return file;
    }
};

// Read in random pieces, such a file gives the answer it gives in one piece.
TEST(Ini, PiecesOfAnySizeGiveTheOnePieceAnswer) {
    RandomIni r;
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string section = r.Pick(r.names), key = r.Pick(r.names);
        const std::string file = r.File(section, key);
        MemoryFiles whole;
        whole.files[kPath] = file;
        const std::string expected = ReadIniValue(whole, kPath, section, key, "\x01");
        found += expected != "\x01";
        PiecedFiles pieced(file, static_cast<std::size_t>(1 + r.Below(9)));
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
    // What a replace writes, kept only in part: its size, its ends and its largest piece.
    std::size_t written = 0, largestPiece = 0;
    std::string writtenHead, writtenTail;
    bool Replace(const std::string&, std::string_view) override { return false; }
    bool ReplaceInPieces(const std::string&, std::uint32_t,
                         const std::function<bool(const PieceSink&)>& write) override {
        return write([this](std::string_view piece) {
            written += piece.size();
            largestPiece = std::max(largestPiece, piece.size());
            writtenHead.append(piece.substr(0, 64 - std::min<std::size_t>(writtenHead.size(), 64)));
            writtenTail.append(piece.substr(piece.size() - std::min<std::size_t>(piece.size(), 64)));
            if (writtenTail.size() > 64) writtenTail.erase(0, writtenTail.size() - 64);
            return true;
        });
    }
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

// Writing, too, goes through the file a piece at a time: 16 MiB, most of it in other sections,
// written with a replaced key, a new key and a new section, in pieces no larger than the ones
// read.
TEST(Ini, HugeFilesAreWrittenWithoutHoldingThem) {
    EndlessFiles files;
    files.filler = "x=" + std::string((1 << 20) - 4, 'v') + "\r\n";
    files.fillerPieces = 16;
    files.head = "[s]\r\nk=old\r\n[big]\r\n";
    files.tail = "[t]\r\ny=1";
    const IniEdit edits[] = {{"s", "k", "new"}, {"t", "z", "2"}, {"u", "k", "3"}};
    EXPECT_TRUE(WriteIniValues(files, kPath, edits));
    EXPECT_EQ(files.writtenHead.substr(0, 21), "[s]\r\nk=new\r\n[big]\r\nx=");
    const std::string end = "vv\r\n[t]\r\ny=1\r\nz=2\r\n[u]\r\nk=3\r\n";
    EXPECT_EQ(files.writtenTail.substr(files.writtenTail.size() - end.size()), end);
    EXPECT_EQ(files.written, files.head.size() + 16 * files.filler.size() + files.tail.size() + 17);
    EXPECT_LE(files.largestPiece, 2u << 20);
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

// The file after the edits made one WriteIniValue each, in order: what one replace must give.
std::string OneWriteEach(const std::string* before, std::span<const IniEdit> edits) {
    MemoryFiles files;
    if (before) files.files[kPath] = *before;
    for (const IniEdit& e : edits) WriteIniValue(files, kPath, e.section, e.key, e.value);
    return files.files.count(kPath) ? files.files[kPath] : "<missing>";
}

// Several edits in one replace end as one write each would leave the file, whatever it held;
// read in pieces of any size.
TEST(Ini, EditsInOneReplaceEndAsOneWriteEach) {
    struct Case {
        const char* what;
        std::optional<std::string> before;  // none: no file
        std::vector<IniEdit> edits;
    } cases[] = {
        {"new file, sections interleaved", std::nullopt, {{"a", "x", "1"}, {"b", "y", "2"}, {"a", "z", "3"}}},
        {"the same key twice: its first spelling, the last value", "[s]\r\n",
         {{"s", "K", "1"}, {"S", "k", "2"}}},
        {"names that differ in ASCII case", "[S]\r\nK=1\r\n", {{"s", "k", "2"}, {"s", "n", "3"}}},
        {"new keys after the last key line, before the blank lines",
         "[s]\r\nx=1\r\n;c\r\n\r\n \r\n[t]\r\n", {{"s", "a", "1"}, {"s", "b", "2"}, {"s", "x", "3"}}},
        {"a new key after a replaced one", "[s]\r\nk=1\r\n", {{"s", "k", "2"}, {"s", "n", "3"}}},
        {"only the first of duplicate sections", "[s]\r\na=1\r\n[s]\r\nk=1\r\n",
         {{"s", "k", "2"}, {"s", "a", "3"}, {"t", "k", "4"}}},
        {"LF, CR, no final line end", "k=0\n[s]\nk=1\r[t]\r\ny=2", {{"t", "y", "3"}, {"u", "z", "4"}}},
        {"GBK names", "[关机周期]\r\n星期一=N", {{"关机周期", "星期二", "Y"}, {"关机周期", "星期一", "Y"}}},
        {"headers and keys that do not read back as written", "[s]\r\n",
         {{"s", "[x", "1]"}, {"s", "[x", "2"}, {"\x81", "k", "3"}, {"\x81", "k", "4"}, {"s", "a=b", "5"}}},
        {"values that would add lines or have blanks", "[s]\r\nk=1\r\n",
         {{"s", "k", "v\r\n[t]"}, {"s", "n", "  w  "}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string expected = OneWriteEach(c.before ? &*c.before : nullptr, c.edits);
        for (std::size_t piece : {1, 3, 4096}) {
            PiecedFiles files(c.before.value_or(""), piece);
            if (!c.before) files.files.clear();
            EXPECT_TRUE(WriteIniValues(files, kPath, c.edits));
            EXPECT_EQ(files.files[kPath], expected) << "pieces of " << piece;
        }
    }
}

// The same on random files and random edits of a few names, some of them the file's.
TEST(Ini, RandomEditsInOneReplaceEndAsOneWriteEach) {
    RandomIni r;
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::string> texts;  // the edits' names and values
        for (int i = 1 + r.Below(4); i > 0; --i)
            for (const std::string& text : {r.Pick(r.names), r.Pick(r.names), r.Some(3)}) texts.push_back(text);
        std::vector<IniEdit> edits;
        for (std::size_t i = 0; i < texts.size(); i += 3) edits.push_back({texts[i], texts[i + 1], texts[i + 2]});
        const std::string file = r.File(texts[0], texts[1]);
        PiecedFiles files(file, static_cast<std::size_t>(1 + r.Below(9)));
        WriteIniValues(files, kPath, edits);
        ASSERT_EQ(files.files[kPath], OneWriteEach(&file, edits))
            << "file: " << ::testing::PrintToString(file);
        // A key "[s..." written makes a header of its own: such edits are a replace each.
        if (std::none_of(edits.begin(), edits.end(), [](const IniEdit& e) { return e.key[0] == '['; })) {
            ASSERT_LE(files.replaceCount, 1);
        }
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
    files.files[kPath] = "[s]\r\nk=v\r\n[t]\r\nn=\r\n";
    EXPECT_TRUE(WriteIniValue(files, kPath, "s", "k", "v"));
    const IniEdit same[] = {{"t", "n", ""}, {"s", "k", "v"}};
    EXPECT_TRUE(WriteIniValues(files, kPath, same));
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
