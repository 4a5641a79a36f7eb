#pragma once

#include "platform/framework/Forms.h"
#include "platform/framework/Graphics.h"
#include "platform/framework/TypInfo.h"

#include <array>
#include <cstdint>
#include <string>

// The standard kinds of bit button: each brings its caption, its glyph and its modal result.
namespace lu {

enum TBitBtnKind : std::uint8_t {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
constexpr int BitBtnKindCount = 11;
extern const framework::TEnumInfo BitBtnKindInfo;

// The bitmap resource of each kind (none for bkCustom): 32 x 16, a normal and a disabled cell.
extern const std::array<const char*, BitBtnKindCount> KindResourceNames;
// Loaded from the library's resource strings when the library starts; bkCustom's is empty.
extern const std::array<std::string, BitBtnKindCount> KindCaptions;
extern const std::array<framework::TModalResult, BitBtnKindCount> KindModalResults;

// Only OK and Yes are default buttons, only Cancel and No cancel buttons.
constexpr bool KindIsDefault(TBitBtnKind kind) {
    return kind == bkOK || kind == bkYes;
}
constexpr bool KindIsCancel(TBitBtnKind kind) {
    return kind == bkCancel || kind == bkNo;
}

// The glyph of a kind, loaded from the library's bitmap resource on the first request and kept
// until the library is unloaded (empty for bkCustom). Callers copy it and never free it.
framework::TBitmap* LoadButtonKindGlyph(TBitBtnKind kind);

} // namespace lu
