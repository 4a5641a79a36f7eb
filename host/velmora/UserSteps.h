#pragma once

#include "host/velmora/PictureBook.h"

#include "platform/framework/ScriptedUser.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the scripted user does alike in every form, with a line printed for each step.
namespace velmora {

// Clicks the button named button, printing its caption.
void Press(framework::TCustomForm& form, const std::string& button);

// Answers message boxes as the --answer options say: OK to a message, the next answer to a question.
class BoxAnswers {
public:
    BoxAnswers(const std::vector<int>& answers, PictureBook& pictures);
    // No answer when none is left for a question; fail is told why.
    std::optional<framework::TDialogAnswer> Answer(const framework::TDialogRecord& box,
                                                   const std::function<void(const std::string&)>& fail);

private:
    const std::vector<int>& m_answers;
    PictureBook& m_pictures;
    std::size_t m_next = 0;
};

} // namespace velmora
