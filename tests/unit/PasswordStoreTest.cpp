#include <gtest/gtest.h>

#include "FakeServices.h"
#include "settings/PasswordCodec.h"
#include "settings/PasswordStore.h"

namespace sut {
namespace {

using K = PasswordKind;
constexpr const char* kConfig = "C:\\Tools\\config.ini";

struct Store : test::AppFixture {
    Store() { app.settingsDirectory = "C:\\Tools\\"; }
    std::string& File() { return files.files[kConfig]; }
};

TEST(PasswordStore, WithoutTheFileNothingIsSet) {
    Store f;
    for (K kind : {K::Start, K::Exit, K::Lock}) {
        EXPECT_FALSE(IsPasswordSet(f.app, kind));
        EXPECT_EQ(ReadPassword(f.app, kind), "");
    }
    EXPECT_TRUE(f.files.files.empty());  // reading creates nothing
}

TEST(PasswordStore, EachKindIsStoredScrambledInItsOwnSection) {
    Store f;
    WritePassword(f.app, K::Start, "Boot密码1");
    WritePassword(f.app, K::Exit, "exit11");
    WritePassword(f.app, K::Lock, "LOCK 2 ");  // stored as given, blanks included
    EXPECT_EQ(ReadPassword(f.app, K::Start), "Boot密码1");
    EXPECT_EQ(ReadPassword(f.app, K::Exit), "exit11");
    EXPECT_EQ(ReadPassword(f.app, K::Lock), "LOCK 2 ");

    // Exactly these section names, and values made only of alphabet characters.
    const std::string& file = f.File();
    for (const char* section : {"[Soft boot]", "[Soft Exit]", "[Soft lock]"})
        EXPECT_NE(file.find(section), std::string::npos) << file;
    EXPECT_EQ(file.find("Boot"), std::string::npos) << file;
    const std::size_t at = file.find("password=", file.find("[Soft Exit]")) + 9;
    const std::string value = file.substr(at, file.find_first_of("\r\n", at) - at);
    EXPECT_EQ(value.size(), 12u);
    EXPECT_EQ(value.find_first_not_of(kScrambleAlphabet), std::string::npos);
    EXPECT_EQ(UnscramblePassword(value), "exit11");
}

TEST(PasswordStore, WritingTheSamePasswordTwiceStoresDifferentValues) {
    Store f;
    WritePassword(f.app, K::Lock, "same-password");
    const std::string first = f.File();
    WritePassword(f.app, K::Lock, "same-password");
    EXPECT_NE(f.File(), first);
    EXPECT_EQ(ReadPassword(f.app, K::Lock), "same-password");
}

TEST(PasswordStore, ClearingLeavesTheKeyWithAnEmptyValue) {
    Store f;
    WritePassword(f.app, K::Exit, "exit11");
    WritePassword(f.app, K::Lock, "lock11");
    ClearPassword(f.app, K::Exit);
    EXPECT_FALSE(IsPasswordSet(f.app, K::Exit));
    EXPECT_TRUE(IsPasswordSet(f.app, K::Lock));
    const std::string& file = f.File();
    const std::size_t section = file.find("[Soft Exit]");
    ASSERT_NE(section, std::string::npos) << file;
    EXPECT_EQ(file.find("password=\r\n", section), file.find("password=", section)) << file;
}

TEST(PasswordStore, EditsFromOutsideCountAtTheNextCheck) {
    Store f;
    WritePassword(f.app, K::Start, "start1");
    struct Case {
        const char* what;
        std::string contents;
        std::string password;
    } cases[] = {
        {"another value", "[Soft boot]\r\npassword=9IbJ9K\r\n", "abc"},
        {"section and key in other case", "[SOFT BOOT]\r\nPASSWORD=9IbJ9K\r\n", "abc"},
        {"a value that unscrambles to nothing", "[Soft boot]\r\npassword=AA9IbJ\r\n", ""},
        {"a value outside the alphabet", "[Soft boot]\r\npassword=!!9I\r\n", ""},
        {"the key gone", "[Soft boot]\r\n", ""},
        {"the section of another kind", "[Soft Exit]\r\npassword=9IbJ9K\r\n", ""},
    };
    for (const Case& c : cases) {
        f.File() = c.contents;
        EXPECT_EQ(ReadPassword(f.app, K::Start), c.password) << c.what;
        EXPECT_EQ(IsPasswordSet(f.app, K::Start), !c.password.empty()) << c.what;
    }
    f.files.files.clear();
    EXPECT_FALSE(IsPasswordSet(f.app, K::Start));
}

}  // namespace
}  // namespace sut
