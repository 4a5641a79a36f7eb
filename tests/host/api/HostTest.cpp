#include "host/AppInterface.h"
#include "host/HostControl.h"
#include "tests/support/SampleInstallationTest.h"
#include "tests/platform/rtl/EndedProcess.h"
#include "tests/support/SmallFileSystem.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/ProgramFolder.h"
#include "platform/xml/XMLDocument.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

using sharemem::CountedText;

namespace {

const std::string kFixtures = std::string(TARNWICK_FIXTURES) + "/host/";

class HostTest : public SampleInstallationTest {
protected:
    HostTest() : SampleInstallationTest("host_test") {}
};

TEST_F(HostTest, SampleInstallationIsAProgramFolder) {
    EXPECT_EQ(rtl::ProgramFolder(), m_folder + "/");
    for (const char* path :
         {"base.db", "~Vek~Temp", "PackageStore", "Temp/XMGL", "Projects/XM2026001/Project.db"})
        EXPECT_EQ(rtl::FileGetAttr(m_folder + "/" + path) != -1, true) << path;
    EXPECT_THROW(host::CreateSampleInstallation(m_folder), rtl::Exception);
    EXPECT_EQ(host::CurrentUser(), tarnwick::AdministratorUserId);
    EXPECT_EQ(std::string(tarnwick::AdministratorUserId).size(), 18u);
}

TEST_F(HostTest, UserAndProjectSession) {
    CountedText id;
    VekGetCurUUID(id.Var());
    EXPECT_EQ(id.Str(), tarnwick::AdministratorUserId);
    host::SetCurrentUser(host::SampleMemberId);
    GetCurUUID(id.Var());
    EXPECT_EQ(id.Str(), host::SampleMemberId);
    EXPECT_THROW(host::SetCurrentUser("nobody"), rtl::Exception);

    CountedText serial("stale");
    VekGetCurPrjSerial(serial.Var());
    EXPECT_TRUE(serial.Empty());
    EXPECT_TRUE(VekProjectExist(CountedText(host::SampleProjectId).Get()));
    EXPECT_FALSE(VekProjectExist(CountedText("XM-none").Get()));
    EXPECT_EQ(VekOpenProject(CountedText("XM-none").Get(), 1), 0);
    EXPECT_EQ(VekOpenProject(CountedText(host::SampleProjectId).Get(), 1), 1);
    GetCurPrjSerial(serial.Var());
    EXPECT_EQ(serial.Str(), host::SampleProjectId);
    EXPECT_EQ(host::ProjectsOpened(), (std::vector<std::string>{"XM-none", host::SampleProjectId}));

    host::SetWorkingStyle(1);
    EXPECT_EQ(VekGetWorkingStyle(), 1);
}

TEST_F(HostTest, LoadPrjFillsTheRecord) {
    tarnwick::TVekPrjInfo rec;
    VekLoadPrj(&rec, CountedText(host::SampleProjectId).Get());
    EXPECT_EQ(rec.PrjID.Str(), host::SampleProjectId);
    EXPECT_EQ(rec.PrjName.Str(), "2026年度财务收支审计");
    EXPECT_EQ(rec.PlanExecStartDate, 46023);
    EXPECT_EQ(rec.PlanExecEndDate, 46053.5);
    EXPECT_EQ(rec.ValidWorkDays, 22);
    EXPECT_EQ(rec.PrjPersonsQuantity, 3);
    EXPECT_EQ(rec.IsLeaderGive, 1);
    EXPECT_EQ(rec.IsGranted, 0);
    EXPECT_EQ(rec.STATTARGEID.Str(), "ST01");
    EXPECT_EQ(rec.ReMark.Str(), "");
    EXPECT_EQ(rec.HostAuditedCorpName.Str(), rec.AuditedCorpName.Str());

    tarnwick::TVekPrjInfo untouched;
    VekLoadPrj(&untouched, CountedText("XM-none").Get());
    EXPECT_TRUE(untouched.PrjID.Empty());
    EXPECT_THROW(VekLoadPrj(nullptr, nullptr), rtl::Exception);
}

TEST_F(HostTest, PersonsOfTheOpenProject) {
    CountedText file("old");
    GetUserListByPrj(file.Var());
    EXPECT_TRUE(file.Empty()) << "no project open";

    host::OpenProject(host::SampleProjectId);
    GetUserListByPrj(file.Var());
    ASSERT_TRUE(rtl::FileExists(file.Str()));
    xml::TXMLDocument doc;
    doc.LoadFromFile(file.Str());
    xml::TXMLNode data = doc.DocumentElement().ChildNodes().FindNode("data");
    ASSERT_FALSE(data.IsNull());
    ASSERT_EQ(data.ChildNodes().Count(), 3);
    EXPECT_EQ(data.ChildNodes()[0].Attributes("PerUUID").value_or(""), host::SampleMemberId);
    EXPECT_FALSE(doc.DocumentElement().ChildNodes().FindNode("Schema").IsNull());

    CountedText info;
    GetUserInfo(info.Var(), host::SampleMemberId);
    EXPECT_EQ(info.Str(), "张明@&@男@&@38@&@审计师@&@组长@&@@&@zhangming");
    GetUserInfo(info.Var(), "unknown");
    EXPECT_TRUE(info.Empty());
}

TEST_F(HostTest, ProgressAccounting) {
    EXPECT_TRUE(host::EveryProcessEnded());
    BeginProcess(nullptr, 0, "正在准备数据．．．");
    ChangeTransInfo("第二步");
    HideProcess();
    EXPECT_FALSE(host::EveryProcessEnded());
    EndProcess();
    EXPECT_TRUE(host::EveryProcessEnded());
    auto calls = host::ProcessCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Kind, host::ProcessCallKind::Begin);
    EXPECT_EQ(calls[0].Text, "正在准备数据．．．");
    EXPECT_EQ(calls[1].Text, "第二步");
    EXPECT_EQ(calls[3].Kind, host::ProcessCallKind::End);

    EndProcess();
    EXPECT_FALSE(host::EveryProcessEnded()) << "an end without a begin";
    EXPECT_FALSE(host::ProcessCalls().back().Matched);
}

TEST_F(HostTest, LogRows) {
    VekLogWrite("获取电子数据编码失败！", 2, host::SampleProjectId, "GetSelAccBookID", "TARNWICK", 4);
    VekLogWrite("it's logged", 1, host::SampleMemberId, "ImportXMLInfo", "Tarnwick", 4);
    auto rows = host::LogRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Message, "获取电子数据编码失败！");
    EXPECT_EQ(rows[0].Level, 2);
    EXPECT_EQ(rows[0].User, host::SampleProjectId);
    EXPECT_EQ(rows[0].Program, "TARNWICK");
    EXPECT_EQ(rows[0].Kind, 4);
    EXPECT_EQ(rows[1].Message, "it's logged");
    EXPECT_EQ(rows[1].Time.size(), 19u);
}

TEST_F(HostTest, AppInterfaceLookup) {
    EXPECT_EQ(VekGetAppInterface("XMGL", "ReferenceDataPackage", 1),
              reinterpret_cast<void*>(&ReferenceDataPackage));
    EXPECT_EQ(VekGetAppInterface("XMGL", "ReferenceDataPackageEx", 1),
              reinterpret_cast<void*>(&ReferenceDataPackageEx));
    EXPECT_EQ(VekGetAppInterface("XMGL", "VekCreatePrj", 1), reinterpret_cast<void*>(&VekCreatePrj));
    EXPECT_EQ(VekGetAppInterface("SJFX", "GetSelAccBookID", 1), reinterpret_cast<void*>(&GetSelAccBookID));
    EXPECT_EQ(VekGetAppInterface("SJFX", "VekCreatePrj", 1), nullptr);
    EXPECT_EQ(VekGetAppInterface("XMGL", "Nothing", 1), nullptr);
    EXPECT_EQ(VekGetAppInterface(nullptr, nullptr, 1), nullptr);
    EXPECT_EQ(VekGetAppInterface("XMGL", "VekCreatePrj", 7), nullptr);
    EXPECT_EQ(VekGetAppInterface(HOST_LIBRARY, "VekLogWrite", 0), dlsym(RTLD_DEFAULT, "VekLogWrite"));
    EXPECT_EQ(VekGetAppInterface(HOST_LIBRARY, "NoSuchEntry", 0), nullptr);
    EXPECT_EQ(VekGetAppInterface("Modules\\Missing.dll", "VekPackage_View", 0), nullptr);
    host::InjectAbsent("VekCreatePrj");
    EXPECT_EQ(VekGetAppInterface("XMGL", "VekCreatePrj", 1), nullptr);

    auto getBook =
        reinterpret_cast<tarnwick::TGetSelAccBookID>(VekGetAppInterface("SJFX", "GetSelAccBookID", 1));
    CountedText book("x");
    getBook(book.Var());
    EXPECT_TRUE(book.Empty());
    host::SetSelectedAccountBook("ZT-0001");
    getBook(book.Var());
    EXPECT_EQ(book.Str(), "ZT-0001");
}

TEST_F(HostTest, PackageStore) {
    std::string package = m_folder + "/出口.Package";
    rtl::WriteFileBytes(package, "package bytes");
    auto take = reinterpret_cast<tarnwick::TReferenceDataPackage>(
        VekGetAppInterface("XMGL", "ReferenceDataPackage", 1));
    EXPECT_EQ(take(CountedText(package).Get(), 0), 1);
    EXPECT_EQ(take(CountedText(package).Get(), 0), 1);
    EXPECT_EQ(take(CountedText(m_folder + "/missing.Package").Get(), 0), 0);
    EXPECT_EQ(ReferenceDataPackageEx(CountedText(package).Get(), CountedText("XMGL_PACKAGE_GDB").Get(),
                                     CountedText("归档").Get()),
              1);
    auto taken = host::PackagesTaken();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_NE(taken[0].StoredAs, taken[1].StoredAs);
    for (const auto& t : taken)
        EXPECT_EQ(rtl::ReadFileBytes(t.StoredAs), "package bytes");
    EXPECT_TRUE(taken[2].Extended);
    EXPECT_EQ(taken[2].TypeName, "XMGL_PACKAGE_GDB");
    EXPECT_EQ(taken[2].Memo, "归档");
}

TEST_F(HostTest, APackageThatDoesNotFitLeavesNoPartOfItInTheStore) {
    tests::SmallFileSystem disk(rtl::ToNativePath(rtl::ExcludeTrailingPathDelimiter(host::PackageStoreFolder())),
                                64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string small = m_folder + "/小包.Package";
    const std::string large = m_folder + "/满盘.Package";
    rtl::WriteFileBytes(small, "package bytes");
    rtl::WriteFileBytes(large, tests::IncompressibleBytes(256 * 1024));
    EXPECT_EQ(ReferenceDataPackage(CountedText(small).Get(), 0), 1);
    EXPECT_THROW(ReferenceDataPackage(CountedText(large).Get(), 0), rtl::EInOutError);

    std::vector<std::string> stored;
    for (const auto& entry : std::filesystem::directory_iterator(disk.Path()))
        stored.push_back(entry.path().filename().string());
    EXPECT_EQ(stored, std::vector<std::string>{"小包.Package"});
    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    EXPECT_EQ(rtl::ReadFileBytes(host::PackagesTaken().front().StoredAs), "package bytes");
}

// What processes that were killed while they worked left in the installation's folders goes when
// the host starts on it again; what a process that runs, or a user, put there stays.
TEST_F(HostTest, WhatEndedProcessesLeftIsSweptWhenTheHostStarts) {
    const std::string ended = std::to_string(EndedProcess()), live = std::to_string(::getppid());
    const std::string materials = "Projects/" + std::string(host::SampleProjectId) + "/ResFile/";
    // What goes: a staging folder (with something inside it) or a temporary file.
    struct Leftover {
        std::string name, inside;
    };
    const std::vector<Leftover> swept = {
        {"~Vek~Temp/XMGL/.ResFile.unpacking-" + ended + "-0", "content/a.txt"},
        {"~Vek~Temp/.CommonReader.unpacking-" + ended + "-3", "content/Package.XML"},
        {"Temp/XMGL/.CreatePrj.unpacking-" + ended + "-1", "content/PrjInfo.xml"},
        {"Temp/XMGL/.ResFile.working-" + ended + "-1", "底稿.dat"},
        {"Temp/XMGL/.ResFile.pck.replacing-" + ended + "-2", ""},
        {"Temp/XMGL/.ResFile.pck.replacing-" + ended + "-2.x3Fq9Z", ""},
        {"PackageStore/.出口.Package.replacing-" + ended + "-4", ""},
        {"Projects/.XM2026777.creating-" + ended + "-0", "Project.db"},
        {materials + ".审计通知书.txt.replacing-" + ended + "-5", ""},
        {materials + "子目录/.底稿.dat.replacing-" + ended + "-6", ""},
    };
    const std::vector<std::string> kept = {
        "~Vek~Temp/XMGL/.ResFile.unpacking-" + live + "-0/content/a.txt",
        "Temp/XMGL/ResFile.pck",
        "PackageStore/.出口.Package.replacing-" + live + "-4",
        "PackageStore/出口.Package.replacing-" + ended + "-4",
        materials + "子目录/.底稿.dat.replacing-" + ended,
        "Projects/用户的/a.txt",
    };
    for (const Leftover& leftover : swept) {
        const std::string path =
            m_folder + "/" + leftover.name + (leftover.inside.empty() ? "" : "/" + leftover.inside);
        rtl::ForceDirectories(rtl::ExtractFilePath(path));
        rtl::WriteFileBytes(path, "left");
    }
    for (const std::string& path : kept) {
        rtl::ForceDirectories(rtl::ExtractFilePath(m_folder + "/" + path));
        rtl::WriteFileBytes(m_folder + "/" + path, "kept");
    }
    // Nothing is swept through a link, and a link goes as a link.
    const std::string outside = m_folder + "_outside/";
    std::filesystem::remove_all(outside);
    rtl::ForceDirectories(outside);
    rtl::WriteFileBytes(outside + ".a.txt.replacing-" + ended + "-1", "outside");
    std::filesystem::create_directory_symlink(outside, m_folder + "/" + materials + "链接");
    std::filesystem::create_directory_symlink(outside, m_folder + "/Temp/XMGL/.x.unpacking-" + ended + "-9");

    host::CloseInstallation();
    host::OpenInstallation(m_folder);
    for (const Leftover& leftover : swept)
        EXPECT_FALSE(std::filesystem::exists(m_folder + "/" + leftover.name)) << leftover.name;
    for (const std::string& path : kept)
        EXPECT_EQ(rtl::ReadFileBytes(m_folder + "/" + path), "kept") << path;
    EXPECT_EQ(rtl::ReadFileBytes(outside + ".a.txt.replacing-" + ended + "-1"), "outside");
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder + "/" + materials + "链接"));
    EXPECT_FALSE(std::filesystem::exists(
        std::filesystem::symlink_status(m_folder + "/Temp/XMGL/.x.unpacking-" + ended + "-9")));
    std::filesystem::remove_all(outside);
}

TEST_F(HostTest, CreatePrjFromFolders) {
    auto create = reinterpret_cast<tarnwick::TVekCreatePrj>(VekGetAppInterface("XMGL", "VekCreatePrj", 1));
    CountedText prj(kFixtures + "NewProject/XMGL/"), res(kFixtures + "NewProject/ResFile/");
    EXPECT_EQ(create(prj.Get(), res.Get()), 1);
    EXPECT_EQ(create(prj.Get(), res.Get()), -3) << "exists already";
    EXPECT_EQ(host::ProjectsCreated(), std::vector<std::string>{"XM2026101"});
    EXPECT_TRUE(VekProjectExist(CountedText("XM2026101").Get()));
    EXPECT_TRUE(rtl::FileExists(m_folder + "/Projects/XM2026101/ResFile/审计方案.txt"));
    tarnwick::TVekPrjInfo rec;
    VekLoadPrj(&rec, CountedText("XM2026101").Get());
    EXPECT_EQ(rec.ReMark.Str(), "引号'测试");
    EXPECT_EQ(rec.PlanExecEndDate, 46130.25);
    host::OpenProject("XM2026101");
    CountedText info;
    GetUserInfo(info.Var(), "200000000000000077");
    EXPECT_EQ(info.Str(), "孙平@&@男@&@40@&@审计师@&@组长@&@@&@sunping");

    EXPECT_EQ(create(CountedText(m_folder + "/nothing/").Get(), nullptr), -1);
    std::string packed = m_folder + "/XMGL.pck";
    rtl::WriteFileBytes(packed, "x");
    EXPECT_EQ(create(CountedText(packed).Get(), CountedText(m_folder + "/ResFile.pck").Get()), -1)
        << "a packed part that does not unpack";
    EXPECT_FALSE(rtl::DirectoryExists(m_folder + "/Temp/XMGL/CreatePrj"));
}

TEST_F(HostTest, ProjectPartCarriesAProjectToAnotherInstallation) {
    std::string part = std::string(TARNWICK_BINARY_DIR) + "/host_test/part_XMGL";
    std::filesystem::remove_all(part);
    host::WriteProjectPart(host::SampleProjectId, part);
    tarnwick::TVekPrjInfo before;
    VekLoadPrj(&before, CountedText(host::SampleProjectId).Get());

    host::CloseInstallation();
    std::string other = m_folder + "_target";
    std::filesystem::remove_all(other);
    host::CreateSampleInstallation(other, false);
    EXPECT_FALSE(VekProjectExist(CountedText(host::SampleProjectId).Get()));
    EXPECT_EQ(VekCreatePrj(CountedText(part).Get(), nullptr), 1);
    tarnwick::TVekPrjInfo after;
    VekLoadPrj(&after, CountedText(host::SampleProjectId).Get());
    EXPECT_EQ(after.PrjName.Str(), before.PrjName.Str());
    EXPECT_EQ(after.PlanExecEndDate, before.PlanExecEndDate);
    EXPECT_EQ(after.LastAuditDate, before.LastAuditDate);
    EXPECT_EQ(after.IsReport, before.IsReport);
    EXPECT_EQ(after.STATTARGEID.Str(), before.STATTARGEID.Str());
    host::OpenProject(host::SampleProjectId);
    CountedText info;
    GetUserInfo(info.Var(), host::SampleMemberId);
    EXPECT_EQ(info.Str(), "张明@&@男@&@38@&@审计师@&@组长@&@@&@zhangming");
    host::CloseInstallation();
    std::filesystem::remove_all(other);
    std::filesystem::remove_all(part);
    host::OpenInstallation(m_folder);
    EXPECT_TRUE(VekProjectExist(CountedText(host::SecondProjectId).Get()));
    EXPECT_THROW(host::WriteProjectPart("XM-none", part), rtl::Exception);
}

TEST_F(HostTest, CreatePrjRefusesAnUnsafeProjectId) {
    std::string part = m_folder + "/evil/";
    rtl::ForceDirectories(part);
    rtl::WriteFileBytes(part + "PrjInfo.xml", "<VekProject><PrjInfo PrjID=\"..\\..\\x\"/></VekProject>");
    EXPECT_EQ(VekCreatePrj(CountedText(part).Get(), nullptr), -2);
    EXPECT_TRUE(host::ProjectsCreated().empty());
}

TEST_F(HostTest, InjectedAnswersAndRaises) {
    auto create = reinterpret_cast<tarnwick::TVekCreatePrj>(VekGetAppInterface("XMGL", "VekCreatePrj", 1));
    host::InjectAnswer("VekCreatePrj", -5);
    EXPECT_EQ(create(nullptr, nullptr), -5);
    host::InjectAnswer("ReferenceDataPackage", 0);
    EXPECT_EQ(ReferenceDataPackage(nullptr, 0), 0);
    host::InjectRaise("ReferenceDataPackageEx", "package management down");
    EXPECT_THROW(ReferenceDataPackageEx(nullptr, nullptr, nullptr), rtl::Exception);
    host::InjectRaise("GetSelAccBookID", "no analysis");
    CountedText id;
    EXPECT_THROW(GetSelAccBookID(id.Var()), rtl::Exception);
    host::InjectTextAnswer("VekGetCurUUID", "it's me");
    VekGetCurUUID(id.Var());
    EXPECT_EQ(id.Str(), "it's me");
    host::InjectRaise("VekLogWrite", "log full");
    EXPECT_THROW(VekLogWrite("m", 1, "u", "c", "p", 4), rtl::Exception);
    host::InjectAnswer("VekProjectExist", 1);
    EXPECT_TRUE(VekProjectExist(CountedText("XM-none").Get()));
    host::InjectRaise("BeginProcess", "no window");
    EXPECT_THROW(BeginProcess(nullptr, 0, "x"), rtl::Exception);
    EXPECT_TRUE(host::ProcessCalls().empty());
    EXPECT_TRUE(host::PackagesTaken().empty());
    host::ClearInjections();
    EXPECT_EQ(create(CountedText(m_folder + "/none/").Get(), nullptr), -1);
}

TEST_F(HostTest, ObjectsAndConnectionsAreHandedOut) {
    int a = 0, s = 0, c = 0;
    EXPECT_EQ(VekGetApplication(), nullptr);
    host::SetApplication(reinterpret_cast<framework::TApplication*>(&a));
    host::SetScreen(reinterpret_cast<framework::TScreen*>(&s));
    host::SetHintWindowClass(reinterpret_cast<framework::THintWindowClass>(&c));
    host::SetBaseConnection(reinterpret_cast<ado::TADOConnection*>(&a));
    host::SetProjectConnection(reinterpret_cast<ado::TADOConnection*>(&s));
    EXPECT_EQ(static_cast<void*>(VekGetApplication()), &a);
    EXPECT_EQ(static_cast<void*>(VekGetScreen()), &s);
    EXPECT_EQ(static_cast<const void*>(VekGetHintWinClass()), &c);
    EXPECT_EQ(static_cast<void*>(GetBaseDBConnection()), &a);
    EXPECT_EQ(static_cast<void*>(GetCurPrjDBConnection()), &s);
    host::SetApplication(nullptr);
    host::SetScreen(nullptr);
    host::SetHintWindowClass(nullptr);
    host::SetBaseConnection(nullptr);
    host::SetProjectConnection(nullptr);
}

TEST_F(HostTest, TempPathAndCompression) {
    CountedText path;
    GetAppTempPathY(path.Var(), "XMGL");
    EXPECT_EQ(path.Str(), m_folder + "/Temp\\XMGL");
    EXPECT_TRUE(rtl::DirectoryExists(path.Str()));
    EXPECT_THROW(GetAppTempPathY(path.Var(), ".."), rtl::Exception);

    std::string src = m_folder + "/src/";
    rtl::ForceDirectories(src + "sub");
    rtl::WriteFileBytes(src + "Package.XML", "<VekPackage/>");
    rtl::WriteFileBytes(src + "sub/a.txt", "a");
    CountedText out;
    EXPECT_EQ(CompressFile(out.Var(), src.c_str(), (m_folder + "/p.Package").c_str()), 1);
    EXPECT_EQ(ExtractFile(out.Var(), (m_folder + "/p.Package").c_str(), (m_folder + "/dst").c_str()), 1);
    EXPECT_EQ(rtl::ReadFileBytes(m_folder + "/dst/sub/a.txt"), "a");
    rtl::WriteFileBytes(m_folder + "/junk.Package", "not an archive");
    EXPECT_EQ(ExtractFile(out.Var(), (m_folder + "/junk.Package").c_str(), (m_folder + "/dst2").c_str()), 0);
    EXPECT_FALSE(out.Empty());
}

TEST(HostLibrary, ExportsEveryName) {
    void* lib = dlopen(HOST_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(lib, nullptr);
    for (const char* name :
         {"VekGetWorkingStyle",   "VekGetAppInterface",     "GetCurUUID",         "GetCurPrjSerial",
          "VekGetApplication",    "VekGetScreen",           "VekGetHintWinClass", "VekGetCurUUID",
          "VekOpenProject",       "VekGetCurPrjSerial",     "VekLoadPrj",         "VekProjectExist",
          "GetBaseDBConnection",  "GetCurPrjDBConnection",  "GetUserListByPrj",   "GetUserInfo",
          "BeginProcess",         "ChangeTransInfo",        "HideProcess",        "EndProcess",
          "VekLogWrite",          "CompressFile",           "ExtractFile",        "GetAppTempPathY",
          "ReferenceDataPackage", "ReferenceDataPackageEx", "VekCreatePrj",       "GetSelAccBookID"})
        EXPECT_NE(dlsym(lib, name), nullptr) << name;
    dlclose(lib);
}

} // namespace
