// One column of a module's Vek_PackMod row, found by the module's caption.

#include "core/ReadPackModField.h"
#include "tests/support/SampleInstallationTest.h"

using tarnwick::ReadPackModField;

class ReadPackModFieldTest : public SampleInstallationTest {
protected:
    ReadPackModFieldTest() : SampleInstallationTest("core_read_packmod_test") {}
};

TEST_F(ReadPackModFieldTest, FindsTheTrimmedCaptionsRowOrLeavesTheValueEmpty) {
    struct Case {
        std::string caption;
        std::string column;
        std::string value;
    };
    for (const Case& c : std::vector<Case>{{"系统人员", "ModDllFile", "Modules\\Personnel.dll"},
                                           {"  项目资料 ", "EntryID", "2"},
                                           {"没有的模块", "ModDllFile", ""},
                                           {"审计' or '1'='1", "ModDllFile", ""}}) {
        SCOPED_TRACE(c.caption);
        std::string value = "left over";
        ReadPackModField(c.caption, c.column, value);
        EXPECT_EQ(value, c.value);
    }
    std::string value;
    EXPECT_ANY_THROW(ReadPackModField("系统人员", "NoSuchColumn", value));
}
