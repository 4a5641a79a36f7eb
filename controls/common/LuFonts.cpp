#include "controls/common/LuFonts.h"

namespace lu {

using framework::TFont;

gdi::HFONT CreateAngledFont(TFont* font, int angle) {
    if (font == nullptr)
        throw framework::EInvalidOperation("CreateAngledFont needs a font");
    gdi::LOGFONT log;
    log.lfHeight = font->Height();
    log.lfWidth = 0;
    log.lfEscapement = angle * 10;
    log.lfOrientation = 0;
    log.lfWeight = font->Style().Contains(framework::fsBold) ? gdi::FW_BOLD : gdi::FW_NORMAL;
    log.lfItalic = font->Style().Contains(framework::fsItalic);
    log.lfUnderline = font->Style().Contains(framework::fsUnderline);
    log.lfStrikeOut = font->Style().Contains(framework::fsStrikeOut);
    log.lfCharSet = gdi::DEFAULT_CHARSET;
    log.lfOutPrecision = 0;
    log.lfClipPrecision = 0;
    log.lfQuality = 0;
    switch (font->Pitch()) {
    case framework::fpVariable:
        log.lfPitchAndFamily = gdi::VARIABLE_PITCH;
        break;
    case framework::fpFixed:
        log.lfPitchAndFamily = gdi::FIXED_PITCH;
        break;
    default:
        log.lfPitchAndFamily = gdi::DEFAULT_PITCH;
        break;
    }
    log.lfFaceName = font->Name();
    return gdi::CreateFontIndirect(&log);
}

bool FontIsTrueType(TFont* font) {
    if (font == nullptr)
        throw framework::EInvalidOperation("FontIsTrueType needs a font");
    gdi::HDC dc = gdi::CreateScreenDC();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, font->Handle());
    gdi::TEXTMETRIC tm;
    bool ok = gdi::GetTextMetrics(dc, &tm);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return ok && (tm.tmPitchAndFamily & gdi::TMPF_TRUETYPE) != 0;
}

} // namespace lu
