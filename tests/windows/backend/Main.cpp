// The backend suite's entry.
#include <gtest/gtest.h>

#include "support/CodePage.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new sut::support::ChineseCodePage);
    return RUN_ALL_TESTS();
}
