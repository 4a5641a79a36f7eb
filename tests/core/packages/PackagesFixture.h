#pragma once

#include "core/Exports.h"
#include "tests/support/SampleInstallationTest.h"

#include "platform/framework/ComCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/xml/XMLDocument.h"

#include <memory>
#include <string>
#include <vector>

// A sample installation whose host hands out the test's application, screen and hint window class,
// as the plug-in's exports adopt them.
class PackagesTest : public SampleInstallationTest {
protected:
    explicit PackagesTest(std::string area = "core_package_test") : SampleInstallationTest(std::move(area)) {}
    void SetUp() override;
    void TearDown() override;

    // Calls the exports as the host does.
    bool ResourcePackage(const std::string& resIds, const std::string& packageFile);
    std::int32_t ArchivePackage(framework::TTreeView* tree, const std::string& caption, const std::string& memo);
    std::int32_t PortInfo(const std::string& flag, std::int32_t mode, const std::string& text);
    std::int32_t AppEvn(std::int32_t mode, std::int32_t param);

    // A tree view on the host's main form naming nodes; with handle false it has no window yet.
    framework::TTreeView* Tree(const std::vector<std::string>& nodes, bool handle = true);

    // Unpacks a package into a fresh folder and answers it.
    std::string Unpack(const std::string& package);
    // The package's document, found under either spelling of its name.
    void LoadDocument(const std::string& folder, xml::TXMLDocument& doc);
    // The files below folder, by their paths relative to it, sorted.
    static std::vector<std::string> Files(const std::string& folder);

    // The log entries written since the last call, as "module code: message".
    std::vector<std::string> NewLogEntries();
    std::vector<std::string> BoxTexts() const;

    std::string WorkFolder() const { return m_folder + "/~Vek~Temp/CommonReader"; }
    std::string XmglFolder() const { return m_folder + "/~Vek~Temp/XMGL"; }

    std::unique_ptr<framework::TForm> m_mainForm;

private:
    framework::TCustomForm* m_savedMainForm = nullptr;
    std::string m_savedExeName;
    std::string m_savedTitle;
    std::size_t m_logSeen = 0;
    int m_unpacked = 0;
};
