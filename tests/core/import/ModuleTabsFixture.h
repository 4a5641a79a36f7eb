#pragma once

#include "core/import/ImportItems.h"
#include "tests/core/import/ImportFixture.h"
#include "tests/core/modules/TestModule.h"

#include <string>
#include <utility>
#include <vector>

// One item element of a hand-written "Package.XML": its node name and attributes, in order.
struct ItemSetup {
    std::string node;
    std::vector<std::pair<std::string, std::string>> attributes;
};

// The item the export writes for a module of the sample installation, with its file.
ItemSetup SampleItem(const std::string& caption, const std::string& appFileName);
// The same item with one attribute replaced (or added).
ItemSetup With(ItemSetup item, const std::string& name, const std::string& value);
// ...or left out.
ItemSetup Without(ItemSetup item, const std::string& name);

// The import test installation with the test module (which records its calls) and a library that
// notes being loaded at hand, and packages written straight into the work folder.
class ModuleTabsTest : public ImportTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies a library built for the tests below the program folder.
    void InstallTestLibrary(const std::string& built, const std::string& as);
    // The module row of this caption now names that library.
    void SetModuleLibrary(const std::string& caption, const std::string& library);
    // The calls the test module at that place (below the program folder) has seen.
    std::vector<TestModuleCall>& TestModuleCalls(const std::string& as);
    // The test module's VekPackage_Import answers this for the entry id.
    static void Answer(std::int32_t entryId, std::int32_t answer);
    // The libraries the load recorder noted; empty when it was never loaded.
    std::string LoadRecord() const;

    // Writes "Package.XML" with these items, and each item's file, into the work folder as an
    // extraction would; answers the document's path.
    std::string WriteWorkPackage(const std::vector<ItemSetup>& items, const std::string& version = "3",
                                 const std::string& prjId = host::SampleProjectId);

    std::string m_loadRecord;
};
