#pragma once

#include "controls/common/LuCommonTypes.h"
#include "platform/framework/Classes.h"
#include "platform/gdi/Color.h"

#include <string_view>
#include <vector>

// One component that gives many framed controls one look: it holds the colour and frame settings
// and pushes every change into the controls linked to it.
namespace lu {

using TColor = gdi::TColor;
class TLuRegIniFile;

// What a push carries: everything, or the one setting that changed.
enum class FrameControllerSetting : int {
    All = 0,
    Color = 1,
    FocusColor = 2,
    DisabledColor = 3,
    ParentColor = 4,
    FlatButtonColor = 5,
    FlatButtons = 6,
    FrameColor = 7,
    FrameHotColor = 8,
    FrameHotTrack = 9,
    FrameHotStyle = 10,
    FrameSides = 11,
    FrameStyle = 12,
    FrameVisible = 13,
    FramingPreference = 14
};

// A control that knows the controller reads the settings from its own FrameController itself
// and repaints; the controller then calls only this, whatever changed.
class IFrameControllerNotify : public framework::IInterface {
public:
    static constexpr std::string_view IID = "{64B1C9EA-C954-428A-95C4-4EA2EB0F1E16}";
    virtual void ApplyFrameController() = 0;
};

class TLuFrameController : public framework::TComponent {
public:
    explicit TLuFrameController(framework::TComponent* owner);

    TColor Color() const { return m_color; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return m_parentColor; }
    virtual void SetParentColor(bool value);
    TColor FlatButtonColor() const { return m_flatButtonColor; }
    virtual void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return m_flatButtons; }
    virtual void SetFlatButtons(bool value);
    TColor DisabledColor() const { return m_disabledColor; }
    virtual void SetDisabledColor(TColor value);
    TColor FocusColor() const { return m_focusColor; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return m_frameColor; }
    virtual void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return m_frameHotColor; }
    virtual void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return m_frameHotTrack; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return m_frameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return m_frameSides; }
    virtual void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    virtual void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return m_frameVisible; }
    virtual void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return m_framingPreference; }
    virtual void SetFramingPreference(TFramingPreference value);
    // Nothing reads it; the reference is cleared when that component goes.
    TLuRegIniFile* RegIniFile() const { return m_regIniFile; }
    virtual void SetRegIniFile(TLuRegIniFile* value);
    bool IsColorStored() const { return !m_parentColor; }

    // Linking pushes all settings to the control at once; linking it again does nothing.
    void LinkControl(framework::TComponent* control);
    void UnlinkControl(framework::TComponent* control);
    // Suspends pushes; the matching end pushes all settings once.
    void BeginSettingsChange();
    void EndSettingsChange();
    virtual void PushSettings(framework::TComponent* control, FrameControllerSetting setting);
    virtual void PushToAll(FrameControllerSetting setting);

    // The linked controls in link order; the controller does not own them.
    const std::vector<framework::TComponent*>& LinkedControls() const { return m_controls; }
    int ChangeCount() const { return m_changeCount; }

    void Assign(const framework::TPersistent* source) override;
    void DefineProperties(framework::TFiler& filer) override;
    void Loaded() override;
    void Notification(framework::TComponent* component, framework::TOperation operation) override;

private:
    void ReadFrameFlat(framework::TReader& reader);
    void ReadFrameFocusStyle(framework::TReader& reader);

    TColor m_color = gdi::clWindow;
    TColor m_disabledColor = gdi::clBtnFace;
    TColor m_flatButtonColor = gdi::clBtnFace;
    bool m_flatButtons = true;
    TColor m_focusColor = gdi::clWindow;
    TColor m_frameColor = gdi::clBtnShadow;
    TColor m_frameHotColor = gdi::clBtnShadow;
    TFrameStyle m_frameHotStyle = fsFlatBold;
    bool m_frameHotTrack = false;
    TSides m_frameSides = sdAllSides;
    TFrameStyle m_frameStyle = fsFlat;
    bool m_frameVisible = false;
    TFramingPreference m_framingPreference = fpXPThemes;
    bool m_parentColor = false;
    TLuRegIniFile* m_regIniFile = nullptr;
    int m_changeCount = 0;
    std::vector<framework::TComponent*> m_controls;
};

// Moves a control from the controller it follows to another, or to none; the control hears when the
// new controller is freed.
void RelinkFrameController(framework::TComponent* control, TLuFrameController*& link, TLuFrameController* value);

} // namespace lu
