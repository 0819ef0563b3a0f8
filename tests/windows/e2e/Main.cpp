// The end-to-end suite's entry: argv[1] is the program under test.
#include <gtest/gtest.h>

#include "Driver.h"
#include "support/CodePage.h"

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new sut::support::ChineseCodePage);
    if (argc > 1) sut::e2e::SetProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
