#include "core/PackageDocument.h"
#include "core/BuildTrait.h"
#include "tests/support/SampleInstallationTest.h"

#include "host/HostControl.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"
#include "platform/xml/XMLDocError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace tarnwick;

namespace {

const std::string kFixture = std::string(TARNWICK_FIXTURES) + "/PackageDocument.xml";

struct Person {
    std::string id, name, sex, age, job, role, memo, login;
};

// Edits the installation's base database beside the host's own connection.
class BaseDatabase {
public:
    explicit BaseDatabase(const std::string& path) {
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
    }
    ~BaseDatabase() { sqlite3_close(m_db); }
    BaseDatabase(const BaseDatabase&) = delete;
    BaseDatabase& operator=(const BaseDatabase&) = delete;

    void Run(const std::string& sql, const std::vector<std::string>& params = {}) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        for (std::size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_TRANSIENT);
        int rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
    }

private:
    sqlite3* m_db = nullptr;
};

class PackageDocumentTest : public SampleInstallationTest {
protected:
    PackageDocumentTest() : SampleInstallationTest("packagexml_test") {}
    void SetUp() override {
        SampleInstallationTest::SetUp();
        SetPackageClock([] { return rtl::EncodeDate(2026, 12, 10) + rtl::EncodeTime(14, 5, 9, 0); });
    }
    void TearDown() override {
        SetPackageClock({});
        SampleInstallationTest::TearDown();
    }

    // The sample project's members become exactly these; a person without a row answers no
    // information.
    void SetMembers(const std::vector<Person>& persons, const std::vector<std::string>& members) {
        BaseDatabase db(host::BaseDatabasePath());
        for (const Person& p : persons)
            db.Run("insert or replace into Vek_Person values (?,?,?,?,?,?,?,?)",
                   {p.id, p.name, p.sex, p.age, p.job, p.role, p.memo, p.login});
        db.Run("delete from Vek_PrjPerson where PrjID = ?", {host::SampleProjectId});
        for (const std::string& id : members)
            db.Run("insert into Vek_PrjPerson values (?,?)", {host::SampleProjectId, id});
    }

    void SetGoldenProject() {
        BaseDatabase db(host::BaseDatabasePath());
        const std::vector<std::pair<std::string, std::string>> fields = {
            {"PrjName", "资金审计 & <复核> \"甲\" '乙'"},
            {"PrjExecuteOrgan", "第一审计处"},
            {"SpecialClass", ""},
            {"PlanExecStartDate", "46023"},
            {"PlanExecEndDate", "46053.5"},
            {"PrjPersonsQuantity", "2"},
            {"AuditObject", "北岭市水务集团"},
            {"ReMark", "朱镕基 \U0001F600"},
            {"AuditedCorpID", "CORP-101"},
            {"LastAuditDate", "0"},
        };
        for (const auto& [column, value] : fields)
            db.Run("update Vek_Project set " + column + " = ? where PrjID = ?",
                   {value, host::SampleProjectId});
    }

    xml::TXMLNode PersonsOf(const xml::TXMLDocument& doc) { return FindProjectPersons(doc); }

    std::vector<std::string> PersonIds(const xml::TXMLDocument& doc) {
        std::vector<std::string> ids;
        for (const xml::TXMLNode& p : PackagePersons(FindProjectPersons(doc)))
            ids.push_back(PackageAttributeText(p, "PerUUID"));
        return ids;
    }

    // The writers' calling order with project information.
    void WriteWithProject(xml::TXMLDocument& doc, bool exportFlag = true) {
        xml::TXMLNode root = InitPackageXml(doc, "", "包", "");
        WriteProjectPersonsNode(WriteProjectInfoNode(root, host::SampleProjectId, exportFlag));
    }
};

TEST_F(PackageDocumentTest, FullDocumentMatchesTheFixtureByteForByte) {
    SetGoldenProject();
    SetMembers({{"300000000000000001", "陈静", "女", "29", "审计员", "组员", "负责\n资料", "chenjing"},
                {"300000000000000002", "周伟", "男", "41", "审计师", "组长", "", ""}},
               {"300000000000000001", "300000000000000009", "300000000000000002"});
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));

    xml::TXMLDocument doc;
    xml::TXMLNode root = InitPackageXml(doc, "", "2026年度审计包", "备注 & 说明");
    xml::TXMLNode prjInfo = WriteProjectInfoNode(root, host::SampleProjectId, true);
    WriteProjectPersonsNode(prjInfo);
    xml::TXMLNode items = root.AddChild(ExportItemInfoNode);
    AddPackageItem(items, "项目资料",
                   TPackageItemModule{"{6A1F0C2E-0002-4C57-9E10-000000000002}", "项目资料",
                                      "Modules\\ProjectMaterials.dll", "2"},
                   "ResFile\\");
    AddPackageItem(items, "审计事项",
                   TPackageItemModule{"{6A1F0C2E-0004-4C57-9E10-000000000004}", "审计事项",
                                      "Modules\\AuditMatters.dll", "4"},
                   "AuditMatters.db");
    AddPackageItem(items, "旧模块", std::nullopt, std::nullopt);
    doc.SaveToFile(m_folder + "/" + PackageDocumentName);

    std::string written = rtl::ReadFileBytes(m_folder + "/" + PackageDocumentName);
    std::string expected = rtl::ReadFileBytes(kFixture);
    // The builds' documents differ in the package version alone.
    if constexpr (BuildTrait::Reduced)
        expected = rtl::StringReplace(expected, "PackageVersion=\"3\"", "PackageVersion=\"2\"");
    EXPECT_EQ(written, expected);
}

TEST_F(PackageDocumentTest, FixtureReadsBackThroughTheReaders) {
    xml::TXMLDocument doc;
    std::filesystem::copy_file(kFixture, m_folder + "/Package.xml");
    LoadPackageDocument(doc, m_folder);

    xml::TXMLNode info = FindRootNode(doc, PackageInfoNode);
    EXPECT_EQ(PackageAttributeText(info, "PackageVersion"), "3");
    EXPECT_EQ(PackageAttributeText(info, "PackageMemo"), "备注 & 说明");
    xml::TXMLNode prjInfo = FindRootNode(doc, PrjInfoNode);
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjName"), "资金审计 & <复核> \"甲\" '乙'");
    EXPECT_EQ(PackageAttributeText(prjInfo, "ReMark"), "朱镕基 \U0001F600");
    EXPECT_EQ(PackageAttribute(prjInfo, "SpecialClass"), std::optional<std::string>(""));
    EXPECT_EQ(rtl::StrToFloat(PackageAttributeText(prjInfo, "PlanExecStartDate")),
              rtl::EncodeDate(2026, 1, 1));
    EXPECT_EQ(rtl::StrToFloat(PackageAttributeText(prjInfo, "PlanExecEndDate")),
              rtl::EncodeDate(2026, 1, 31) + rtl::EncodeTime(12, 0, 0, 0));

    std::vector<xml::TXMLNode> persons = PackagePersons(FindProjectPersons(doc));
    ASSERT_EQ(persons.size(), 2u);
    EXPECT_EQ(PackageAttributeText(persons[0], "PerMemo"), "负责\n资料");
    EXPECT_EQ(PackageAttribute(persons[1], "LoginName"), std::optional<std::string>(""));

    std::vector<xml::TXMLNode> items = PackageItems(doc);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].NodeName(), "项目资料");
    EXPECT_EQ(items[1].NodeName(), "审计事项");
    EXPECT_EQ(items[2].NodeName(), "旧模块");
    EXPECT_EQ(PackageAttribute(items[2], "ModGuid"), std::nullopt);
    EXPECT_EQ(PackageAttribute(items[2], "AppFileName"), std::nullopt);
    EXPECT_EQ(PackageAttributeText(items[2], "AppName"), "旧模块");

    // Lookups never create what they look for, although the document auto-creates nodes.
    EXPECT_TRUE(FindRootNode(doc, "Nothing").IsNull());
    EXPECT_TRUE(FindPackageNode(FindRootNode(doc, "Nothing"), PrjPerInfoNode).IsNull());
    EXPECT_EQ(doc.DocumentElement().ChildNodes().Count(), 3);
}

TEST_F(PackageDocumentTest, HeaderValues) {
    struct Case {
        std::string type, expectedType;
        rtl::TDateTime time;
        std::string expectedTime;
    };
    const Case cases[] = {
        {"", ReaderPackageType, rtl::EncodeDate(2026, 3, 4), "2026-03-04"},
        {ArchivePackageType, ArchivePackageType, rtl::EncodeDate(2026, 3, 4) + rtl::EncodeTime(0, 0, 1, 0),
         "2026-03-04 00:00:01"},
        {"OTHER", "OTHER", rtl::EncodeDate(2026, 3, 4) + rtl::EncodeTime(0, 0, 0, 500), "2026-03-04"},
    };
    host::SetCurrentUser(host::SampleMemberId);
    for (const Case& c : cases) {
        SetPackageClock([t = c.time] { return t; });
        xml::TXMLDocument doc;
        doc.SetOptions({xml::doNodeAutoIndent});
        xml::TXMLNode root = InitPackageXml(doc, c.type, "C", "M");
        EXPECT_EQ(doc.Version(), "1.0");
        EXPECT_EQ(doc.Encoding(), "GB2312");
        EXPECT_EQ(doc.Options(), (xml::TXMLDocOptions{xml::doNodeAutoCreate, xml::doAttrNull,
                                                      xml::doAutoPrefix, xml::doNamespaceDecl}));
        EXPECT_EQ(root.NodeName(), PackageRootNode);
        xml::TXMLNode info = root.ChildNodes()[0];
        EXPECT_EQ(info.NodeName(), PackageInfoNode);
        EXPECT_EQ(info.AttributeNames(),
                  (std::vector<std::string>{"PackageTypeName", "PackageType", "PackageUser", "PackageCaption",
                                            "PackageMemo", "PackageCreateTime", "PackageVersion",
                                            "PackageReaderVer"}));
        EXPECT_EQ(PackageAttributeText(info, "PackageTypeName"), c.expectedType);
        EXPECT_EQ(PackageAttributeText(info, "PackageUser"), host::SampleMemberId);
        EXPECT_EQ(PackageAttributeText(info, "PackageCreateTime"), c.expectedTime);
        EXPECT_EQ(PackageAttributeText(info, "PackageVersion"), BuildTrait::Reduced ? "2" : "3");
        EXPECT_EQ(PackageAttributeText(info, "PackageReaderVer"), "2");
    }
}

TEST_F(PackageDocumentTest, ProjectInformationOfAnUnknownProjectIsWrittenEmpty) {
    xml::TXMLDocument doc;
    xml::TXMLNode prjInfo = WriteProjectInfoNode(InitPackageXml(doc, "", "", ""), "XM-none", false);
    std::vector<std::string> names = prjInfo.AttributeNames();
    ASSERT_EQ(names.size(), 34u);
    EXPECT_EQ(names.front(), "PrjID");
    EXPECT_EQ(names[11], "PlanExecStartDate");
    EXPECT_EQ(names.back(), "PrjInfoExport");
    EXPECT_EQ(PackageAttribute(prjInfo, "PrjName"), std::optional<std::string>(""));
    for (const char* date : {"PlanExecStartDate", "PlanExecEndDate", "LastAuditDate"})
        EXPECT_EQ(PackageAttributeText(prjInfo, date), "0") << date;
    EXPECT_EQ(PackageAttributeText(prjInfo, "ValidWorkDays"), "0");
    EXPECT_EQ(PackageAttributeText(prjInfo, "PrjInfoExport"), "False");
}

TEST_F(PackageDocumentTest, HostErrorsReachTheWriter) {
    xml::TXMLDocument doc;
    xml::TXMLNode root = InitPackageXml(doc, "", "", "");
    host::InjectRaise("VekLoadPrj", "project store unavailable");
    EXPECT_THROW(WriteProjectInfoNode(root, host::SampleProjectId, true), rtl::Exception);
    host::ClearInjections();
    xml::TXMLNode items = root.AddChild(ExportItemInfoNode);
    EXPECT_THROW(AddPackageItem(items, "1 bad name", std::nullopt, "x"), xml::EXMLDocError);
}

TEST_F(PackageDocumentTest, PersonCases) {
    const Person complete{"300000000000000001", "陈静", "女", "29", "审计员", "组员", "", "chenjing"};
    const Person noLogin{"300000000000000002", "周伟", "男", "41", "审计师", "组长", "", ""};
    const Person last{"300000000000000003", "吴芳", "女", "35", "审计员", "组员", "", "wufang"};
    SetMembers({complete, noLogin, last}, {complete.id, noLogin.id, "300000000000000009", last.id});

    {
        // No open project: the host names no person list.
        xml::TXMLDocument doc;
        WriteWithProject(doc);
        ASSERT_FALSE(PersonsOf(doc).IsNull());
        EXPECT_FALSE(PersonsOf(doc).HasChildNodes());
    }
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    {
        host::InjectTextAnswer("GetUserListByPrj", m_folder + "/~Vek~Temp/missing.xml");
        xml::TXMLDocument doc;
        WriteWithProject(doc);
        ASSERT_FALSE(PersonsOf(doc).IsNull());
        EXPECT_FALSE(PersonsOf(doc).HasChildNodes());
        host::ClearInjections();
    }
    {
        // An empty LoginName keeps its person; the one without information is the only one left out.
        xml::TXMLDocument doc;
        WriteWithProject(doc);
        EXPECT_EQ(PersonIds(doc), (std::vector<std::string>{complete.id, noLogin.id, last.id}));
        xml::TXMLNode second = PackagePersons(PersonsOf(doc))[1];
        EXPECT_EQ(second.AttributeNames(),
                  (std::vector<std::string>{"PerUUID", "PerName", "PerSex", "PerAge", "PerJob", "PerRole",
                                            "PerMemo", "LoginName"}));
        EXPECT_EQ(PackageAttribute(second, "LoginName"), std::optional<std::string>(""));
        EXPECT_EQ(PackageAttributeText(second, "PerRole"), "组长");
    }
    {
        // The archive package writes the persons under the root and under PrjInfo.
        xml::TXMLDocument doc;
        xml::TXMLNode root = InitPackageXml(doc, ArchivePackageType, "", "");
        xml::TXMLNode prjInfo = WriteProjectInfoNode(root, host::SampleProjectId, false);
        WriteProjectPersonsNode(root);
        WriteProjectPersonsNode(prjInfo);
        EXPECT_EQ(root.ChildNodes()[2].NodeName(), PrjPerInfoNode);
        EXPECT_EQ(PackagePersons(root.ChildNodes()[2]).size(), 3u);
        EXPECT_EQ(PersonIds(doc).size(), 3u);
    }
}

TEST_F(PackageDocumentTest, PersonFieldsSplitExactlyOnTheSeparator) {
    SetMembers({}, {"300000000000000001"});
    ASSERT_TRUE(host::OpenProject(host::SampleProjectId));
    struct Case {
        std::string info;
        std::vector<std::string> fields; // empty: the person is left out
    };
    const std::vector<Case> cases = {
        {"甲@&@男@&@40@&@审计师@&@组长@&@@&@", {"甲", "男", "40", "审计师", "组长", "", ""}},
        {"甲\r\n乙@&@男@&@40@&@审计师@&@组长@&@一\n二@&@jia",
         {"甲\r\n乙", "男", "40", "审计师", "组长", "一\n二", "jia"}},
        {"@&@@&@@&@@&@@&@@&@", {"", "", "", "", "", "", ""}},
        {"1@&@2@&@3@&@4@&@5@&@6@&@7@&@8", {"1", "2", "3", "4", "5", "6", "7"}},
        {"1@&@2@&@3@&@4@&@5@&@6", {}},
        {"1\n2\n3\n4\n5\n6\n7", {}},
        {"", {}},
    };
    const char* names[] = {"PerName", "PerSex", "PerAge", "PerJob", "PerRole", "PerMemo", "LoginName"};
    for (const Case& c : cases) {
        host::InjectTextAnswer("GetUserInfo", c.info);
        xml::TXMLDocument doc;
        WriteWithProject(doc);
        std::vector<xml::TXMLNode> persons = PackagePersons(PersonsOf(doc));
        ASSERT_EQ(persons.size(), c.fields.empty() ? 0u : 1u) << c.info;
        for (std::size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(PackageAttribute(persons[0], names[i]), std::optional<std::string>(c.fields[i]))
                << c.info;
    }
}

TEST_F(PackageDocumentTest, LoadPackageDocumentErrors) {
    xml::TXMLDocument doc;
    EXPECT_THROW(LoadPackageDocument(doc, m_folder), rtl::EInOutError);
    rtl::WriteFileBytes(m_folder + "/Package.XML", "<VekPackage><PackageInfo></VekPackage>");
    EXPECT_THROW(LoadPackageDocument(doc, m_folder), xml::EXMLDocError);
}

} // namespace
