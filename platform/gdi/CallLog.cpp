#include "platform/gdi/CallLog.h"

#include "platform/gdi/DeviceContext.h"

namespace gdi {

namespace {

struct Log {
    bool active = false;
    std::vector<CallLogEntry> entries;
};

Log& TheLog() {
    static Log log;
    return log;
}

CallLogEntry Describe(DeviceContext* dc, const char* call) {
    CallLogEntry e;
    e.call = call;
    const DcState& s = dc->State();
    const LOGFONT& f = s.font->log;
    e.face = f.lfFaceName;
    e.height = f.lfHeight;
    e.escapement = f.lfEscapement;
    e.weight = f.lfWeight;
    e.italic = f.lfItalic;
    e.underline = f.lfUnderline;
    e.color = s.textColor;
    e.bkMode = s.bkMode;
    e.align = unsigned(s.textAlign);
    e.clipped = s.clip.has_value();
    if (s.clip)
        e.clipBox = s.clip->Box();
    return e;
}

} // namespace

void StartCallLog() {
    TheLog().active = true;
}
void StopCallLog() {
    TheLog().active = false;
}
bool CallLogActive() {
    return TheLog().active;
}
void ClearCallLog() {
    TheLog().entries.clear();
}
const std::vector<CallLogEntry>& CallLogEntries() {
    return TheLog().entries;
}

void LogFontSelected(DeviceContext* dc, const Font*) {
    if (TheLog().active)
        TheLog().entries.push_back(Describe(dc, "SelectFont"));
}

void LogClip(DeviceContext* dc, const char* call) {
    if (TheLog().active)
        TheLog().entries.push_back(Describe(dc, call));
}

void LogText(DeviceContext* dc, const char* call, const std::string& text, POINT position, const RECT& rect,
             unsigned flags) {
    if (!TheLog().active)
        return;
    CallLogEntry e = Describe(dc, call);
    e.text = text;
    e.position = position;
    e.rect = rect;
    e.flags = flags;
    TheLog().entries.push_back(std::move(e));
}

} // namespace gdi
