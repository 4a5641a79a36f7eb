#pragma once

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

// Numbered PNG files of the pages the user sees.
class PictureBook {
public:
    explicit PictureBook(std::string folder);
    void Form(framework::TCustomForm& form, const std::string& label);
    void Box(const framework::TDialogRecord& box, const std::string& label);
    const std::vector<std::string>& Written() const { return m_written; }

private:
    std::string NextFile(const std::string& label);

    std::string m_folder;
    std::vector<std::string> m_written;
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
    void Press(framework::TCustomForm& form, const std::string& button);
    void CloseIfStillOpen(framework::TCustomForm& wizard);
    std::optional<framework::TDialogAnswer> AnswerBox(const framework::TDialogRecord& box);
    void Fail(const std::string& problem);

    const ExportRequest& m_request;
    PictureBook& m_pictures;
    std::size_t m_nextAnswer = 0;
    bool m_fileChosen = false;
    std::vector<std::string> m_problems;
};

} // namespace velmora
