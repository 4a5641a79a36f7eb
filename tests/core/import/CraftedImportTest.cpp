#include "tests/core/import/CraftedImportTest.h"

#include "core/Exports.h"

#include "platform/framework/Forms.h"

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

std::int32_t CraftedImportTest::Import(const std::string& package) {
    return VekPackPortInfo(framework::HintWindowClass(), framework::Application(), framework::Screen(), "",
                           -1, 0, package.c_str());
}

CraftedImportTest::Untouched CraftedImportTest::Snapshot() const {
    return {tests::StateOf(m_folder), TreeOutsideWorkFolder()};
}

void CraftedImportTest::ExpectSoundAndTidy(const std::string& package) const {
    std::vector<std::string> databases = {m_folder + "/base.db"};
    for (const auto& project : fs::directory_iterator(m_folder + "/Projects"))
        for (const auto& file : fs::directory_iterator(project.path()))
            if (file.path().extension() == ".db")
                databases.push_back(file.path().string());
    for (const std::string& database : databases)
        EXPECT_EQ(tests::IntegrityOf(database), "ok") << database;

    const std::string temp = m_folder + "/~Vek~Temp";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"XMGL"}) << "a staging or work folder in " << temp;
    for (const auto& entry : fs::recursive_directory_iterator(temp)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name != "CommonReader" && name != "ResFile" &&
                    name.find("unpacking") == std::string::npos)
            << entry.path();
    }
    EXPECT_TRUE(host::EveryProcessEnded());

    // Beside the installation other tests keep theirs, so only what this one would leave there is
    // looked for: hidden names, as staging folders and files being written have.
    for (const auto& entry : fs::directory_iterator(fs::path(m_folder).parent_path()))
        EXPECT_NE(entry.path().filename().string().front(), '.')
            << entry.path() << " beside the installation";
    for (const auto& entry : fs::directory_iterator(fs::path(package).parent_path()))
        EXPECT_EQ(entry.path().extension(), ".Package") << entry.path() << " beside the package";
}

void CraftedImportTest::ExpectNothingLeft(const Untouched& before, const std::string& package) const {
    EXPECT_EQ(tests::StateOf(m_folder), before.state);
    EXPECT_EQ(TreeOutsideWorkFolder(), before.outsideWorkFolder);
    ExpectSoundAndTidy(package);
}
