#include "core/import/DetectPackageVersion.h"

#include "core/HostApi.h"
#include "tests/core/import/ImportFixture.h"

#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Gbk.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

using DetectPackageVersionTest = ImportTest;

constexpr char DataPacket[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"SQLText\" fieldtype=\"string\" WIDTH=\"200\"/></FIELDS><PARAMS/></METADATA>"
    "<ROWDATA><ROW SQLText=\"select 1\"/></ROWDATA></DATAPACKET>";
constexpr char NotAPackageText[] = "数据包格式不正确或非项目数据包，请检查后导入！";

std::string Document(const std::string& packageInfo) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><VekPackage>" + packageInfo + "</VekPackage>";
}

TEST_F(DetectPackageVersionTest, VersionsAndForeignPackages) {
    const std::string gbkBody = "<VekPackage><PackageInfo PackageVersion=\"2\" PackageCaption=\"" +
                                rtl::Utf8ToGbk("审计项目") + "\"/></VekPackage>";
    using Files = std::vector<std::pair<std::string, std::string>>;
    struct Row {
        const char* name;
        Files files;
        int style;
        int version;
        std::vector<std::string> boxes;
    };
    // clang-format off
    const Row rows[] = {
        {"version 3", {{"Package.XML", Document("<PackageInfo PackageVersion=\"3\"/>")}}, 0,
         BuildTrait::Reduced ? 0 : 3, {}},
        {"version 2 in GBK", {{"Package.XML", "<?xml version=\"1.0\" encoding=\"GB2312\"?>" + gbkBody}}, 0, 2, {}},
        {"version 1 under the other spelling", {{"Package.xml", Document("<PackageInfo PackageVersion=\"1\"/>")}},
         0, 1, {}},
        {"version 4", {{"Package.XML", Document("<PackageInfo PackageVersion=\"4\"/>")}}, 0, 0, {}},
        {"no version", {{"Package.XML", Document("<PackageInfo PackageType=\"1\"/>")}}, 0, 0, {}},
        {"no PackageInfo", {{"Package.XML", Document("")}}, 0, 0, {}},
        {"GBK without a declared encoding", {{"Package.XML", "<?xml version=\"1.0\"?>" + gbkBody}}, 0, -1,
         {"打开文件失败！"}},
        {"a document type", {{"Package.XML", "<!DOCTYPE VekPackage [<!ENTITY e \"3\">]><VekPackage/>"}}, 0, -1,
         {"打开文件失败！"}},
        {"persons", {{"perinfo.per", "p"}, {"PrjInfo.dat", "p"}}, 0, 0,
         {"要导入的包是系统人员导出的包，请使用系统人员管理的系统人员导入功能导入！"}},
        {"project information of old", {{"PrjInfo.dat", "p"}, {"XMGL_Package_GDB.pck", "p"}}, 0, 0,
         {"数据包不属于Velmora项目信息包，不能正常导入！"}},
        {"an archive of project management", {{"XMGL_Package_GDB.pck", "p"}}, 0, 0,
         {"要导入的包是归档包导出的包，请使用项目管理的归档包导入功能导入！"}},
        {"audit methods", {{"SJFF.Dat", DataPacket}}, 0, 0,
         {"要导入的包是审计方法导出的包，请使用审计分析的审计方法导入功能导入！"}},
        {"audit methods without data", {{"SJFF.Dat", ""}}, 0, 0, {}},
        {"none of these", {{"readme.txt", "p"}}, 0, -1, {NotAPackageText}},
        {"persons in working style 1", {{"perinfo.per", "p"}}, 1, 0, {}},
        {"none of these in working style 1", {{"readme.txt", "p"}}, 1, 0, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StartOver(AdministratorUserId);
        host::SetWorkingStyle(static_cast<std::uint8_t>(row.style));
        const std::string package = MakePackageOfFiles("detect", row.files);
        fs::remove_all(m_folder + "/~Vek~Temp/CommonReader");
        ExpectBoxes(row.boxes);
        EXPECT_EQ(DetectPackageVersion(package, WorkFolder()), row.version);
        EXPECT_EQ(BoxTexts(), row.boxes);
        // What the detection says ends the import, so it is logged too.
        std::vector<std::string> log;
        for (const std::string& box : row.boxes)
            log.push_back("IniXMLInfo: " + box);
        EXPECT_EQ(NewLogEntries(), Logged(log));
        EXPECT_TRUE(fs::exists(m_folder + "/~Vek~Temp/CommonReader/" + row.files.front().first));
    }
}

TEST_F(DetectPackageVersionTest, ClientDatasetFiles) {
    // A statement file of audit analysis, told by its extension in any case; it is not extracted.
    ExpectBoxes({"要导入的包是SQL语句导出的包，请使用审计分析的SQL语句导入功能导入！"});
    EXPECT_EQ(DetectPackageVersion(MakeFile("查询.SQL", DataPacket), WorkFolder()), 0);
    EXPECT_FALSE(fs::exists(m_folder + "/~Vek~Temp/CommonReader"));

    // Without data it is tried as a package.
    ExpectBoxes({NotAPackageText});
    EXPECT_EQ(DetectPackageVersion(MakeFile("empty.sql", ""), WorkFolder()), -1);

    // A file that is no dataset is an error of the caller's.
    EXPECT_THROW(DetectPackageVersion(MakeFile("text.sql", "select 1"), WorkFolder()), ado::EDatabaseError);
    const std::string methods = MakePackageOfFiles("methods", {{"SJFF.Dat", "no packet"}});
    EXPECT_THROW(DetectPackageVersion(methods, WorkFolder()), ado::EDatabaseError);
    EXPECT_EQ(BoxTexts().size(), 2u);
}

} // namespace
