#include "controls/button/LuButtonKinds.h"

#include "platform/framework/ResString.h"

#include <memory>

namespace lu {

namespace {

constexpr framework::TResString SOKButton{"OK"};
constexpr framework::TResString SCancelButton{"Cancel"};
constexpr framework::TResString SHelpButton{"&Help"};
constexpr framework::TResString SYesButton{"&Yes"};
constexpr framework::TResString SNoButton{"&No"};
constexpr framework::TResString SCloseButton{"&Close"};
constexpr framework::TResString SAbortButton{"Abort"};
constexpr framework::TResString SRetryButton{"&Retry"};
constexpr framework::TResString SIgnoreButton{"&Ignore"};
constexpr framework::TResString SAllButton{"&All"};

std::array<std::unique_ptr<framework::TBitmap>, BitBtnKindCount>& KindGlyphCache() {
    static std::array<std::unique_ptr<framework::TBitmap>, BitBtnKindCount> cache;
    return cache;
}

} // namespace

const framework::TEnumInfo BitBtnKindInfo{"TBitBtnKind",
                                          {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                           "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};

const std::array<const char*, BitBtnKindCount> KindResourceNames = {
    nullptr,         "LUCOMMON_OK",    "LUCOMMON_CANCEL", "LUCOMMON_HELP",   "LUCOMMON_YES", "LUCOMMON_NO",
    "LUCOMMON_CLOSE", "LUCOMMON_ABORT", "LUCOMMON_RETRY", "LUCOMMON_IGNORE", "LUCOMMON_ALL",
};

const std::array<std::string, BitBtnKindCount> KindCaptions = {
    std::string(),
    framework::LoadResString(SOKButton),
    framework::LoadResString(SCancelButton),
    framework::LoadResString(SHelpButton),
    framework::LoadResString(SYesButton),
    framework::LoadResString(SNoButton),
    framework::LoadResString(SCloseButton),
    framework::LoadResString(SAbortButton),
    framework::LoadResString(SRetryButton),
    framework::LoadResString(SIgnoreButton),
    framework::LoadResString(SAllButton),
};

const std::array<framework::TModalResult, BitBtnKindCount> KindModalResults = {
    framework::mrNone,  framework::mrOk,    framework::mrCancel, framework::mrNone,
    framework::mrYes,   framework::mrNo,    framework::mrNone,   framework::mrAbort,
    framework::mrRetry, framework::mrIgnore, framework::mrAll,
};

framework::TBitmap* LoadButtonKindGlyph(TBitBtnKind kind) {
    if (int(kind) >= BitBtnKindCount)
        throw framework::EInvalidOperation("Invalid bit button kind " + std::to_string(int(kind)));
    std::unique_ptr<framework::TBitmap>& glyph = KindGlyphCache()[kind];
    if (!glyph) {
        auto loaded = std::make_unique<framework::TBitmap>();
        if (const char* name = KindResourceNames[kind])
            loaded->LoadFromResourceName(name);
        glyph = std::move(loaded);
    }
    return glyph.get();
}

} // namespace lu
