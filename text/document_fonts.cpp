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
