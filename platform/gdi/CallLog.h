#pragma once

#include "platform/gdi/Color.h"
#include "platform/gdi/Geometry.h"

#include <string>
#include <vector>

namespace gdi {

class DeviceContext;
class Font;

// One text, font or clip call, as the device saw it. Positions are logical, clip boxes device.
struct CallLogEntry {
    std::string call; // "TextOut", "ExtTextOut", "DrawText", "SelectFont", a clip call or "RestoreDC"
    std::string text;
    POINT position{};   // TextOut/ExtTextOut: the reference point; DrawText: the rect's top left
    RECT rect{};        // ExtTextOut: its rectangle; DrawText: the rect as given
    unsigned flags = 0; // ExtTextOut options or DrawText format
    unsigned align = 0;
    std::string face;
    int height = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    COLORREF color = 0;
    int bkMode = 0;
    bool clipped = false; // a clip region was selected
    RECT clipBox{};       // its box in device coordinates
};

// The log is off until started; tests read and clear it.
void StartCallLog();
void StopCallLog();
bool CallLogActive();
void ClearCallLog();
const std::vector<CallLogEntry>& CallLogEntries();

// Used by the device.
void LogFontSelected(DeviceContext* dc, const Font* font);
void LogClip(DeviceContext* dc, const char* call);
void LogText(DeviceContext* dc, const char* call, const std::string& text, POINT position, const RECT& rect,
             unsigned flags);

} // namespace gdi
