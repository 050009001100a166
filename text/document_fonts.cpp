#include "text/document_fonts.h"

#include "text/font_cache.h"
#include "text/font_list.h"

namespace {

// The font-list index a slot names: through the table, a slot outside it
// (or a free one) means entry 0.
int ListIndexOfSlot(HGLOBAL fontTable, int slot)
{
    if (!fontTable)
        return slot;
    const int value = FontTableSlotValue(fontTable, slot);
    return value < 0 ? 0 : value;
}

} // namespace

bool BuildDocumentLogFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int escapement,
                          int width, int resolution, LOGFONTA* logFont)
{
    const int index = ListIndexOfSlot(fontTable, slot);
    FontListEntry entry;
    if (!GetFontListEntry(fontList, index, &entry))
        return false;
    *logFont = entry.logFont;
    logFont->lfHeight = -(size * resolution / 72);
    const bool widthHonoured = entry.kind == kFontDeviceOrVector || entry.kind == kFontTrueType || TrueTypeFaceSeen;
    logFont->lfWidth = (width != 0 && widthHonoured) ? width : 0;
    logFont->lfEscapement = escapement;
    // Glyphs follow the baseline in every graphics mode.
    logFont->lfOrientation = escapement;
    logFont->lfWeight = (styleBits & kFontBold) ? FW_BOLD : FW_NORMAL;
    logFont->lfItalic = (styleBits & kFontItalic) ? 1 : 0;
    return true;
}

HFONT CreateDocumentFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int escapement,
                         int width, int resolution)
{
    LOGFONTA logFont;
    if (!BuildDocumentLogFont(fontList, fontTable, slot, size, styleBits, escapement, width, resolution, &logFont))
        return nullptr;
    return CreateFontIndirectA(&logFont);
}

bool FontCanTurn(HDC dc, HFONT font)
{
    if (!dc || !font)
        return true;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    const BOOL measured = GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    return !measured || (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
}

HFONT CreateTurnedDocumentFont(HDC dc, HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits,
                               int escapement, int width, int resolution)
{
    LOGFONTA logFont;
    if (!BuildDocumentLogFont(fontList, fontTable, slot, size, styleBits, escapement, width, resolution, &logFont))
        return nullptr;
    HFONT font = CreateFontIndirectA(&logFont);
    if (!font || escapement == 0 || FontCanTurn(dc, font))
        return font;
    lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_TT_PRECIS;
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    HFONT standIn = CreateFontIndirectA(&logFont);
    if (!standIn)
        return font;
    DeleteObject(font);
    return standIn;
}

HFONT GetCachedDocumentFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int width,
                            int escapement, int resolution)
{
    LOGFONTA logFont;
    if (!BuildDocumentLogFont(fontList, fontTable, slot, size, styleBits, escapement, width, resolution, &logFont))
        return nullptr;
    const int index = ListIndexOfSlot(fontTable, slot);
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return nullptr;
    // The entry keeps its cache-slot hint, so the list stays locked meanwhile.
    const int cacheSlot = FindFontCacheSlot(FontListEntries(head), index);
    GlobalUnlock(fontList);
    return cacheSlot < 0 ? nullptr : LookupCachedFont(cacheSlot, &logFont);
}
