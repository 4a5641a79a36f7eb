#include "platform/rtl/ProgramFolder.h"

#include <gtest/gtest.h>

TEST(ProgramFolder, ComesFromTheExecutableUnlessOverridden) {
    const std::string own = rtl::ProgramFolder();
    EXPECT_EQ(own.back(), '/');
    EXPECT_NE(own.find("/bin/"), std::string::npos) << own;
    rtl::SetProgramFolder("/opt/velmora");
    EXPECT_EQ(rtl::ProgramFolder(), "/opt/velmora/");
    rtl::SetProgramFolder("");
    EXPECT_EQ(rtl::ProgramFolder(), own);
}
