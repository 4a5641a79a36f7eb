#pragma once

#include "platform/gdi/DeviceContext.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

// Parts and states of the elements the controls draw themed.
enum : int { BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4 };
enum : int { PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5 };
enum : int {
    CBS_UNCHECKEDNORMAL = 1,
    CBS_UNCHECKEDHOT = 2,
    CBS_UNCHECKEDPRESSED = 3,
    CBS_UNCHECKEDDISABLED = 4,
    CBS_CHECKEDNORMAL = 5,
    CBS_CHECKEDHOT = 6,
    CBS_CHECKEDPRESSED = 7,
    CBS_CHECKEDDISABLED = 8,
    CBS_MIXEDNORMAL = 9,
    CBS_MIXEDHOT = 10,
    CBS_MIXEDPRESSED = 11,
    CBS_MIXEDDISABLED = 12,
};
enum : int { GBS_NORMAL = 1, GBS_DISABLED = 2 };
enum : int { CP_DROPDOWNBUTTON = 1 };
enum : int { CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4 };
enum : int { SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4 };
enum : int { UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4 };
enum : int { WP_SMALLCLOSEBUTTON = 19 };
enum : int { CBS_NORMAL = 1, CBS_HOT = 2, CBS_PUSHED = 3, CBS_DISABLED = 4 };
enum : int { EP_EDITTEXT = 1 };
enum : int {
    ETS_NORMAL = 1,
    ETS_HOT = 2,
    ETS_SELECTED = 3,
    ETS_DISABLED = 4,
    ETS_FOCUSED = 5,
    ETS_READONLY = 6
};

struct ThemedElementDetails {
    std::string className; // "BUTTON", "COMBOBOX", "SPIN", "WINDOW", "EDIT"
    int part = 0;
    int state = 0;
    friend bool operator==(const ThemedElementDetails&, const ThemedElementDetails&) = default;
};

struct ThemeCall {
    std::string call; // "DrawElement", "DrawText" or "DrawParentBackground"
    ThemedElementDetails details;
    RECT rect{};
    std::string text;
};

// The visual styles of the system: off by default; tests switch them on. Elements get simple
// renderings of our own, and every call is recorded.
class ThemeServices {
public:
    // Paints the part of a window's parent that lies under it (installed by the framework).
    using ParentBackgroundPainter = std::function<void(void* window, HDC dc, const RECT* r)>;

    bool ThemesEnabled() const { return m_enabled; }
    void SetThemesEnabled(bool enabled) { m_enabled = enabled; }

    // Raises rtl::Exception for an element or state it does not know.
    void DrawElement(HDC dc, const ThemedElementDetails& details, const RECT& r, const RECT* clip = nullptr);
    void DrawText(HDC dc, const ThemedElementDetails& details, std::string_view text, RECT r,
                  unsigned format);
    bool HasTransparentParts(const ThemedElementDetails& details) const;
    // Raises rtl::Exception when no painter is installed.
    void DrawParentBackground(void* window, HDC dc, const ThemedElementDetails* details,
                              bool onlyIfTransparent, const RECT* r = nullptr);
    void SetParentBackgroundPainter(ParentBackgroundPainter painter) { m_parentPainter = std::move(painter); }

    const std::vector<ThemeCall>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    bool m_enabled = false;
    ParentBackgroundPainter m_parentPainter;
    std::vector<ThemeCall> m_calls;
};

ThemeServices& GetThemeServices();

} // namespace gdi
