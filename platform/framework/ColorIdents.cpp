#include "platform/framework/ColorIdents.h"

#include "platform/rtl/Text.h"

#include <utility>
#include <vector>

namespace framework {

namespace {

std::vector<std::pair<std::string, std::uint32_t>>& Table() {
    static std::vector<std::pair<std::string, std::uint32_t>> table = [] {
        std::vector<std::pair<std::string, std::uint32_t>> t = {
            {"clBlack", 0x000000},     {"clMaroon", 0x000080},     {"clGreen", 0x008000},
            {"clOlive", 0x008080},     {"clNavy", 0x800000},       {"clPurple", 0x800080},
            {"clTeal", 0x808000},      {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
            {"clRed", 0x0000FF},       {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
            {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
            {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},    {"clNone", 0x1FFFFFFF},
            {"clDefault", 0x20000000},
        };
        const char* system[] = {"clScrollBar",
                                "clBackground",
                                "clActiveCaption",
                                "clInactiveCaption",
                                "clMenu",
                                "clWindow",
                                "clWindowFrame",
                                "clMenuText",
                                "clWindowText",
                                "clCaptionText",
                                "clActiveBorder",
                                "clInactiveBorder",
                                "clAppWorkSpace",
                                "clHighlight",
                                "clHighlightText",
                                "clBtnFace",
                                "clBtnShadow",
                                "clGrayText",
                                "clBtnText",
                                "clInactiveCaptionText",
                                "clBtnHighlight",
                                "cl3DDkShadow",
                                "cl3DLight",
                                "clInfoText",
                                "clInfoBk",
                                nullptr,
                                "clHotLight",
                                "clGradientActiveCaption",
                                "clGradientInactiveCaption",
                                "clMenuHighlight",
                                "clMenuBar"};
        for (std::uint32_t i = 0; i < sizeof(system) / sizeof(system[0]); ++i)
            if (system[i] != nullptr)
                t.emplace_back(system[i], 0xFF000000u | i);
        return t;
    }();
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
