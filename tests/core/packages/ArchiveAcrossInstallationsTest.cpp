// An archive package travels: built in one installation, previewed and refused for import in another.

#include "tests/core/packages/PackagesFixture.h"

#include "core/HostApi.h"
#include "core/PackageDocument.h"
#include "core/import/ImportForms.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/rtl/FileSystem.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

class ArchiveAcrossInstallationsTest : public PackagesTest {
protected:
    void SetUp() override {
        PackagesTest::SetUp();
        m_savedForms = ImportForms();
        ImportForms().ShowWizard = [this](const std::string& folder, const std::string&, bool preview) {
            // What the wizard would show: the package's own document, read while it is there.
            xml::TXMLDocument doc;
            LoadPackageDocument(doc, folder);
            m_shown.push_back({preview, PackageAttributeText(FindRootNode(doc, PackageInfoNode), "PackageCaption"),
                               PackageItems(doc).size()});
        };
        m_other = m_folder + "-B";
        fs::remove_all(m_other);
    }
    void TearDown() override {
        ImportForms() = m_savedForms;
        PackagesTest::TearDown();
        fs::remove_all(m_other);
    }

    struct Shown {
        bool preview;
        std::string caption;
        std::size_t items;
    };
    std::vector<Shown> m_shown;
    std::string m_other;

private:
    TImportForms m_savedForms;
};

TEST_F(ArchiveAcrossInstallationsTest, BuiltInOnePreviewedButNotImportedInAnother) {
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    ASSERT_EQ(ArchivePackage(Tree({"项目"}), "年度归档", ""), 1);
    const std::string travelling = m_folder + "-archive.PACKAGE";
    rtl::WriteFileBytes(travelling, rtl::ReadFileBytes(host::PackagesTaken().at(0).StoredAs));

    // The other installation knows the project; one of its members works in it.
    host::CreateSampleInstallation(m_other);
    framework::Application()->SetExeName(m_other + "/Velmora");
    host::SetApplication(framework::Application());
    host::SetCurrentUser(host::SampleMemberId);
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));

    EXPECT_EQ(PortInfo("1", -1, travelling), 1);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_TRUE(m_shown[0].preview);
    EXPECT_EQ(m_shown[0].caption, "年度归档");
    EXPECT_EQ(m_shown[0].items, 1u);
    EXPECT_TRUE(BoxTexts().empty());

    framework::ScriptedUser().AnswerBox(framework::IDOK, "归档包不能导入！");
    EXPECT_EQ(PortInfo("", -1, travelling), -1);
    EXPECT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"归档包不能导入！"});
    const std::vector<host::LogRow> log = host::LogRows();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Message, "归档包不能导入！");
    EXPECT_EQ(log.back().ModuleCode, "ImportXMLInfo");
    fs::remove(travelling);
}

} // namespace
