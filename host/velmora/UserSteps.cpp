#include "host/velmora/UserSteps.h"

#include "host/velmora/Terminal.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Text.h"

namespace velmora {

namespace {

std::string ButtonName(int id) {
    switch (id) {
    case framework::IDOK:
        return "OK";
    case framework::IDCANCEL:
        return "Cancel";
    case framework::IDYES:
        return "Yes";
    case framework::IDNO:
        return "No";
    default:
        return std::to_string(id);
    }
}

} // namespace

void Press(framework::TCustomForm& form, const std::string& button) {
    const auto* control = dynamic_cast<const framework::TControl*>(form.FindComponent(button));
    Say("user", "presses " + (control ? rtl::Trim(control->Caption()) : std::string()));
    framework::TUserAction click;
    click.kind = framework::TUserActionKind::Click;
    click.control = button;
    form.PerformUserAction(click);
}

BoxAnswers::BoxAnswers(const std::vector<int>& answers, PictureBook& pictures)
    : m_answers(answers), m_pictures(pictures) {}

std::optional<framework::TDialogAnswer>
BoxAnswers::Answer(const framework::TDialogRecord& box, const std::function<void(const std::string&)>& fail) {
    const bool question = framework::MessageBoxButtons(box.flags).size() > 1;
    Say(question ? "question" : "message", box.text);
    m_pictures.Box(box, question ? "question" : "message");
    int answer = framework::IDOK;
    if (question) {
        if (m_next >= m_answers.size()) {
            fail("no --answer is left for the question \"" + box.text + "\"");
            return std::nullopt;
        }
        answer = m_answers[m_next++];
    }
    Say("user", "presses " + ButtonName(answer));
    return framework::TDialogAnswer{framework::TDialogAnswer::Button, answer, {}, {}};
}

} // namespace velmora
