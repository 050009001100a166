#include "font_test_support.h"

#include <cstring>

LOGFONTA LogFontOf(const FaceRow& row)
{
    LOGFONTA logFont = {};
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = static_cast<BYTE>(row.charSet);
    logFont.lfPitchAndFamily = static_cast<BYTE>(row.pitchAndFamily);
    lstrcpynA(logFont.lfFaceName, row.face, LF_FACESIZE);
    return logFont;
}

HGLOBAL MakeFontList(const std::vector<FaceRow>& faces)
{
    HGLOBAL list = NewFontList();
    for (const FaceRow& row : faces) {
        FontListEntry entry = {};
        entry.logFont = LogFontOf(row);
        entry.measuredHeight = 16;
        entry.kind = row.kind;
        entry.cacheSlotHint = -1;
        AppendFontListEntry(&list, entry);
    }
    return list;
}

HGLOBAL MakeFontTable(const std::vector<int>& slots)
{
    HGLOBAL table = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4 + 4 * slots.size());
    auto* words = static_cast<int32_t*>(GlobalLock(table));
    words[0] = static_cast<int32_t>(slots.size());
    for (size_t i = 0; i < slots.size(); ++i)
        words[1 + i] = slots[i];
    GlobalUnlock(table);
    return table;
}

std::vector<int> TableSlots(HGLOBAL table)
{
    std::vector<int> slots;
    const int count = FontTableCount(table);
    for (int i = 0; i < count; ++i)
        slots.push_back(FontTableSlotValue(table, i));
    return slots;
}

std::string FaceAt(HGLOBAL list, int index)
{
    FontListEntry entry;
    if (!GetFontListEntry(list, index, &entry))
        return "<none>";
    return entry.logFont.lfFaceName;
}
