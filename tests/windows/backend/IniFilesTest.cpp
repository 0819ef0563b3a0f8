// The disk layer under the INI engine: whole-file replace that survives a crash at any step,
// hidden and system files, its one temporary file, long paths and the executable's own path.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/Text.h"
#include "platform/win32/Win32Files.h"

namespace sut::win32 {
namespace {

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

struct Interrupted {};

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(ExtendedPath(dir + L"*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + name;
            SetFileAttributesW(ExtendedPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + L"\\");
            else DeleteFileW(ExtendedPath(path).c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(ExtendedPath(dir).c_str());
}

class IniFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        dir_ = std::wstring(base) + L"ini-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++serial_) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(dir_); }
    std::string Path(const std::wstring& name) const { return Gbk(dir_ + name); }
    std::string Contents(const std::string& path) {
        std::string text;
        EXPECT_TRUE(files_.Read(path, text));
        return text;
    }
    // Files in the directory whose names start with the given one's, other than it: what its
    // replaces left beside it.
    int Beside(const std::wstring& name) const {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((dir_ + name + L"*").c_str(), &found);
        int count = 0;
        if (h == INVALID_HANDLE_VALUE) return 0;
        do count += name != found.cFileName;
        while (FindNextFileW(h, &found));
        FindClose(h);
        return count;
    }
    // Files in the directory other than the given one: left-over temporary files.
    int OtherFiles(const std::wstring& keep) const {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &found);
        int count = 0;
        if (h == INVALID_HANDLE_VALUE) return 0;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L".." && name != keep) ++count;
        } while (FindNextFileW(h, &found));
        FindClose(h);
        return count;
    }

    DiskFiles files_;
    std::wstring dir_;
    static inline int serial_ = 0;
};

TEST_F(IniFiles, ReplaceCreatesAndReplacesWholeFiles) {
    const std::string path = Path(L"a.ini");
    EXPECT_TRUE(files_.Replace(path, "[s]\r\nk=long old value\r\n"));
    EXPECT_TRUE(files_.Replace(path, "[s]\r\nk=v\r\n"));
    EXPECT_EQ(Contents(path), "[s]\r\nk=v\r\n");
    EXPECT_EQ(OtherFiles(L"a.ini"), 0);
    std::string text;
    EXPECT_FALSE(files_.Read(Path(L"missing.ini"), text));
}

// Windows refuses CreateFile(CREATE_ALWAYS) on a hidden or system file; Wine does not, so this
// shows only that the replace keeps such a file writable and keeps its attributes.
TEST_F(IniFiles, AHiddenSystemFileStaysWritableAndHiddenSystem) {
    const std::string path = Path(L"close.ini");
    ASSERT_TRUE(files_.Replace(path, "old"));
    ASSERT_TRUE(files_.SetAttributes(path, kHiddenSystem));
    EXPECT_TRUE(files_.Replace(path, "new"));
    EXPECT_EQ(Contents(path), "new");
    EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
}

TEST_F(IniFiles, AReadOnlyFileIsLeftAsItWas) {
    const std::string path = Path(L"ro.ini");
    ASSERT_TRUE(files_.Replace(path, "old"));
    ASSERT_TRUE(files_.SetAttributes(path, FILE_ATTRIBUTE_READONLY | kHiddenSystem));
    EXPECT_FALSE(files_.Replace(path, "new"));
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
              FILE_ATTRIBUTE_READONLY | kHiddenSystem);
    EXPECT_EQ(OtherFiles(L"ro.ini"), 0);
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A crash, kill or power cut before any step of a replace leaves the old file whole, hidden and
// system, and at most the one temporary file beside it, which the next replace or the next start
// (RemoveLeftovers) removes.
TEST_F(IniFiles, AReplaceInterruptedAtAnyStepLeavesTheOldFileAndOneTemporaryFile) {
    using Step = DiskFiles::Step;
    const std::string oldText = "[s]\r\nk=" + std::string(5000, 'o') + "\r\n";
    const std::string newText = "[s]\r\nk=" + std::string(7000, 'n') + "\r\n";
    const struct Case {
        const char* what;
        Step at;
        int occurrence;         // the step's n-th coming (Write comes before each piece)
        bool cleanedByNextReplace;  // else by RemoveLeftovers
    } cases[] = {
        {"remove leftover", Step::RemoveLeftover, 1, true},
        {"create temp", Step::CreateTemp, 1, false},
        {"first piece", Step::Write, 1, true},
        {"second piece", Step::Write, 2, false},
        {"flush", Step::FlushTemp, 1, true},
        {"rename", Step::Rename, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring name = std::wstring(c.what, c.what + std::strlen(c.what)) + L".ini";
        const std::string path = Path(name);
        ASSERT_TRUE(files_.Replace(path, oldText));
        ASSERT_TRUE(files_.SetAttributes(path, kHiddenSystem));
        DiskFiles crashing;
        int seen = 0;
        crashing.beforeStep = [&](Step s) {
            if (s == c.at && ++seen == c.occurrence) throw Interrupted{};
        };
        EXPECT_THROW(crashing.ReplaceInPieces(path, kHiddenSystem,
                                              [&](const Files::PieceSink& put) {
                                                  return put(std::string_view(newText).substr(0, 3000)) &&
                                                         put(std::string_view(newText).substr(3000));
                                              }),
                     Interrupted);
        EXPECT_EQ(Contents(path), oldText);
        EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
        EXPECT_LE(Beside(name), 1);
        if (c.cleanedByNextReplace) {
            EXPECT_TRUE(files_.ReplaceInPieces(path, kHiddenSystem, [&](const Files::PieceSink& put) {
                return put(newText);
            }));
            EXPECT_EQ(Contents(path), newText);
        } else {
            files_.RemoveLeftovers(path);
        }
        EXPECT_EQ(Beside(name), 0);
        EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
    }
}

// The new file has the attributes asked for before it takes the name; without any, those of
// the old file's hidden and system bits; a failed write leaves the old file and no temporary one.
TEST_F(IniFiles, TheNewFileHasItsAttributesAndAFailedWriteLeavesNothing) {
    const std::string path = Path(L"n.ini");
    ASSERT_TRUE(files_.ReplaceInPieces(path, kHiddenSystem, [](const Files::PieceSink& put) { return put("a"); }));
    EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
    ASSERT_TRUE(files_.Replace(path, "b"));
    EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
    EXPECT_FALSE(files_.ReplaceInPieces(path, kHiddenSystem, [](const Files::PieceSink& put) {
        put("half");
        return false;
    }));
    EXPECT_EQ(Contents(path), "b");
    EXPECT_EQ(Beside(L"n.ini"), 0);
}

// Another program holding the file open without letting it be deleted (an editor, a virus
// scanner): the rename is refused; the old file keeps its contents and attributes, and no
// temporary file stays.
TEST_F(IniFiles, ARefusedRenameLeavesTheOldFileAsItWas) {
    const std::string path = Path(L"held.ini");
    ASSERT_TRUE(files_.Replace(path, "old"));
    ASSERT_TRUE(files_.SetAttributes(path, kHiddenSystem));
    HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files_.ReplaceInPieces(path, kHiddenSystem, [](const Files::PieceSink& put) { return put("new"); }));
    CloseHandle(held);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, kHiddenSystem);
    EXPECT_EQ(Beside(L"held.ini"), 0);
}

TEST_F(IniFiles, PathsLongerThanMaxPathWork) {
    std::wstring dir = dir_;
    for (int i = 0; i < 3; ++i) {
        dir += std::wstring(100, static_cast<wchar_t>(L'a' + i)) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(ExtendedPath(dir).c_str(), nullptr));
    }
    const std::string path = Gbk(dir + L"关机.ini");
    ASSERT_GT(path.size(), 300u);
    EXPECT_TRUE(files_.Replace(path, "a"));
    EXPECT_TRUE(files_.Replace(path, "b"));
    EXPECT_TRUE(files_.SetAttributes(path, kHiddenSystem));
    EXPECT_TRUE(files_.Replace(path, "c"));
    EXPECT_EQ(Contents(path), "c");
}

// Run by a copy of this program placed somewhere else: writes its executable path to the file
// named by SUT_PATH_REPORT.
TEST(IniFilesChild, DISABLED_ReportExecutablePath) {
    const char* report = std::getenv("SUT_PATH_REPORT");
    ASSERT_NE(report, nullptr);
    DiskFiles files;
    files.Replace(report, files.ExecutablePath());
}

// Copies this program into `dir` (created), runs the reporting test there, returns what it saw.
std::string PathSeenFrom(const std::wstring& dir, const std::wstring& report) {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::wstring copy = dir + L"t.exe";
    if (!CopyFileW(self.c_str(), ExtendedPath(copy).c_str(), FALSE)) return "<no copy>";
    SetEnvironmentVariableW(L"SUT_PATH_REPORT", report.c_str());
    std::wstring command = L"\"" + copy +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=IniFilesChild.DISABLED_ReportExecutablePath";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(ExtendedPath(copy).c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &si, &pi))
        return "<no start>";
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string seen;
    DiskFiles files;
    if (!files.Read(Gbk(report), seen)) return "<no report>";
    return seen;
}

// Windows starts no program from beyond MAX_PATH unless it is long-path aware, and Wine not at
// all, so the length is shown on a module loaded from such a path.
TEST_F(IniFiles, ModulePathIsWholeAtAnyLength) {
    std::wstring longDir = dir_;
    for (int i = 0; i < 3; ++i) {
        longDir += std::wstring(90, static_cast<wchar_t>(L'p' + i)) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(ExtendedPath(longDir).c_str(), nullptr));
    }
    const std::wstring copy = longDir + L"t.dll";
    ASSERT_TRUE(CopyFileW(ModuleFileName(nullptr).c_str(), ExtendedPath(copy).c_str(), FALSE));
    HMODULE module = LoadLibraryExW(ExtendedPath(copy).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    const std::wstring seen = ModuleFileName(module);
    FreeLibrary(module);
    ASSERT_GT(copy.size(), 300u);
    EXPECT_TRUE(seen == copy || seen == ExtendedPath(copy)) << Gbk(seen);
}

// The host needs a locale that can hold these names (zh_CN.UTF-8 generated); without it Wine
// cannot create them at all.
TEST_F(IniFiles, ExecutablePathInGbkOrItsShortForm) {
    const std::wstring gbkDir = dir_ + L"誠 定时\\";
    ASSERT_TRUE(CreateDirectoryW(gbkDir.c_str(), nullptr))
        << "this host cannot hold non-ASCII file names; generate zh_CN.UTF-8";
    EXPECT_EQ(PathSeenFrom(gbkDir, dir_ + L"gbk.txt"), Gbk(gbkDir + L"t.exe"));

    // Thai has no GBK form: the short path stands in, so the settings still sit beside the
    // program and never at a path full of '?'.
    const std::wstring thaiDir = dir_ + L"\u0e01\u0e02\\";
    ASSERT_TRUE(CreateDirectoryW(thaiDir.c_str(), nullptr));
    const std::string seen = PathSeenFrom(thaiDir, dir_ + L"thai.txt");
    EXPECT_EQ(seen.find('?'), std::string::npos) << seen;
    std::string text;
    DiskFiles files;
    EXPECT_TRUE(files.Read(seen, text)) << seen;  // the path names the program itself
}

}  // namespace
}  // namespace sut::win32
