#pragma once

#include "platform/framework/ActnList.h"
#include "platform/framework/Classes.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Filer.h"
#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"

#include <string>
#include <vector>

// Small components that stand in for controls in the framework's own tests.
namespace fwtest {

using namespace framework;
using TTestColor = std::int32_t;

using framework::TAlign;
using framework::TAnchorKind;
using framework::TAnchors;
enum TFrameStyle { fsNone, fsFlat, fsFlatBold, fsLowered, fsStatus };
enum TSide { sdLeft, sdTop, sdRight, sdBottom };

extern const TEnumInfo FrameStyleInfo;

class TTestFont : public TPersistent {
public:
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& v) { m_name = v; }
    int Height() const { return m_height; }
    void SetHeight(int v) { m_height = v; }
    void Assign(const TPersistent* source) override;

private:
    std::string m_name = "Tahoma";
    int m_height = -11;
};

// What Loaded saw, in call order, across all test components.
std::vector<std::string>& LoadedLog();

class TTestControl : public TComponent, public IScriptTarget {
public:
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return m_parent; }
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

    int Left() const { return m_left; }
    void SetLeft(int v) { m_left = v; }
    int Width() const { return m_width; }
    void SetWidth(int v) { m_width = v; }
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign v) { m_align = v; }
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors v) { m_anchors = v; }
    TTestColor Color() const { return m_color; }
    void SetColor(TTestColor v) {
        m_color = v;
        m_parentColor = false;
    }
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool v) { m_parentColor = v; }
    bool IsColorStored() const { return !m_parentColor; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { m_caption = v; }
    TTestFont* Font() { return &m_font; }
    const std::vector<TTestControl*>& Children() const { return m_children; }
    TCustomForm* ParentForm() const;

    bool SawLoadingInLoaded = false;
    int LoadedCount = 0;

private:
    TComponent* m_parent = nullptr;
    std::vector<TTestControl*> m_children;
    int m_left = 0;
    int m_width = 0;
    TAlign m_align = alNone;
    TAnchors m_anchors{akLeft, akTop};
    TTestColor m_color = static_cast<TTestColor>(0xFF00000F);
    bool m_parentColor = false;
    bool m_visible = true;
    std::string m_caption;
    TTestFont m_font;
};

class TTestPanel : public TTestControl {
public:
    using TTestControl::TTestControl;
};

class TTestButton : public TTestControl {
public:
    using TTestControl::TTestControl;
    ~TTestButton() override;
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int v) { m_modalResult = v; }
    TBasicAction* Action() const { return m_link.Action(); }
    void SetAction(TBasicAction* action);
    void Notification(TComponent* component, TOperation operation) override;
    void ScriptClick() override;

    TNotifyEvent OnClick;

private:
    int m_modalResult = 0;
    TActionLink m_link{this};
};

class TTestEdit : public TTestControl {
public:
    using TTestControl::TTestControl;
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& v) { m_text = v; }
    void ScriptType(const std::string& text) override;
    TNotifyEvent OnChange;

private:
    std::string m_text;
};

class TTestCheckBox : public TTestControl {
public:
    using TTestControl::TTestControl;
    bool Checked() const { return m_checked; }
    void SetChecked(bool v) { m_checked = v; }
    void ScriptCheck(bool checked) override;

private:
    bool m_checked = false;
};

class TTestMemo : public TTestControl {
public:
    using TTestControl::TTestControl;
    const std::vector<std::string>& Lines() const { return m_lines; }
    void SetLines(const std::vector<std::string>& v) { m_lines = v; }

private:
    std::vector<std::string> m_lines;
};

// Reads obsolete stream properties and has one always-written stream property.
class TTestController : public TComponent {
public:
    using TComponent::TComponent;
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle v) { m_frameStyle = v; }
    TFrameStyle FrameHotStyle() const { return m_hotStyle; }
    void SetFrameHotStyle(TFrameStyle v) { m_hotStyle = v; }
    bool FrameHotTrack() const { return m_hotTrack; }
    void SetFrameHotTrack(bool v) { m_hotTrack = v; }
    int FixedDimension() const { return m_fixed; }
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    std::vector<std::string> SkippedSides;

private:
    TFrameStyle m_frameStyle = fsFlat;
    TFrameStyle m_hotStyle = fsFlatBold;
    bool m_hotTrack = false;
    int m_fixed = 0;
};

class TTestFrame : public TFrame {
public:
    using TFrame::TFrame;
    void ViewClick(TObject*) { ++Views; }
    int Views = 0;
};

class TTestForm : public TForm {
public:
    using TForm::TForm;
    void Loaded() override;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void OkButtonClick(TObject* sender);
    void SaveActionExecute(TObject* sender);
    void FailingClick(TObject* sender);

    std::vector<std::string> Events;
    std::string SavedPath;
};

} // namespace fwtest
