// RunAppEvn mode 1: the export run in resource mode, on a wizard that is never shown.

#include "tests/core/packages/PackagesFixture.h"

#include "core/PackageDocument.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/Paths.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using ResourceExportTest = PackagesTest;

constexpr std::int32_t ResourceExportMode = 1;
const std::string RunLog = "AllInfoImportPck: ";

TEST_F(ResourceExportTest, TheProjectMaterialsAreExportedAndTheAnswerIsStillMinusOne) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    framework::TUserScript& script = framework::ScriptedUser().ScriptFor("TFrmEdtPckFile");
    script.Type("EdtName", "项目资料包");
    script.Click("btnok");
    framework::ScriptedUser().AnswerBox(framework::IDOK, "数据打包成功！");

    EXPECT_EQ(AppEvn(ResourceExportMode, 1), -1);

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"数据打包成功！"});
    EXPECT_EQ(NewLogEntries(), (std::vector<std::string>{RunLog + "初始化解析文件成功！", RunLog + "数据打包成功！"}));
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    const std::string unpacked = Unpack(host::PackagesTaken()[0].StoredAs);
    xml::TXMLDocument doc;
    LoadDocument(unpacked, doc);
    EXPECT_EQ(PackageAttributeText(FindRootNode(doc, PackageInfoNode), "PackageCaption"), "项目资料包");
    EXPECT_EQ(PackageAttributeText(FindRootNode(doc, PrjInfoNode), "PrjInfoExport"), "False");
    const std::vector<xml::TXMLNode> items = PackageItems(doc);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].NodeName(), "项目资料");
    EXPECT_EQ(PackageAttributeText(items[0], "AppFileName"), "ResFile\\");
    EXPECT_TRUE(fs::exists(unpacked + "/ResFile/审计通知书.txt"));
    EXPECT_FALSE(fs::exists(WorkFolder()));
    EXPECT_EQ(host::LastPluginError(), "");
}

TEST_F(ResourceExportTest, WithoutAProjectTheChosenFileSaysThereAreNoMaterials) {
    const std::string file = m_folder + "/资料.Package";
    framework::ScriptedUser().AnswerFile(file);
    framework::ScriptedUser().AnswerBox(framework::IDOK, "没有要导出的资料！");

    EXPECT_EQ(AppEvn(ResourceExportMode, 1), -1);

    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"", "没有要导出的资料！"})); // the save dialog, the box
    const std::vector<std::string> log = NewLogEntries();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), RunLog + "初始化解析文件成功！");
    EXPECT_NE(std::find(log.begin(), log.end(), RunLog + "没有要导出的资料！"), log.end());
    EXPECT_TRUE(host::PackagesTaken().empty());
    xml::TXMLDocument doc;
    LoadDocument(Unpack(file), doc);
    EXPECT_TRUE(PackageItems(doc).empty());
}

} // namespace
