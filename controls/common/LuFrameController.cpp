#include "controls/common/LuFrameController.h"

#include "controls/common/LuOldPropReader.h"
#include "controls/common/LuRegIniFile.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Filer.h"
#include "platform/framework/TypInfo.h"

#include <algorithm>

namespace lu {

using framework::TComponent;
using framework::TPropKind;
using Setting = FrameControllerSetting;

namespace {

bool IsOrdinalKind(TPropKind kind) {
    return kind == TPropKind::Integer || kind == TPropKind::Enumeration || kind == TPropKind::Color ||
           kind == TPropKind::Boolean;
}

// Controls that lack a property, or have one of another kind, are skipped: the controller serves
// controls of every kind by name.
void SetOrdinalByName(framework::TPersistent& control, const char* name, std::int64_t value) {
    const framework::TPropInfo* p = framework::GetPropInfo(control, name);
    if (p != nullptr && IsOrdinalKind(p->kind))
        framework::SetOrdProp(control, name, value);
}

void SetSidesByName(framework::TPersistent& control, const char* name, TSides sides) {
    const framework::TPropInfo* p = framework::GetPropInfo(control, name);
    if (p != nullptr && p->kind == TPropKind::Set)
        framework::SetSetProp(control, name, framework::SetToString(SideInfo, sides.Bits()));
}

std::int64_t Ord(TColor c) {
    return static_cast<std::int64_t>(c);
}

} // namespace

TLuFrameController::TLuFrameController(TComponent* owner) : TComponent(owner) {}

void TLuFrameController::LinkControl(TComponent* control) {
    if (control == nullptr || std::find(m_controls.begin(), m_controls.end(), control) != m_controls.end())
        return;
    m_controls.push_back(control);
    // A control freed without unlinking still leaves the list.
    control->FreeNotification(this);
    PushSettings(control, Setting::All);
}

void TLuFrameController::UnlinkControl(TComponent* control) {
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
}

void RelinkFrameController(TComponent* control, TLuFrameController*& link, TLuFrameController* value) {
    if (value == link)
        return;
    if (link != nullptr)
        link->UnlinkControl(control);
    link = value;
    if (value != nullptr) {
        value->LinkControl(control);
        value->FreeNotification(control);
    }
}

void TLuFrameController::BeginSettingsChange() {
    ++m_changeCount;
}

void TLuFrameController::EndSettingsChange() {
    --m_changeCount;
    if (m_changeCount <= 0) {
        m_changeCount = 0;
        PushToAll(Setting::All);
    }
}

void TLuFrameController::PushToAll(FrameControllerSetting setting) {
    if (m_changeCount > 0)
        return;
    // A control may unlink itself while it applies the settings.
    for (TComponent* control : std::vector<TComponent*>(m_controls))
        if (std::find(m_controls.begin(), m_controls.end(), control) != m_controls.end())
            PushSettings(control, setting);
}

void TLuFrameController::PushSettings(TComponent* component, FrameControllerSetting setting) {
    auto* control = dynamic_cast<framework::TControl*>(component);
    if (control == nullptr)
        return;
    if (auto* notify = framework::Supports<IFrameControllerNotify>(control)) {
        notify->ApplyFrameController();
        return;
    }
    auto push = [&](Setting s) {
        switch (s) {
        case Setting::All:
            break;
        case Setting::Color:
            SetOrdinalByName(*control, "Color", Ord(m_color));
            break;
        case Setting::FocusColor:
            SetOrdinalByName(*control, "FocusColor", Ord(m_focusColor));
            break;
        case Setting::DisabledColor:
            SetOrdinalByName(*control, "DisabledColor", Ord(m_disabledColor));
            break;
        case Setting::ParentColor:
            SetOrdinalByName(*control, "ParentColor", m_parentColor);
            break;
        case Setting::FlatButtonColor:
            SetOrdinalByName(*control, "FlatButtonColor", Ord(m_flatButtonColor));
            break;
        case Setting::FlatButtons:
            SetOrdinalByName(*control, "FlatButtons", m_flatButtons);
            break;
        case Setting::FrameColor:
            SetOrdinalByName(*control, "FrameColor", Ord(m_frameColor));
            break;
        case Setting::FrameHotColor:
            SetOrdinalByName(*control, "FrameHotColor", Ord(m_frameHotColor));
            break;
        case Setting::FrameHotTrack:
            SetOrdinalByName(*control, "FrameHotTrack", m_frameHotTrack);
            break;
        case Setting::FrameHotStyle:
            SetOrdinalByName(*control, "FrameHotStyle", m_frameHotStyle);
            break;
        case Setting::FrameSides:
            SetSidesByName(*control, "FrameSides", m_frameSides);
            break;
        case Setting::FrameStyle:
            SetOrdinalByName(*control, "FrameStyle", m_frameStyle);
            break;
        case Setting::FrameVisible:
            SetOrdinalByName(*control, "FrameVisible", m_frameVisible);
            break;
        case Setting::FramingPreference:
            SetOrdinalByName(*control, "FramingPreference", m_framingPreference);
            break;
        }
    };
    if (setting != Setting::All) {
        push(setting);
        return;
    }
    push(Setting::ParentColor);
    if (!m_parentColor)
        push(Setting::Color);
    for (Setting s :
         {Setting::DisabledColor, Setting::FocusColor, Setting::FlatButtonColor, Setting::FlatButtons,
          Setting::FrameColor, Setting::FrameHotColor, Setting::FrameHotTrack, Setting::FrameHotStyle,
          Setting::FrameSides, Setting::FrameStyle, Setting::FrameVisible, Setting::FramingPreference})
        push(s);
}

void TLuFrameController::SetColor(TColor value) {
    if (value == m_color)
        return;
    if (m_color == m_focusColor)
        m_focusColor = value;
    m_color = value;
    m_parentColor = false;
    PushToAll(Setting::Color);
}

void TLuFrameController::SetParentColor(bool value) {
    if (!StoreIfChanged(m_parentColor, value))
        return;
    PushToAll(Setting::ParentColor);
    if (!value)
        PushToAll(Setting::Color);
}

void TLuFrameController::SetFlatButtonColor(TColor value) {
    if (StoreIfChanged(m_flatButtonColor, value))
        PushToAll(Setting::FlatButtonColor);
}

void TLuFrameController::SetFlatButtons(bool value) {
    if (StoreIfChanged(m_flatButtons, value))
        PushToAll(Setting::FlatButtons);
}

void TLuFrameController::SetDisabledColor(TColor value) {
    if (StoreIfChanged(m_disabledColor, value))
        PushToAll(Setting::DisabledColor);
}

void TLuFrameController::SetFocusColor(TColor value) {
    if (StoreIfChanged(m_focusColor, value))
        PushToAll(Setting::FocusColor);
}

void TLuFrameController::SetFrameColor(TColor value) {
    if (StoreIfChanged(m_frameColor, value))
        PushToAll(Setting::FrameColor);
}

void TLuFrameController::SetFrameHotColor(TColor value) {
    if (StoreIfChanged(m_frameHotColor, value))
        PushToAll(Setting::FrameHotColor);
}

void TLuFrameController::SetFrameHotTrack(bool value) {
    if (!StoreIfChanged(m_frameHotTrack, value))
        return;
    if (value) {
        // Hot tracking shows on a visible frame all round; the sides follow in the full pushes.
        SetFrameVisible(true);
        if (!ComponentState().Contains(framework::csLoading))
            m_frameSides = sdAllSides;
    }
    PushToAll(Setting::FrameHotTrack);
}

void TLuFrameController::SetFrameHotStyle(TFrameStyle value) {
    if (StoreIfChanged(m_frameHotStyle, value))
        PushToAll(Setting::FrameHotStyle);
}

void TLuFrameController::SetFrameSides(TSides value) {
    if (StoreIfChanged(m_frameSides, value))
        PushToAll(Setting::FrameSides);
}

void TLuFrameController::SetFrameStyle(TFrameStyle value) {
    if (StoreIfChanged(m_frameStyle, value))
        PushToAll(Setting::FrameStyle);
}

void TLuFrameController::SetFrameVisible(bool value) {
    if (StoreIfChanged(m_frameVisible, value))
        PushToAll(Setting::FrameVisible);
}

void TLuFrameController::SetFramingPreference(TFramingPreference value) {
    if (StoreIfChanged(m_framingPreference, value))
        PushToAll(Setting::FramingPreference);
}

void TLuFrameController::SetRegIniFile(TLuRegIniFile* value) {
    m_regIniFile = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TLuFrameController::Assign(const framework::TPersistent* source) {
    const auto* other = dynamic_cast<const TLuFrameController*>(source);
    if (other == nullptr) {
        TComponent::Assign(source);
        return;
    }
    BeginSettingsChange();
    try {
        SetColor(other->m_color);
        SetDisabledColor(other->m_disabledColor);
        SetFlatButtonColor(other->m_flatButtonColor);
        SetFlatButtons(other->m_flatButtons);
        SetFocusColor(other->m_focusColor);
        SetFrameColor(other->m_frameColor);
        SetFrameHotColor(other->m_frameHotColor);
        SetFrameHotStyle(other->m_frameHotStyle);
        SetFrameHotTrack(other->m_frameHotTrack);
        SetFrameSides(other->m_frameSides);
        SetFrameStyle(other->m_frameStyle);
        SetFrameVisible(other->m_frameVisible);
        SetFramingPreference(other->m_framingPreference);
        SetParentColor(other->m_parentColor);
    } catch (...) {
        EndSettingsChange();
        throw;
    }
    EndSettingsChange();
}

void TLuFrameController::ReadFrameFlat(framework::TReader& reader) {
    const bool flat = reader.ReadBoolean();
    SetFrameHotTrack(flat);
    if (flat) {
        SetFrameStyle(fsStatus);
        SetFrameHotStyle(fsLowered);
    }
}

void TLuFrameController::ReadFrameFocusStyle(framework::TReader& reader) {
    // A name that is no frame style leaves the hot style as it is.
    const int style = framework::GetEnumValue(FrameStyleInfo, reader.ReadIdent());
    if (style >= 0)
        SetFrameHotStyle(static_cast<TFrameStyle>(style));
}

void TLuFrameController::DefineProperties(framework::TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty("FrameFlat", [this](framework::TReader& r) { ReadFrameFlat(r); });
    filer.DefineProperty("FrameFocusStyle", [this](framework::TReader& r) { ReadFrameFocusStyle(r); });
    filer.DefineProperty("FrameFlatStyle", &TLuOldPropReader::SkipEnumValue);
}

void TLuFrameController::Loaded() {
    TComponent::Loaded();
    PushToAll(Setting::All);
}

void TLuFrameController::Notification(TComponent* component, framework::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != framework::opRemove)
        return;
    if (component == m_regIniFile)
        m_regIniFile = nullptr;
    UnlinkControl(component);
}

namespace {

using T = TLuFrameController;
[[maybe_unused]] const auto registerFrameController =
    framework::RegisterClass<T, TComponent>("TLuFrameController")
        .Color("Color", &T::Color, &T::SetColor, gdi::clWindow)
        .Stored(&T::IsColorStored)
        .Color("DisabledColor", &T::DisabledColor, &T::SetDisabledColor, gdi::clBtnFace)
        .Color("FlatButtonColor", &T::FlatButtonColor, &T::SetFlatButtonColor, gdi::clBtnFace)
        .Boolean("FlatButtons", &T::FlatButtons, &T::SetFlatButtons, true)
        .Color("FocusColor", &T::FocusColor, &T::SetFocusColor, gdi::clWindow)
        .Color("FrameColor", &T::FrameColor, &T::SetFrameColor, gdi::clBtnShadow)
        .Color("FrameHotColor", &T::FrameHotColor, &T::SetFrameHotColor, gdi::clBtnShadow)
        .Enum("FrameHotStyle", &T::FrameHotStyle, &T::SetFrameHotStyle, FrameStyleInfo,
              std::optional<TFrameStyle>(fsFlatBold))
        .Boolean("FrameHotTrack", &T::FrameHotTrack, &T::SetFrameHotTrack, false)
        .Set("FrameSides", &T::FrameSides, &T::SetFrameSides, SideInfo, std::optional<TSides>(sdAllSides))
        .Enum("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, FrameStyleInfo,
              std::optional<TFrameStyle>(fsFlat))
        .Boolean("FrameVisible", &T::FrameVisible, &T::SetFrameVisible, false)
        .Enum("FramingPreference", &T::FramingPreference, &T::SetFramingPreference, FramingPreferenceInfo,
              std::optional<TFramingPreference>(fpXPThemes))
        .Boolean("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Component("RegIniFile", &T::RegIniFile, &T::SetRegIniFile);

} // namespace

} // namespace lu
