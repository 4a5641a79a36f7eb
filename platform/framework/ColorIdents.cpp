#include "platform/framework/ColorIdents.h"

#include "platform/gdi/Color.h"
#include "platform/rtl/Text.h"

#include <utility>
#include <vector>

namespace framework {

namespace {

// Seeded with the names that form resources use.
std::vector<std::pair<std::string, std::uint32_t>>& Table() {
    static std::vector<std::pair<std::string, std::uint32_t>> table = {
        {"clBlack", gdi::clBlack},
        {"clMaroon", gdi::clMaroon},
        {"clGreen", gdi::clGreen},
        {"clOlive", gdi::clOlive},
        {"clNavy", gdi::clNavy},
        {"clPurple", gdi::clPurple},
        {"clTeal", gdi::clTeal},
        {"clGray", gdi::clGray},
        {"clSilver", gdi::clSilver},
        {"clRed", gdi::clRed},
        {"clLime", gdi::clLime},
        {"clYellow", gdi::clYellow},
        {"clBlue", gdi::clBlue},
        {"clFuchsia", gdi::clFuchsia},
        {"clAqua", gdi::clAqua},
        {"clWhite", gdi::clWhite},
        {"clMoneyGreen", gdi::clMoneyGreen},
        {"clSkyBlue", gdi::clSkyBlue},
        {"clCream", gdi::clCream},
        {"clMedGray", gdi::clMedGray},
        {"clNone", gdi::clNone},
        {"clDefault", gdi::clDefault},
        {"clScrollBar", gdi::clScrollBar},
        {"clBackground", gdi::clBackground},
        {"clActiveCaption", gdi::clActiveCaption},
        {"clInactiveCaption", gdi::clInactiveCaption},
        {"clMenu", gdi::clMenu},
        {"clWindow", gdi::clWindow},
        {"clWindowFrame", gdi::clWindowFrame},
        {"clMenuText", gdi::clMenuText},
        {"clWindowText", gdi::clWindowText},
        {"clCaptionText", gdi::clCaptionText},
        {"clActiveBorder", gdi::clActiveBorder},
        {"clInactiveBorder", gdi::clInactiveBorder},
        {"clAppWorkSpace", gdi::clAppWorkSpace},
        {"clHighlight", gdi::clHighlight},
        {"clHighlightText", gdi::clHighlightText},
        {"clBtnFace", gdi::clBtnFace},
        {"clBtnShadow", gdi::clBtnShadow},
        {"clGrayText", gdi::clGrayText},
        {"clBtnText", gdi::clBtnText},
        {"clInactiveCaptionText", gdi::clInactiveCaptionText},
        {"clBtnHighlight", gdi::clBtnHighlight},
        {"cl3DDkShadow", gdi::cl3DDkShadow},
        {"cl3DLight", gdi::cl3DLight},
        {"clInfoText", gdi::clInfoText},
        {"clInfoBk", gdi::clInfoBk},
        {"clHotLight", gdi::clHotLight},
        {"clGradientActiveCaption", gdi::clGradientActiveCaption},
        {"clGradientInactiveCaption", gdi::clGradientInactiveCaption},
        {"clMenuHighlight", gdi::clMenuHighlight},
        {"clMenuBar", gdi::clMenuBar},
    };
    return table;
}

} // namespace

void RegisterColorIdent(const std::string& name, std::uint32_t value) {
    for (auto& entry : Table())
        if (rtl::SameText(entry.first, name)) {
            entry.second = value;
            return;
        }
    Table().emplace_back(name, value);
}

std::optional<std::uint32_t> IdentToColor(std::string_view name) {
    for (const auto& entry : Table())
        if (rtl::SameText(entry.first, name))
            return entry.second;
    return std::nullopt;
}

std::optional<std::string> ColorToIdent(std::uint32_t value) {
    for (const auto& entry : Table())
        if (entry.second == value)
            return entry.first;
    return std::nullopt;
}

} // namespace framework
