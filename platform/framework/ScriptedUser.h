#pragma once

#include "platform/framework/Classes.h"
#include "platform/gdi/Geometry.h"

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

enum class TUserActionKind { Click, ClickAt, Type, Check, SelectTab, Key, Wait, Close, Do };

struct TUserAction {
    TUserActionKind kind = TUserActionKind::Click;
    // A name, or Frame.Name for a control inside a frame or Sheet.Name for one that a module
    // library put into a tab sheet; empty: the form.
    std::string control{};
    std::string text{}; // typed text, or a tab's caption
    gdi::POINT point{}; // in client coordinates
    bool checked = false;
    std::uint16_t key = 0;
    TShiftState shift{};
    int milliseconds = 0;
    std::function<void(TCustomForm&)> step{};

    std::string Describe() const;
};

class TUserScript {
public:
    TUserScript& Click(const std::string& control);
    // Clicks at a point of the control's client area.
    TUserScript& ClickAt(const std::string& control, gdi::POINT point);
    TUserScript& Type(const std::string& control, const std::string& text);
    // Clicks the box until it shows the wanted state.
    TUserScript& Check(const std::string& control, bool checked = true);
    // Clicks the tab with this caption.
    TUserScript& SelectTab(const std::string& control, const std::string& caption);
    TUserScript& PressKey(std::uint16_t key, const std::string& control = {}, TShiftState shift = {});
    // Lets the virtual clock run while the form waits, so its timers fire.
    TUserScript& Wait(int milliseconds);
    TUserScript& Close();
    // A look at the form between actions, for checks a test makes while the form is open.
    TUserScript& Do(std::function<void(TCustomForm&)> step);

    const std::vector<TUserAction>& Actions() const { return m_actions; }

private:
    TUserScript& Add(TUserAction action);
    std::vector<TUserAction> m_actions;
};

// A component that takes scripted actions implements this; each default refuses the action.
// Controls turn them into real mouse and keyboard input.
class IScriptTarget {
public:
    virtual ~IScriptTarget() = default;
    virtual void ScriptClick();
    virtual void ScriptClickAt(gdi::POINT point);
    virtual void ScriptType(const std::string& text);
    virtual void ScriptCheck(bool checked);
    virtual void ScriptSelectTab(const std::string& caption);
    virtual void ScriptKey(std::uint16_t key, TShiftState shift);
};

// A control with a check mark tells the scripted user whether it is checked, so that the user
// clicks it until it is as wanted.
class IScriptCheckable {
public:
    virtual ~IScriptCheckable() = default;
    virtual bool ScriptChecked() const = 0;
};

// A control with tabs tells the scripted user where a tab is, so that the user can click it.
class IScriptTabs {
public:
    virtual ~IScriptTabs() = default;
    // The rectangle of the shown tab with this caption, in client coordinates; false when no
    // shown tab has it.
    virtual bool ScriptTabRect(const std::string& caption, gdi::RECT& rect) const = 0;
};

struct TDialogAnswer {
    enum Kind { Button, File, CancelFile };
    Kind kind = Button;
    int result = 0;
    std::string fileName;
    std::string expectText; // empty: any text
};

// Answers a box or dialog for which no answer is queued; no answer leaves the box unexpected.
using TAnswerProvider = std::function<std::optional<TDialogAnswer>(const TDialogRecord& shown)>;

class TScriptedUser {
public:
    // Queues a script for the next showing of a form of that class or name.
    TUserScript& ScriptFor(const std::string& formClassOrName);
    void AnswerBox(int result, const std::string& expectText = {});
    void AnswerFile(const std::string& fileName);
    void CancelFile();
    // Consulted only when nothing is queued, for a user who decides box by box. Reset removes it.
    void SetAnswerProvider(TAnswerProvider provider) { m_provider = std::move(provider); }
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
    TAnswerProvider m_provider;
};

TScriptedUser& ScriptedUser();

} // namespace framework
