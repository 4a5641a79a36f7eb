#pragma once

#include "platform/gdi/Geometry.h"
#include "platform/win/WinConst.h"

#include <cstdint>
#include <functional>

namespace framework {

using win::LPARAM;
using win::LRESULT;
using win::UINT;
using win::WPARAM;

using TPoint = gdi::POINT;
using TRect = gdi::RECT;

// The mouse moves and the button messages, which lie together from WM_MOUSEMOVE to WM_MBUTTONDBLCLK.
constexpr bool IsMouseButtonOrMoveMessage(UINT msg) {
    return msg >= win::WM_MOUSEMOVE && msg <= win::WM_MBUTTONDBLCLK;
}

inline TPoint Point(int x, int y) {
    return TPoint{x, y};
}

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

// Mouse positions travel as two signed 16-bit halves, so positions left of or above a window
// (seen while the mouse is captured) stay negative.
inline LPARAM PointToLParam(TPoint p) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.x)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.y)) << 16));
}
inline TPoint LParamToPoint(LPARAM l) {
    const auto bits = static_cast<std::uint32_t>(l);
    return TPoint{static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}
inline WPARAM MakeWParam(int low, int high) {
    return static_cast<WPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
inline int HighWordSigned(WPARAM w) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(w) >> 16) & 0xFFFF);
}
inline int LowWord(WPARAM w) {
    return static_cast<int>(static_cast<std::uint32_t>(w) & 0xFFFF);
}

} // namespace framework
