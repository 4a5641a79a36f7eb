#pragma once

#include "core/export/ExportRun.h"
#include "tests/support/BuildUnderTest.h"
#include "tests/support/SampleInstallationTest.h"

#include "platform/framework/Forms.h"
#include "platform/win/WinConst.h"
#include "platform/xml/XMLDocument.h"

#include <map>
#include <string>
#include <vector>

// The wizard as the export run sees it, with its module tabs and checked rows set by the test.
class TRunWizard : public framework::TForm, public tarnwick::ExportRunWizard {
public:
    TRunWizard() : framework::TForm(nullptr) {}

    framework::TCustomForm& Form() override { return *this; }
    std::int32_t ResourceMode() const override { return resourceMode; }
    std::int32_t CheckedProjectParts() const override { return projectParts; }
    bool IsItemChecked(const std::string& caption) const override;
    bool AskPackageNameAndMemo(std::string& name, std::string& memo) override;
    std::vector<tarnwick::ExportModuleTab> VisibleModuleTabs() const override { return tabs; }
    std::string FirstPageCaption() const override { return firstPageCaption; }
    void SetFirstPageCaption(const std::string& caption) override { firstPageCaption = caption; }
    void CloseWizard() override { ++closed; }

    std::vector<tarnwick::ExportModuleTab> tabs;
    std::vector<std::string> checked;
    std::int32_t resourceMode = 0;
    std::int32_t projectParts = tarnwick::NoProjectParts;
    std::string firstPageCaption = "TabSheet1";
    int closed = 0;
};

// A sample installation with an ordinary member at work on the sample project; the export run is
// started on a TRunWizard, and the user answers through the scripted user.
class ExportRunTest : public SampleInstallationTest {
protected:
    ExportRunTest() : SampleInstallationTest("core_export_run_test") {}
    void SetUp() override;
    void TearDown() override;

    // The module tabs of the sample modules with these captions, checked, in this order.
    void ChooseModules(const std::vector<std::string>& captions);
    // Types the package's name and memo into the next package-name dialog and presses OK.
    void NamePackage(const std::string& name, const std::string& memo = {});
    // Answers the next boxes, in order: each with its expected text and button.
    void ExpectBox(const std::string& text, int button = win::IDOK);
    void RunExport();

    std::vector<std::string> BoxTexts() const;
    // The log entries written since the last call, as "module code: message".
    std::vector<std::string> NewLogEntries();
    std::string WorkFolder() const;
    // The state the run leaves its work folder in: gone (Tarnwick), or there and empty (the reduced
    // build, whose installation has it).
    bool WorkFolderLeftClear() const;

    // Reading a package: its entry names as a ZIP tool lists them, and its "Package.XML".
    static std::vector<std::string> EntryNames(const std::string& package);
    static std::string EntryText(const std::string& package, const std::string& entry);
    // Each element's name and attributes in document order, as "Name a=v b=w".
    static std::vector<std::string> Outline(const std::string& packageXml);

    TRunWizard m_wizard;

private:
    std::size_t m_logSeen = 0;
};
