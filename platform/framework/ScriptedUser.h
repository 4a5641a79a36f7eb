#pragma once

#include "platform/framework/Classes.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The scripted user stands in for a person at the keyboard: tests (and the velmora command)
// queue one script per showing of a form, and answers for the boxes and file dialogs to come.
namespace framework {

class TCustomForm;
struct TDialogRecord;

class EScriptError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum class TUserActionKind { Click, Type, Check, Key, Close, Do };

struct TUserAction {
    TUserActionKind kind = TUserActionKind::Click;
    std::string control; // a name, or Frame.Name for a control inside a frame; empty: the form
    std::string text;
    bool checked = false;
    std::uint16_t key = 0;
    TShiftState shift;
    std::function<void(TCustomForm&)> step;

    std::string Describe() const;
};

class TUserScript {
public:
    TUserScript& Click(const std::string& control);
    TUserScript& Type(const std::string& control, const std::string& text);
    TUserScript& Check(const std::string& control, bool checked = true);
    TUserScript& PressKey(std::uint16_t key, const std::string& control = {}, TShiftState shift = {});
    TUserScript& Close();
    // A look at the form between actions, for checks a test makes while the form is open.
    TUserScript& Do(std::function<void(TCustomForm&)> step);

    const std::vector<TUserAction>& Actions() const { return m_actions; }

private:
    std::vector<TUserAction> m_actions;
};

// Until the visual half routes them through real input, a control that takes scripted actions
// implements this; each default refuses the action.
class IScriptTarget {
public:
    virtual ~IScriptTarget() = default;
    virtual void ScriptClick();
    virtual void ScriptType(const std::string& text);
    virtual void ScriptCheck(bool checked);
    virtual void ScriptKey(std::uint16_t key, TShiftState shift);
};

struct TDialogAnswer {
    enum Kind { Button, File, CancelFile };
    Kind kind = Button;
    int result = 0;
    std::string fileName;
    std::string expectText; // empty: any text
};

class TScriptedUser {
public:
    // Queues a script for the next showing of a form of that class or name.
    TUserScript& ScriptFor(const std::string& formClassOrName);
    void AnswerBox(int result, const std::string& expectText = {});
    void AnswerFile(const std::string& fileName);
    void CancelFile();
    void Reset();

    std::size_t PendingScripts() const;
    std::size_t PendingAnswers() const { return m_answers.size(); }

    // For the framework: the script for this showing (the form's name wins over its class).
    std::optional<TUserScript> TakeScript(const TCustomForm& form);
    // Throws EScriptError with the box's text when no fitting answer is queued.
    TDialogAnswer TakeAnswer(const TDialogRecord& record);

private:
    std::map<std::string, std::deque<TUserScript>> m_scripts; // upper-cased keys
    std::deque<TDialogAnswer> m_answers;
};

TScriptedUser& ScriptedUser();

} // namespace framework
