#include "core/Messages.h"
#include "core/AccountBook.h"
#include "core/BuildTrait.h"
#include "core/LogEntry.h"
#include "core/PackageManager.h"
#include "core/ProjectOptionLog.h"
#include "tests/core/modules/InstallationFixture.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

#include <regex>

using namespace tarnwick;

namespace {

using MessagesTest = InstallationTest;

TEST_F(MessagesTest, InformationBoxesShowTrimmedTextAndNothingForBlanks) {
    const std::pair<std::string, std::string> shown[] = {
        {"  数据打包成功！  ", "数据打包成功！"},
        {"\r\n审计分析导出失败！\r\n", "审计分析导出失败！"},
        {"a  b", "a  b"},
    };
    for (const auto& [text, expected] : shown) {
        framework::ScriptedUser().AnswerBox(framework::IDOK);
        ShowInfo(text);
    }
    ShowInfo("");
    ShowInfo("   \t\r\n ");
    ShowWrongPackageKind("审计分析", "");
    ShowWrongPackageKind("", "");
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    ShowWrongPackageKind("审计分析", "SQL语句");
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    ShowBox(" Load API Error: Load VekPackage Error ", InformationBoxFlags);

    ASSERT_EQ(Boxes().size(), 5u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(Boxes()[i].text, shown[i].second);
    EXPECT_EQ(Boxes()[3].text, "要导入的包是SQL语句导出的包，请使用审计分析的SQL语句导入功能导入！");
    EXPECT_EQ(Boxes()[4].text, " Load API Error: Load VekPackage Error ");
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.kind, framework::TDialogKind::MessageBox);
        EXPECT_EQ(box.title, "Velmora");
        EXPECT_EQ(box.flags, 64);
    }
}

TEST_F(MessagesTest, BoxesWithoutAnApplicationHaveNoTitle) {
    framework::TApplication* application = framework::Application();
    framework::SetApplication(nullptr);
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    ShowInfo(" 数据打包成功！ ");
    framework::ScriptedUser().AnswerBox(framework::IDYES);
    const int answer = ShowBox("该文件已经存在,确实要覆盖吗？", OverwritePackageFlags);
    framework::SetApplication(application);

    EXPECT_EQ(answer, framework::IDYES);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "数据打包成功！");
    EXPECT_EQ(Boxes()[0].title, "");
    EXPECT_EQ(Boxes()[0].flags, InformationBoxFlags);
    EXPECT_EQ(Boxes()[1].title, "");
    EXPECT_EQ(Boxes()[1].flags, OverwritePackageFlags);
}

TEST_F(MessagesTest, LogEntriesNameTheUserNowAndTheProgram) {
    host::SetCurrentUser(host::SampleMemberId);
    WriteLogEntry("数据打包成功！", LogModuleCode::ExportRun);
    host::SetCurrentUser(AdministratorUserId);
    WriteLogEntry("初始化解析文件成功！", LogModuleCode::ImportRun);
    const auto rows = host::LogRows();
    // The reduced build writes no entry but the account-book lookup's.
    if constexpr (BuildTrait::Reduced) {
        EXPECT_TRUE(rows.empty());
        return;
    }
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Message, "数据打包成功！");
    EXPECT_EQ(rows[0].Level, 1);
    EXPECT_EQ(rows[0].User, host::SampleMemberId);
    EXPECT_EQ(rows[0].ModuleCode, "AllInfoImportPck");
    EXPECT_EQ(rows[0].Program, "Tarnwick");
    EXPECT_EQ(rows[0].Kind, 4);
    EXPECT_EQ(rows[1].User, AdministratorUserId);
    EXPECT_EQ(rows[1].ModuleCode, "解包进行中...");
}

TEST_F(MessagesTest, AccountBookLookup) {
    std::string id = "stale";
    host::SetSelectedAccountBook("ZT2026");
    GetSelectedAccountBookId(id);
    EXPECT_EQ(id, "ZT2026");

    host::InjectAbsent("GetSelAccBookID");
    GetSelectedAccountBookId(id);
    EXPECT_EQ(id, "");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(host::LogRows().empty());
}

TEST_F(MessagesTest, AFailedAccountBookLookupLogsTheProjectSerialAtLevelTwo) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    host::InjectRaise("GetSelAccBookID", "no audit analysis");
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    std::string id = "stale";
    GetSelectedAccountBookId(id);
    EXPECT_EQ(id, "");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "装载 GetSelAccBookID 失败！");
    EXPECT_EQ(Boxes()[0].flags, 64);
    const auto rows = host::LogRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Message, "获取电子数据编码失败！");
    EXPECT_EQ(rows[0].Level, 2);
    EXPECT_EQ(rows[0].User, host::SampleProjectId);
    EXPECT_EQ(rows[0].ModuleCode, "GetSelAccBookID");
    EXPECT_EQ(rows[0].Program, "TARNWICK");
    EXPECT_EQ(rows[0].Kind, 4);

    // A failing lookup itself is treated the same way, and nothing escapes even an unanswered box.
    host::ClearInjections();
    host::InjectRaise("VekGetAppInterface", "lookup broken");
    GetSelectedAccountBookId(id);
    EXPECT_EQ(id, "");
    EXPECT_EQ(host::LogRows().size(), 2u);
}

TEST_F(MessagesTest, PackageHandOver) {
    const std::string file = m_folder + "/Out/项目.Package";
    rtl::ForceDirectories(m_folder + "/Out");
    rtl::WriteFileBytes(file, "PK");
    EXPECT_EQ(HandToPackageManager(file), 1);
    EXPECT_EQ(HandToPackageManagerEx(file, "归档包", "2026 归档"), 1);
    const auto taken = host::PackagesTaken();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].Source, file);
    EXPECT_FALSE(taken[0].Extended);
    EXPECT_EQ(taken[1].TypeName, "归档包");
    EXPECT_EQ(taken[1].Memo, "2026 归档");
    EXPECT_TRUE(Boxes().empty());

    host::InjectRaise("ReferenceDataPackage", "store full");
    host::InjectRaise("ReferenceDataPackageEx", "store full");
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    EXPECT_EQ(HandToPackageManager(file), -1);
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    EXPECT_EQ(HandToPackageManagerEx(file, "归档包", "c"), 0);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].kind, framework::TDialogKind::Message);
    EXPECT_EQ(Boxes()[0].text, "XMGLReferenceDataPak Error!");
    EXPECT_EQ(Boxes()[0].title, "Velmora");
    EXPECT_EQ(Boxes()[1].kind, framework::TDialogKind::MessageBox);
    EXPECT_EQ(Boxes()[1].text, "Load API Error: Load VekProjectManage Error");
    EXPECT_EQ(Boxes()[1].flags, 64);

    host::ClearInjections();
    host::InjectAbsent("ReferenceDataPackage");
    host::InjectAbsent("ReferenceDataPackageEx");
    EXPECT_EQ(HandToPackageManager(file), -1);
    EXPECT_EQ(HandToPackageManagerEx(file, "t", "c"), 0);

    host::ClearInjections();
    host::InjectRaise("VekGetAppInterface", "lookup broken");
    EXPECT_THROW(HandToPackageManager(file), rtl::Exception);
    framework::ScriptedUser().AnswerBox(framework::IDOK);
    EXPECT_EQ(HandToPackageManagerEx(file, "t", "c"), 0);
    EXPECT_EQ(Boxes().size(), 3u);
}

TEST_F(MessagesTest, OperationRecordsKeepQuotesUnchanged) {
    EXPECT_EQ(
        ProjectOptionStatement("u'1", "导入项目", "XM'1:项目'资料", "2008-01-05 14:03:09"),
        "Insert into Vek_PrjOption(UserID,Optype,OpMemo,OpTime) values('u''1','导入项目','XM''1:项目''资料',"
        "'2008-01-05 14:03:09')");

    const std::string user = "O'Brien";
    const std::string memo = std::string(host::SampleProjectId) + ":审计's \"资料\"";
    if constexpr (BuildTrait::Reduced) {
        EXPECT_FALSE(WriteProjectOptionLog(user, OptypeItemImport, memo));
        EXPECT_TRUE(host::PrjOptionRows().empty());
        return;
    }
    EXPECT_TRUE(WriteProjectOptionLog(user, OptypeItemImport, memo));
    EXPECT_TRUE(WriteProjectOptionLog(AdministratorUserId, OptypeProjectImport, host::SampleProjectId));
    const auto rows = host::PrjOptionRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].UserID, user);
    EXPECT_EQ(rows[0].Optype, "项目信息导入");
    EXPECT_EQ(rows[0].OpMemo, memo);
    EXPECT_TRUE(std::regex_match(rows[0].OpTime, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << rows[0].OpTime;
    EXPECT_EQ(rows[1].Optype, "导入项目");
    EXPECT_EQ(rows[1].OpMemo, host::SampleProjectId);

    host::InjectRaise("GetBaseDBConnection", "no database");
    EXPECT_FALSE(WriteProjectOptionLog(user, OptypeItemImport, memo));
    EXPECT_EQ(host::PrjOptionRows().size(), 2u);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(host::LogRows().empty());
}

} // namespace
