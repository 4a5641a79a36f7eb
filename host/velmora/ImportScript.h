#pragma once

#include "host/velmora/PictureBook.h"
#include "host/velmora/UserSteps.h"

#include "platform/framework/ScriptedUser.h"

#include <optional>
#include <string>
#include <vector>

// The scripted user of one import: what the person at the keyboard does in the project-creation
// form, the import wizard and the boxes, with a line printed for each step.
namespace velmora {

struct ImportRequest {
    std::string installation;
    std::string package;
    bool preview = false;       // the wizard in preview form; nothing is imported
    bool createProject = true;  // "建立" in the project-creation form, else "取消"
    std::vector<int> answers;   // button ids, one per question box, in order
    std::string pictures;       // folder for the PNG files; empty: none
};

class ImportScript {
public:
    ImportScript(const ImportRequest& request, PictureBook& pictures);
    ~ImportScript();
    ImportScript(const ImportScript&) = delete;
    ImportScript& operator=(const ImportScript&) = delete;

    // Queues the scripts of both forms and takes the boxes and dialogs.
    void Queue();
    // What went wrong in the user's part, if anything (a question without an answer).
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    void ReadProjectInformation(framework::TCustomForm& form);
    void LookAtEveryTab(framework::TCustomForm& wizard);
    std::optional<framework::TDialogAnswer> AnswerBox(const framework::TDialogRecord& box);

    const ImportRequest& m_request;
    PictureBook& m_pictures;
    BoxAnswers m_boxes;
    std::vector<std::string> m_problems;
};

} // namespace velmora
