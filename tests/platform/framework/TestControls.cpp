#include "tests/platform/framework/TestControls.h"

#include "platform/framework/TypInfo.h"

#include <algorithm>

namespace fwtest {

// The test controls know the five alignments the framework had before alCustom.
const TEnumInfo TestAlignInfo{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
const TEnumInfo FrameStyleInfo{"TFrameStyle", {"fsNone", "fsFlat", "fsFlatBold", "fsLowered", "fsStatus"}};
const TEnumInfo SideInfo{"TSide", {"sdLeft", "sdTop", "sdRight", "sdBottom"}};

std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

void TTestFont::Assign(const TPersistent* source) {
    if (const auto* font = dynamic_cast<const TTestFont*>(source)) {
        m_name = font->m_name;
        m_height = font->m_height;
        return;
    }
    TPersistent::Assign(source);
}

TTestControl::TTestControl(TComponent* owner) : TComponent(owner) {}

TTestControl::~TTestControl() {
    for (TTestControl* child : m_children)
        child->m_parent = nullptr;
    SetParentComponent(nullptr);
}

void TTestControl::SetParentComponent(TComponent* parent) {
    if (auto* old = dynamic_cast<TTestControl*>(m_parent)) {
        auto& list = old->m_children;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_parent = parent;
    if (auto* now = dynamic_cast<TTestControl*>(parent))
        now->m_children.push_back(this);
}

void TTestControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (TTestControl* child : m_children)
        proc(child);
}

void TTestControl::Loaded() {
    SawLoadingInLoaded = ComponentState().Contains(csLoading);
    ++LoadedCount;
    LoadedLog().push_back(Name());
    TComponent::Loaded();
}

TCustomForm* TTestControl::ParentForm() const {
    for (TComponent* c = m_parent; c != nullptr;) {
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
        c = c->GetParentComponent();
    }
    return nullptr;
}

TTestButton::~TTestButton() {
    m_link.SetAction(nullptr);
}

void TTestButton::SetAction(TBasicAction* action) {
    m_link.SetAction(action);
    if (action != nullptr)
        action->FreeNotification(this);
}

void TTestButton::Notification(TComponent* component, TOperation operation) {
    TTestControl::Notification(component, operation);
    if (operation == opRemove && component == m_link.Action())
        m_link.SetAction(nullptr);
}

void TTestButton::ScriptClick() {
    if (m_modalResult != 0)
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(m_modalResult);
    if (OnClick)
        OnClick(this);
    else if (m_link.Action() != nullptr)
        m_link.Execute(this);
}

void TTestEdit::ScriptType(const std::string& text) {
    m_text += text;
    if (OnChange)
        OnChange(this);
}

void TTestCheckBox::ScriptCheck(bool checked) {
    m_checked = checked;
}

void TTestController::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty("FrameFlat", [this](TReader& r) {
        m_hotTrack = r.ReadBoolean();
        if (m_hotTrack) {
            m_frameStyle = fsStatus;
            m_hotStyle = fsLowered;
        }
    });
    filer.DefineProperty("FrameFocusStyle", [this](TReader& r) {
        int v = GetEnumValue(FrameStyleInfo, r.ReadIdent());
        if (v >= 0)
            m_hotStyle = static_cast<TFrameStyle>(v);
    });
    filer.DefineProperty("FrameSides", [this](TReader& r) {
        r.ReadValue();
        for (std::string s = r.ReadStr(); !s.empty(); s = r.ReadStr())
            SkippedSides.push_back(s);
    });
    filer.DefineProperty(
        "FixedDimension", [this](TReader& r) { m_fixed = static_cast<int>(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(m_fixed); }, true);
}

void TTestController::Loaded() {
    LoadedLog().push_back(Name());
    TComponent::Loaded();
}

void TTestForm::Loaded() {
    LoadedLog().push_back(Name());
    TForm::Loaded();
}

void TTestForm::FormCreate(TObject*) {
    Events.push_back("create");
}
void TTestForm::FormShow(TObject*) {
    Events.push_back("show");
}
void TTestForm::FormClose(TObject*, TCloseAction&) {
    Events.push_back("close");
}
void TTestForm::OkButtonClick(TObject*) {
    Events.push_back("ok");
}

void TTestForm::SaveActionExecute(TObject*) {
    Events.push_back("save");
    if (Application()->MessageBox("保存吗？", Caption(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    auto* dialog = static_cast<TSaveDialog*>(FindComponent("SaveDialog1"));
    if (dialog->Execute())
        SavedPath = dialog->FileName();
}

void TTestForm::FailingClick(TObject*) {
    throw rtl::EConvertError("'x' is not a valid integer value");
}

namespace {

template <class T> TClassBuilder<T> ControlProps(TClassBuilder<T> b) {
    return b.Integer("Left", &T::Left, &T::SetLeft, 0)
        .Integer("Width", &T::Width, &T::SetWidth, 0)
        .Enum("Align", &T::Align, &T::SetAlign, TestAlignInfo, std::optional<TAlign>(alNone))
        .Set("Anchors", &T::Anchors, &T::SetAnchors, AnchorKindInfo,
             std::optional<TAnchors>(TAnchors{akLeft, akTop}))
        .String("Caption", &T::Caption, &T::SetCaption)
        .Color("Color", &T::Color, &T::SetColor, 0xFF00000F)
        .Stored(&T::IsColorStored)
        .Boolean("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Boolean("Visible", &T::Visible, &T::SetVisible, true)
        .Object("Font", &T::Font);
}

[[maybe_unused]] const auto registerFont =
    RegisterClass<TTestFont, TPersistent>("TTestFont")
        .Integer("Height", &TTestFont::Height, &TTestFont::SetHeight, -11)
        .String("Name", &TTestFont::Name, &TTestFont::SetName, "Tahoma");
[[maybe_unused]] const auto registerFrame =
    RegisterClass<TTestFrame, TFrame>("TTestFrame").Handler("ViewClick", &TTestFrame::ViewClick);

[[maybe_unused]] const auto registerControl =
    ControlProps(RegisterClass<TTestControl, TComponent>("TTestControl"));
[[maybe_unused]] const auto registerPanel = RegisterClass<TTestPanel, TTestControl>("TTestPanel");
[[maybe_unused]] const auto registerButton =
    RegisterClass<TTestButton, TTestControl>("TTestButton")
        .Component("Action", &TTestButton::Action, &TTestButton::SetAction)
        .Integer("ModalResult", &TTestButton::ModalResult, &TTestButton::SetModalResult, 0)
        .Event("OnClick", &TTestButton::OnClick);
[[maybe_unused]] const auto registerEdit = RegisterClass<TTestEdit, TTestControl>("TTestEdit")
                                               .String("Text", &TTestEdit::Text, &TTestEdit::SetText)
                                               .Event("OnChange", &TTestEdit::OnChange);
[[maybe_unused]] const auto registerCheckBox =
    RegisterClass<TTestCheckBox, TTestControl>("TTestCheckBox")
        .Boolean("Checked", &TTestCheckBox::Checked, &TTestCheckBox::SetChecked, false);
[[maybe_unused]] const auto registerMemo = RegisterClass<TTestMemo, TTestControl>("TTestMemo")
                                               .Strings("Lines", &TTestMemo::Lines, &TTestMemo::SetLines);
[[maybe_unused]] const auto registerController =
    RegisterClass<TTestController, TComponent>("TTestController")
        .Enum("FrameStyle", &TTestController::FrameStyle, &TTestController::SetFrameStyle, FrameStyleInfo,
              std::optional<TFrameStyle>(fsFlat))
        .Enum("FrameHotStyle", &TTestController::FrameHotStyle, &TTestController::SetFrameHotStyle,
              FrameStyleInfo, std::optional<TFrameStyle>(fsFlatBold))
        .Boolean("FrameHotTrack", &TTestController::FrameHotTrack, &TTestController::SetFrameHotTrack, false);
[[maybe_unused]] const auto registerForm = RegisterClass<TTestForm, TForm>("TTestForm")
                                               .Handler("FormCreate", &TTestForm::FormCreate)
                                               .Handler("FormShow", &TTestForm::FormShow)
                                               .Handler("FormClose", &TTestForm::FormClose)
                                               .Handler("OkButtonClick", &TTestForm::OkButtonClick)
                                               .Handler("SaveActionExecute", &TTestForm::SaveActionExecute)
                                               .Handler("FailingClick", &TTestForm::FailingClick);

} // namespace

} // namespace fwtest
