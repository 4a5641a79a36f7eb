#include "controls/common/LuCommon.h"
#include "platform/framework/CustomControl.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/Forms.h"
#include "platform/win/Ole.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using framework::TComponent;
using lu::FrameControllerSetting;
using lu::TLuFrameController;
using TColor = gdi::TColor;

// Links to a controller through its FrameController property, as the edits do.
class TLinking : public framework::TCustomControl {
public:
    using TCustomControl::TCustomControl;
    ~TLinking() override { SetFrameController(nullptr); }

    TLuFrameController* FrameController() const { return m_controller; }
    void SetFrameController(TLuFrameController* controller) {
        if (controller == m_controller)
            return;
        if (m_controller != nullptr)
            m_controller->UnlinkControl(this);
        m_controller = controller;
        if (controller != nullptr) {
            controller->LinkControl(this);
            controller->FreeNotification(this);
        }
    }
    void Notification(TComponent* component, framework::TOperation operation) override {
        TCustomControl::Notification(component, operation);
        if (operation == framework::opRemove && component == m_controller)
            m_controller = nullptr;
    }

private:
    TLuFrameController* m_controller = nullptr;
};

// A control that knows only some of the settings, as published properties; it logs each one set.
class TPlainFramed : public TLinking {
public:
    using TLinking::TLinking;

    std::vector<std::string> Log;

    void SetColor(TColor c) override {
        Log.push_back("Color");
        TLinking::SetColor(c);
    }
    void SetParentColorLogged(bool v) {
        Log.push_back("ParentColor");
        SetParentColor(v);
    }
#define LOGGED(Type, Name)                                                                                   \
    Type Name() const {                                                                                      \
        return m_##Name;                                                                                     \
    }                                                                                                        \
    void Set##Name(Type v) {                                                                                 \
        Log.push_back(#Name);                                                                                \
        m_##Name = v;                                                                                        \
    }
    LOGGED(TColor, FocusColor)
    LOGGED(TColor, DisabledColor)
    LOGGED(TColor, FrameColor)
    LOGGED(bool, FrameHotTrack)
    LOGGED(lu::TFrameStyle, FrameHotStyle)
    LOGGED(lu::TSides, FrameSides)
    LOGGED(lu::TFrameStyle, FrameStyle)
    LOGGED(bool, FrameVisible)
    LOGGED(std::string, FrameHotColor) // of another kind than the controller's: skipped
#undef LOGGED

private:
    TColor m_FocusColor = 0;
    TColor m_DisabledColor = 0;
    TColor m_FrameColor = 0;
    bool m_FrameHotTrack = false;
    lu::TFrameStyle m_FrameHotStyle = lu::fsNone;
    lu::TSides m_FrameSides;
    lu::TFrameStyle m_FrameStyle = lu::fsNone;
    bool m_FrameVisible = false;
    std::string m_FrameHotColor;
};

// A control that pulls the settings itself.
class TNotified : public TLinking, public lu::IFrameControllerNotify {
public:
    using TLinking::TLinking;
    int applied = 0;
    void ApplyFrameController() override { ++applied; }
    // Properties that older versions of the control had.
    void DefineProperties(framework::TFiler& filer) override {
        TLinking::DefineProperties(filer);
        filer.DefineProperty("FrameSides", &lu::TLuOldPropReader::SkipSetValue);
        filer.DefineProperty("FrameFlatStyle", &lu::TLuOldPropReader::SkipEnumValue);
    }
};

class TControllerTestForm : public framework::TForm {
public:
    using TForm::TForm;
};

using P = TPlainFramed;
[[maybe_unused]] const auto registerPlain =
    framework::RegisterClass<P, framework::TCustomControl>("TPlainFramed")
        .Color("Color", &P::Color, &P::SetColor)
        .Boolean("ParentColor", &P::ParentColor, &P::SetParentColorLogged, false)
        .Color("FocusColor", &P::FocusColor, &P::SetFocusColor)
        .Color("DisabledColor", &P::DisabledColor, &P::SetDisabledColor)
        .Color("FrameColor", &P::FrameColor, &P::SetFrameColor)
        .Boolean("FrameHotTrack", &P::FrameHotTrack, &P::SetFrameHotTrack)
        .Enum("FrameHotStyle", &P::FrameHotStyle, &P::SetFrameHotStyle, lu::FrameStyleInfo)
        .Set("FrameSides", &P::FrameSides, &P::SetFrameSides, lu::SideInfo)
        .Enum("FrameStyle", &P::FrameStyle, &P::SetFrameStyle, lu::FrameStyleInfo)
        .Boolean("FrameVisible", &P::FrameVisible, &P::SetFrameVisible)
        .String("FrameHotColor", &P::FrameHotColor, &P::SetFrameHotColor)
        .Component("FrameController", &P::FrameController, &P::SetFrameController);
[[maybe_unused]] const auto registerNotified =
    framework::RegisterClass<TNotified, framework::TCustomControl>("TNotified")
        .Component("FrameController", &TNotified::FrameController, &TNotified::SetFrameController);
[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TControllerTestForm, framework::TForm>("TControllerTestForm");

const std::vector<std::string> FullPush = {"ParentColor", "Color",         "DisabledColor", "FocusColor",
                                           "FrameColor",  "FrameHotTrack", "FrameHotStyle", "FrameSides",
                                           "FrameStyle",  "FrameVisible"};

TEST(FrameController, HasTheDocumentedDefaults) {
    TLuFrameController c(nullptr);
    EXPECT_EQ(c.Color(), gdi::clWindow);
    EXPECT_EQ(c.DisabledColor(), gdi::clBtnFace);
    EXPECT_EQ(c.FlatButtonColor(), gdi::clBtnFace);
    EXPECT_TRUE(c.FlatButtons());
    EXPECT_EQ(c.FocusColor(), gdi::clWindow);
    EXPECT_EQ(c.FrameColor(), gdi::clBtnShadow);
    EXPECT_EQ(c.FrameHotColor(), gdi::clBtnShadow);
    EXPECT_EQ(c.FrameHotStyle(), lu::fsFlatBold);
    EXPECT_FALSE(c.FrameHotTrack());
    EXPECT_EQ(c.FrameSides(), lu::sdAllSides);
    EXPECT_EQ(c.FrameStyle(), lu::fsFlat);
    EXPECT_FALSE(c.FrameVisible());
    EXPECT_EQ(c.FramingPreference(), lu::fpXPThemes);
    EXPECT_FALSE(c.ParentColor());
    EXPECT_EQ(c.ChangeCount(), 0);
    EXPECT_TRUE(c.LinkedControls().empty());
    EXPECT_EQ(lu::IFrameControllerNotify::IID, "{64B1C9EA-C954-428A-95C4-4EA2EB0F1E16}");
}

TEST(FrameController, LinkingPushesEverythingOnceInOrder) {
    TLuFrameController c(nullptr);
    c.SetFrameStyle(lu::fsLowered);
    c.SetFrameSides(lu::TSides{lu::sdLeft, lu::sdBottom});
    c.SetFocusColor(gdi::clYellow);
    TPlainFramed edit(nullptr);
    edit.SetFrameController(&c);
    EXPECT_EQ(edit.Log, FullPush);
    EXPECT_EQ(edit.FrameStyle(), lu::fsLowered);
    EXPECT_EQ(edit.FrameSides(), (lu::TSides{lu::sdLeft, lu::sdBottom}));
    EXPECT_EQ(edit.FocusColor(), gdi::clYellow);
    EXPECT_EQ(edit.FrameColor(), gdi::clBtnShadow);
    EXPECT_EQ(edit.FrameHotColor(), ""); // a string property of that name is not the controller's
    edit.Log.clear();
    c.LinkControl(&edit);
    EXPECT_TRUE(edit.Log.empty());
    EXPECT_EQ(c.LinkedControls().size(), 1u);
}

TEST(FrameController, ParentColorKeepsTheControlsOwnColor) {
    TLuFrameController c(nullptr);
    c.SetColor(gdi::clAqua);
    c.SetParentColor(true);
    TPlainFramed edit(nullptr);
    edit.SetColor(gdi::clRed);
    edit.Log.clear();
    edit.SetFrameController(&c);
    EXPECT_TRUE(edit.ParentColor());
    EXPECT_EQ(edit.Log.front(), "ParentColor");
    EXPECT_EQ(std::count(edit.Log.begin(), edit.Log.end(), "Color"), 0);
    EXPECT_EQ(edit.Color(), gdi::clRed);

    // Back to its own colour: the flag goes first, then the colour follows.
    edit.Log.clear();
    c.SetParentColor(false);
    EXPECT_EQ(edit.Log, (std::vector<std::string>{"ParentColor", "Color"}));
    EXPECT_EQ(edit.Color(), gdi::clAqua);
}

TEST(FrameController, SuspendedChangesArriveAsOneFullPush) {
    TLuFrameController c(nullptr);
    TPlainFramed edit(nullptr);
    edit.SetFrameController(&c);
    edit.Log.clear();
    c.BeginSettingsChange();
    c.BeginSettingsChange();
    c.SetFrameStyle(lu::fsRaised);
    c.EndSettingsChange();
    EXPECT_TRUE(edit.Log.empty());
    c.EndSettingsChange();
    EXPECT_EQ(edit.Log, FullPush);
    EXPECT_EQ(edit.FrameStyle(), lu::fsRaised);

    // An unmatched end leaves the counter at 0 and still pushes.
    edit.Log.clear();
    c.EndSettingsChange();
    EXPECT_EQ(c.ChangeCount(), 0);
    EXPECT_EQ(edit.Log, FullPush);
}

TEST(FrameController, HotTrackingShowsTheFrameFirst) {
    TLuFrameController c(nullptr);
    c.SetFrameSides(lu::TSides{lu::sdTop});
    TPlainFramed edit(nullptr);
    edit.SetFrameController(&c);
    edit.Log.clear();
    c.SetFrameHotTrack(true);
    EXPECT_EQ(edit.Log, (std::vector<std::string>{"FrameVisible", "FrameHotTrack"}));
    EXPECT_TRUE(c.FrameVisible());
    // The sides change on the controller but reach the controls only with the next full push.
    EXPECT_EQ(c.FrameSides(), lu::sdAllSides);
    EXPECT_EQ(edit.FrameSides(), lu::TSides{lu::sdTop});
}

TEST(FrameController, ColorCarriesTheFocusColourAlongButPushesOnlyColor) {
    TLuFrameController c(nullptr);
    TPlainFramed edit(nullptr);
    edit.SetFrameController(&c);
    edit.Log.clear();
    c.SetColor(gdi::clLime);
    EXPECT_EQ(c.FocusColor(), gdi::clLime);
    EXPECT_EQ(edit.Log, (std::vector<std::string>{"Color"}));
    EXPECT_EQ(edit.FocusColor(), gdi::clWindow);

    // Once they differ, the focus colour stays.
    c.SetColor(gdi::clRed);
    EXPECT_EQ(c.FocusColor(), gdi::clRed);
    c.SetFocusColor(gdi::clYellow);
    c.SetColor(gdi::clBlue);
    EXPECT_EQ(c.FocusColor(), gdi::clYellow);
}

TEST(FrameController, EachSettingReachesEveryLinkedControl) {
    TLuFrameController c(nullptr);
    TPlainFramed first(nullptr), second(nullptr);
    TNotified panel(nullptr);
    first.SetFrameController(&c);
    panel.SetFrameController(&c);
    second.SetFrameController(&c);
    EXPECT_EQ(panel.applied, 1);

    struct Case {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> pushed; // to a control that has only some of the properties
    };
    const std::vector<Case> cases = {
        {"Color", [&] { c.SetColor(gdi::clTeal); }, {"Color"}},
        {"FocusColor", [&] { c.SetFocusColor(gdi::clNavy); }, {"FocusColor"}},
        {"DisabledColor", [&] { c.SetDisabledColor(gdi::clGray); }, {"DisabledColor"}},
        {"ParentColor", [&] { c.SetParentColor(true); }, {"ParentColor"}},
        {"FlatButtonColor", [&] { c.SetFlatButtonColor(gdi::clRed); }, {}},
        {"FlatButtons", [&] { c.SetFlatButtons(false); }, {}},
        {"FrameColor", [&] { c.SetFrameColor(gdi::clMaroon); }, {"FrameColor"}},
        {"FrameHotColor", [&] { c.SetFrameHotColor(gdi::clRed); }, {}},
        {"FrameHotStyle", [&] { c.SetFrameHotStyle(lu::fsBump); }, {"FrameHotStyle"}},
        {"FrameSides", [&] { c.SetFrameSides(lu::TSides{lu::sdRight}); }, {"FrameSides"}},
        {"FrameStyle", [&] { c.SetFrameStyle(lu::fsGroove); }, {"FrameStyle"}},
        {"FrameVisible", [&] { c.SetFrameVisible(true); }, {"FrameVisible"}},
        {"FrameHotTrack", [&] { c.SetFrameHotTrack(true); }, {"FrameHotTrack"}},
        {"FramingPreference", [&] { c.SetFramingPreference(lu::fpCustomFraming); }, {}},
    };
    for (const Case& k : cases) {
        first.Log.clear();
        second.Log.clear();
        const int before = panel.applied;
        k.change();
        EXPECT_EQ(first.Log, k.pushed) << k.name;
        EXPECT_EQ(second.Log, k.pushed) << k.name;
        EXPECT_EQ(panel.applied, before + 1) << k.name;
        // An equal value changes nothing.
        k.change();
        EXPECT_EQ(first.Log, k.pushed) << k.name;
        EXPECT_EQ(panel.applied, before + 1) << k.name;
    }
    EXPECT_EQ(first.FrameHotStyle(), lu::fsBump);
    EXPECT_EQ(second.FrameSides(), lu::TSides{lu::sdRight});
    EXPECT_EQ(first.DisabledColor(), gdi::clGray);
}

TEST(FrameController, FreedControlsLeaveTheList) {
    TLuFrameController c(nullptr);
    auto unlinking = std::make_unique<TPlainFramed>(nullptr);
    auto silent = std::make_unique<framework::TCustomControl>(nullptr); // never unlinks itself
    TPlainFramed kept(nullptr);
    unlinking->SetFrameController(&c);
    c.LinkControl(silent.get());
    kept.SetFrameController(&c);
    EXPECT_EQ(c.LinkedControls().size(), 3u);
    unlinking.reset();
    silent.reset();
    EXPECT_EQ(c.LinkedControls(), (std::vector<TComponent*>{&kept}));
    kept.Log.clear();
    c.SetFrameStyle(lu::fsBump);
    EXPECT_EQ(kept.Log, (std::vector<std::string>{"FrameStyle"}));
    kept.SetFrameController(nullptr);
    EXPECT_TRUE(c.LinkedControls().empty());

    // A controller that goes first is forgotten by its controls.
    auto gone = std::make_unique<TLuFrameController>(nullptr);
    kept.SetFrameController(gone.get());
    gone.reset();
    EXPECT_EQ(kept.FrameController(), nullptr);
}

TEST(FrameController, NonControlsAreLinkedButNotSet) {
    TLuFrameController c(nullptr);
    TComponent plain(nullptr);
    c.LinkControl(&plain);
    c.SetFrameStyle(lu::fsRaised);
    EXPECT_EQ(c.LinkedControls().size(), 1u);
    c.UnlinkControl(&plain);
    EXPECT_TRUE(c.LinkedControls().empty());
}

TEST(FrameController, AssignCopiesAllSettingsInOnePush) {
    TLuFrameController source(nullptr);
    source.SetColor(gdi::clAqua);
    source.SetFocusColor(gdi::clYellow);
    source.SetDisabledColor(gdi::clGray);
    source.SetFlatButtonColor(gdi::clRed);
    source.SetFlatButtons(false);
    source.SetFrameColor(gdi::clMaroon);
    source.SetFrameHotColor(gdi::clNavy);
    source.SetFrameHotStyle(lu::fsBump);
    source.SetFrameStyle(lu::fsStatus);
    source.SetFrameVisible(true);
    source.SetFrameSides(lu::TSides{lu::sdLeft});
    source.SetFramingPreference(lu::fpCustomFraming);
    source.SetParentColor(true);

    TLuFrameController c(nullptr);
    TPlainFramed edit(nullptr);
    edit.SetFrameController(&c);
    edit.Log.clear();
    c.Assign(&source);
    // One full push; the colour stays out because ParentColor is True.
    const std::vector<std::string> expected = {"ParentColor", "DisabledColor", "FocusColor",
                                               "FrameColor",  "FrameHotTrack", "FrameHotStyle",
                                               "FrameSides",  "FrameStyle",    "FrameVisible"};
    EXPECT_EQ(edit.Log, expected);
    EXPECT_EQ(c.Color(), gdi::clAqua);
    EXPECT_EQ(c.FocusColor(), gdi::clYellow);
    EXPECT_EQ(c.DisabledColor(), gdi::clGray);
    EXPECT_EQ(c.FlatButtonColor(), gdi::clRed);
    EXPECT_FALSE(c.FlatButtons());
    EXPECT_EQ(c.FrameColor(), gdi::clMaroon);
    EXPECT_EQ(c.FrameHotColor(), gdi::clNavy);
    EXPECT_EQ(c.FrameHotStyle(), lu::fsBump);
    EXPECT_EQ(c.FrameStyle(), lu::fsStatus);
    EXPECT_TRUE(c.FrameVisible());
    EXPECT_EQ(c.FrameSides(), lu::TSides{lu::sdLeft});
    EXPECT_EQ(c.FramingPreference(), lu::fpCustomFraming);
    EXPECT_TRUE(c.ParentColor());

    TComponent other(nullptr);
    EXPECT_THROW(c.Assign(&other), rtl::Exception);
}

TEST(FrameController, RegIniFileIsForgottenWhenFreed) {
    TLuFrameController c(nullptr);
    auto location = std::make_unique<lu::TLuRegIniFile>(nullptr);
    c.SetRegIniFile(location.get());
    EXPECT_EQ(c.RegIniFile(), location.get());
    location.reset();
    EXPECT_EQ(c.RegIniFile(), nullptr);
}

// Old streams: the controller's FrameFlat and FrameFocusStyle are mapped, FrameFlatStyle dropped;
// none of them is written back.
TEST(FrameController, ReadsObsoletePropertiesAndWritesWithoutThem) {
    const char* text = "object F: TControllerTestForm\n"
                       "  object Ctl: TLuFrameController\n"
                       "    FrameFlat = True\n"
                       "    FrameFocusStyle = fsButtonUp\n"
                       "    FrameFlatStyle = fsFlat\n"
                       "    FrameColor = clRed\n"
                       "  end\n"
                       "  object Panel: TNotified\n"
                       "    FrameSides = [sdLeft, sdTop]\n"
                       "    FrameFlatStyle = fsFlat\n"
                       "    Caption = 'after'\n"
                       "  end\n"
                       "  object Edit: TPlainFramed\n"
                       "    FrameStyle = fsBump\n"
                       "    FrameController = Ctl\n"
                       "  end\n"
                       "end\n";
    TControllerTestForm form(nullptr);
    framework::ReadComponentText(form, text, "old.form");
    auto* c = dynamic_cast<TLuFrameController*>(form.FindComponent("Ctl"));
    auto* edit = dynamic_cast<TPlainFramed*>(form.FindComponent("Edit"));
    ASSERT_NE(c, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(c->FrameHotTrack());
    EXPECT_EQ(c->FrameStyle(), lu::fsStatus);
    EXPECT_EQ(c->FrameHotStyle(), lu::fsButtonUp);
    EXPECT_TRUE(c->FrameVisible());
    // Loading does not turn the sides on through hot tracking.
    EXPECT_EQ(c->FrameSides(), lu::sdAllSides);
    // The controller's settings win over the control's own streamed ones.
    EXPECT_EQ(edit->FrameStyle(), lu::fsStatus);
    EXPECT_EQ(edit->FrameColor(), gdi::clRed);
    EXPECT_EQ(edit->FrameController(), c);
    // The old panel properties were read past, so what follows them arrived.
    EXPECT_EQ(dynamic_cast<TNotified*>(form.FindComponent("Panel"))->Caption(), "after");

    const std::string written = framework::WriteComponentText(form);
    for (const char* old :
         {"FrameFlat ", "FrameFocusStyle", "FrameFlatStyle", "FrameSides = [sdLeft, sdTop]"})
        EXPECT_EQ(written.find(old), std::string::npos) << old << " in\n" << written;
    EXPECT_NE(written.find("FrameHotTrack = True"), std::string::npos) << written;
    EXPECT_NE(written.find("FrameHotStyle = fsButtonUp"), std::string::npos) << written;
    EXPECT_NE(written.find("FrameController = Ctl"), std::string::npos) << written;

    // What was written reads back to the same settings.
    TControllerTestForm copy(nullptr);
    framework::ReadComponentText(copy, written, "new.form");
    auto* c2 = dynamic_cast<TLuFrameController*>(copy.FindComponent("Ctl"));
    ASSERT_NE(c2, nullptr);
    EXPECT_EQ(c2->FrameStyle(), lu::fsStatus);
    EXPECT_EQ(c2->FrameHotStyle(), lu::fsButtonUp);
    EXPECT_EQ(c2->FrameColor(), gdi::clRed);
}

TEST(FrameController, OldValuesThatFitNothingAreRefusedOrIgnored) {
    auto read = [](const std::string& body) {
        TControllerTestForm form(nullptr);
        framework::ReadComponentText(
            form, "object F: TControllerTestForm\n  object Ctl: TLuFrameController\n" + body + "  end\nend\n",
            "old.form");
        return dynamic_cast<TLuFrameController*>(form.FindComponent("Ctl"))->FrameHotStyle();
    };
    // A style name that no longer exists leaves the hot style alone.
    EXPECT_EQ(read("    FrameFocusStyle = fsShiny\n"), lu::fsFlatBold);
    EXPECT_EQ(read("    FrameFlat = False\n"), lu::fsFlatBold);
    EXPECT_THROW(read("    FrameFlatStyle = 'flat'\n"), framework::EReadError);
    TControllerTestForm form(nullptr);
    EXPECT_THROW(framework::ReadComponentText(
                     form,
                     "object F: TControllerTestForm\n  object P: TNotified\n    FrameSides = 3\n  end\nend\n",
                     "old.form"),
                 framework::EReadError);
}

// The location is kept as it is set, from code and from a form stream, and only what differs from
// the defaults is written back. LocationChanged is set at construction and nothing here clears
// it: nothing reads or writes settings through the component, and only that use would take the
// flag back. What this guards of the flag is that no assignment, changing or equal, clears it.
TEST(RegIniFile, KeepsItsLocationAndWhetherItChanged) {
    lu::TLuRegIniFile r(nullptr);
    EXPECT_EQ(r.Path(), "");
    EXPECT_EQ(r.PathType(), lu::ptIniFile);
    EXPECT_EQ(r.RegKey(), lu::hkeyCurrentUser);
    EXPECT_EQ(r.RegAccess(), lu::TLuRegAccess{lu::keyAllAccess});
    EXPECT_EQ(r.RegAccess().Bits(), 1u << 9);
    EXPECT_TRUE(r.LocationChanged());
    r.SetPath("settings.ini");
    r.SetPath("settings.ini");
    r.SetPathType(lu::ptRegistry);
    r.SetRegKey(lu::hkeyLocalMachine);
    r.SetRegAccess(lu::TLuRegAccess{lu::keyRead, lu::keyWrite});
    EXPECT_EQ(r.Path(), "settings.ini");
    EXPECT_EQ(r.PathType(), lu::ptRegistry);
    EXPECT_EQ(r.RegKey(), lu::hkeyLocalMachine);
    EXPECT_EQ(r.RegAccess().Bits(), (1u << 6) | (1u << 7));
    EXPECT_TRUE(r.LocationChanged());

    const char* text = "object F: TControllerTestForm\n"
                       "  object Settings: TLuRegIniFile\n"
                       "    Path = 'Software\\Velmora\\Tarnwick'\n"
                       "    PathType = ptRegistry\n"
                       "    RegAccess = [keyQueryValue, keyEnumerateSubKeys]\n"
                       "  end\n"
                       "end\n";
    TControllerTestForm form(nullptr);
    framework::ReadComponentText(form, text, "settings.form");
    auto* read = dynamic_cast<lu::TLuRegIniFile*>(form.FindComponent("Settings"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Path(), "Software\\Velmora\\Tarnwick");
    EXPECT_EQ(read->PathType(), lu::ptRegistry);
    EXPECT_EQ(read->RegKey(), lu::hkeyCurrentUser);
    EXPECT_EQ(read->RegAccess().Bits(), (1u << 0) | (1u << 3));
    EXPECT_TRUE(read->LocationChanged());
    const std::string written = framework::WriteComponentText(form);
    EXPECT_NE(written.find("PathType = ptRegistry"), std::string::npos) << written;
    EXPECT_NE(written.find("RegAccess = [keyQueryValue, keyEnumerateSubKeys]"), std::string::npos) << written;
    EXPECT_EQ(written.find("RegKey"), std::string::npos) << written;
    TControllerTestForm copy(nullptr);
    framework::ReadComponentText(copy, written, "copy.form");
    auto* again = dynamic_cast<lu::TLuRegIniFile*>(copy.FindComponent("Settings"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Path(), read->Path());
    EXPECT_EQ(again->RegAccess(), read->RegAccess());
}

TEST(ComStartup, CountsSoThatOnlyTheOuterPairReachesCom) {
    // The library started COM when it was loaded.
    EXPECT_EQ(lu::ComStartupCount(), 1);
    const int com = win::CoInitCount();
    EXPECT_GE(com, 1);
    lu::ComStartupInitialize();
    EXPECT_EQ(win::CoInitCount(), com);
    lu::ComStartupFinalize();
    EXPECT_EQ(win::CoInitCount(), com);
    EXPECT_EQ(lu::ComStartupCount(), 1);
}

} // namespace
