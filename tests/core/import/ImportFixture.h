#pragma once

#include "core/import/ImportForms.h"
#include "tests/support/BuildUnderTest.h"
#include "tests/support/SampleInstallationTest.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a test package holds. The defaults make a package of the sample project, in the version the
// build under test writes, with its member and one project-bound item.
struct PackageRecipe {
    std::optional<std::string> version = OwnPackageVersion(); // PackageVersion; none leaves it out
    std::string typeName;                     // PackageTypeName; empty: an ordinary package
    std::optional<std::string> prjId = std::string(host::SampleProjectId); // none: no PrjInfo
    std::string prjInfoExport = "True";
    std::vector<std::pair<std::string, std::string>> prjAttributes; // further PrjInfo attributes
    std::vector<std::string> persons = {host::SampleMemberId, "200000000000000012"};
    // Item captions; none leaves ExportItemInfo out.
    std::optional<std::vector<std::string>> items = std::vector<std::string>{"审计事项"};
    // Items that name another module than their caption's: item caption -> that module's caption.
    std::map<std::string, std::string> itemModules;
    bool itemFiles = true; // false: the items name files the package lacks
    // The parts a project is created from: "XMGL\" and "ResFile\" in version 3, else the ".pck" files.
    bool projectParts = true;
    std::vector<std::pair<std::string, std::string>> files; // further files, by relative path
};

struct WizardCall {
    std::string folder;
    std::string userKind;
    bool preview = false;
};

struct CreationCall {
    std::string projectPart;
    std::string resourcePart;
};

// A sample installation whose application names its folder as the program folder, with the two
// import forms replaced by recorders: project creation answers CreationAnswer.
class ImportTest : public SampleInstallationTest {
protected:
    ImportTest() : SampleInstallationTest("core_import_test") {}
    void SetUp() override;
    void TearDown() override;

    // Writes the package "<name>.Package" into the installation's "Packages" folder; answers its path.
    std::string MakePackage(const std::string& name, const PackageRecipe& recipe);
    // A package of exactly these files (no "Package.XML" unless given).
    std::string MakePackageOfFiles(const std::string& name,
                                   const std::vector<std::pair<std::string, std::string>>& files);
    // A file with these bytes in the "Packages" folder.
    std::string MakeFile(const std::string& name, const std::string& bytes);
    // "Package.XML" text of the recipe, as the export writes it.
    std::string PackageXml(const PackageRecipe& recipe);

    std::string WorkFolder() const;

    // Queues the scripted user's answers for these boxes, in order: the question is answered with
    // reply, every other box with OK.
    void ExpectBoxes(const std::vector<std::string>& texts, int reply = 0);
    std::vector<std::string> BoxTexts() const;
    // The log entries written since the last call, as "module code: message".
    std::vector<std::string> NewLogEntries();
    // Forgets what the host and the dialogs recorded, closes the project, and sets the user.
    void StartOver(const std::string& userId);

    // Every file and folder below the installation but the work folder and the host's database.
    std::map<std::string, std::string> TreeOutsideWorkFolder() const;

    std::vector<WizardCall> m_wizardCalls;
    std::vector<CreationCall> m_creationCalls;
    std::int32_t m_creationAnswer = 1;

private:
    tarnwick::TImportForms m_savedForms;
    std::string m_savedExeName;
    std::string m_savedTitle;
    std::size_t m_logSeen = 0;
};

inline constexpr char OpenProjectQuestion[] = "是否打开要导入的项目？";
