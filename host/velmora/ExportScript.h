#pragma once

#include "host/velmora/PictureBook.h"
#include "host/velmora/UserSteps.h"

#include "platform/framework/ScriptedUser.h"

#include <optional>
#include <string>
#include <vector>

// The scripted user of one export: what the person at the keyboard does in the export wizard, the
// package-name dialog, the save dialog and the boxes, with a line printed for each step.
namespace velmora {

struct ExportRequest {
    std::string installation;
    std::vector<std::string> modules;    // captions of the rows to check
    std::optional<std::string> name;     // typed into the package-name dialog
    std::optional<std::string> memo;
    std::optional<std::string> savePath; // chosen in the save dialog
    std::vector<int> answers;            // button ids, one per question box, in order
    std::string pictures;                // folder for the PNG files; empty: none
};

class ExportScript {
public:
    ExportScript(const ExportRequest& request, PictureBook& pictures);
    ~ExportScript();
    ExportScript(const ExportScript&) = delete;
    ExportScript& operator=(const ExportScript&) = delete;

    // Queues the scripts of the wizard and the package-name dialog and takes the boxes and dialogs.
    void Queue();
    // What went wrong in the user's part, if anything (a module that is not there or cannot be
    // checked, a question without an answer).
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    void ShowModuleList(framework::TCustomForm& wizard);
    void CheckModule(framework::TCustomForm& wizard, const std::string& caption);
    void StepThroughTab(framework::TCustomForm& wizard, std::size_t tab);
    void NameThePackage(framework::TCustomForm& dialog);
    void CloseIfStillOpen(framework::TCustomForm& wizard);
    std::optional<framework::TDialogAnswer> AnswerBox(const framework::TDialogRecord& box);
    void Fail(const std::string& problem);

    const ExportRequest& m_request;
    PictureBook& m_pictures;
    BoxAnswers m_boxes;
    bool m_fileChosen = false;
    std::vector<std::string> m_problems;
};

} // namespace velmora
