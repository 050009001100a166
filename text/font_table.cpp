#include <cstring>

#include "common/io_seam.h"
#include "text/font_list.h"

namespace {

// The number of slot words the table's block can hold.
int SlotRoom(HGLOBAL fontTable)
{
    const SIZE_T size = GlobalSize(fontTable);
    return size >= 4 ? static_cast<int>((size - 4) / 4) : 0;
}

// The index in `list` of the face (and, when asked, the character set).
int FindListFace(HGLOBAL fontList, const LOGFONTA& logFont, bool sameCharset)
{
    auto* head = static_cast<FontListHead*>(GlobalLock(fontList));
    if (!head)
        return -1;
    int found = -1;
    const int count = FontListCount(fontList);
    FontListEntry* entries = FontListEntries(head);
    for (int i = 0; i < count && found < 0; ++i) {
        if (lstrcmpiA(entries[i].logFont.lfFaceName, logFont.lfFaceName) == 0 &&
            (!sameCharset || entries[i].logFont.lfCharSet == logFont.lfCharSet))
            found = i;
    }
    GlobalUnlock(fontList);
    return found;
}

} // namespace

HGLOBAL NewFontTable()
{
    return SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4);
}

int FontTableCount(HGLOBAL fontTable)
{
    auto* table = fontTable ? static_cast<int32_t*>(GlobalLock(fontTable)) : nullptr;
    if (!table)
        return 0;
    int count = table[0];
    GlobalUnlock(fontTable);
    const int room = SlotRoom(fontTable);
    if (count < 0)
        return 0;
    return count < room ? count : room;
}

int FontTableSlotValue(HGLOBAL fontTable, int slot)
{
    if (slot < 0 || slot >= FontTableCount(fontTable))
        return -1;
    auto* table = static_cast<int32_t*>(GlobalLock(fontTable));
    if (!table)
        return -1;
    int value = FontTableSlots(table)[slot];
    GlobalUnlock(fontTable);
    return value;
}

int FindOrAddFontIndex(HGLOBAL* fontTable, int fontListIndex)
{
    if (!fontTable || !*fontTable)
        return -1;
    const int count = FontTableCount(*fontTable);
    auto* table = static_cast<int32_t*>(GlobalLock(*fontTable));
    if (!table)
        return -1;
    int32_t* slots = FontTableSlots(table);
    int freeSlot = -1;
    for (int i = 0; i < count; ++i) {
        if (slots[i] == fontListIndex) {
            GlobalUnlock(*fontTable);
            return i;
        }
        if (slots[i] < 0 && freeSlot < 0)
            freeSlot = i;
    }
    if (freeSlot >= 0) {
        slots[freeSlot] = fontListIndex;
        GlobalUnlock(*fontTable);
        return freeSlot;
    }
    GlobalUnlock(*fontTable);
    if (SlotRoom(*fontTable) < count + 1) {
        HGLOBAL grown = SeamGlobalReAlloc(*fontTable, GlobalSize(*fontTable) + kFontTableGrowBytes,
                                          GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown)
            return -1;
        *fontTable = grown;
    }
    table = static_cast<int32_t*>(GlobalLock(*fontTable));
    if (!table)
        return -1;
    FontTableSlots(table)[count] = fontListIndex;
    table[0] = count + 1;
    GlobalUnlock(*fontTable);
    return count;
}

int MapFontTableToList(HGLOBAL fontTable, HGLOBAL sourceList, HGLOBAL* targetList)
{
    if (!fontTable || !targetList || !*targetList)
        return 0;
    int changed = 0;
    const int count = FontTableCount(fontTable);
    for (int slot = 0; slot < count; ++slot) {
        const int index = FontTableSlotValue(fontTable, slot);
        if (index < 0)
            continue;
        FontListEntry entry;
        int mapped;
        if (!GetFontListEntry(sourceList, index, &entry)) {
            // A slot naming no face of its own list draws with the default.
            mapped = GetDefaultFontIndex(*targetList);
        } else {
            mapped = FindListFace(*targetList, entry.logFont, true);
            if (mapped < 0)
                mapped = FindListFace(*targetList, entry.logFont, false);
            if (mapped < 0)
                mapped = AppendFontListEntry(targetList, entry);
            if (mapped < 0)
                mapped = GetDefaultFontIndex(*targetList);
        }
        if (mapped == index)
            continue;
        auto* table = static_cast<int32_t*>(GlobalLock(fontTable));
        if (!table)
            continue;
        FontTableSlots(table)[slot] = mapped;
        GlobalUnlock(fontTable);
        changed = 1;
    }
    return changed;
}

int MergeFontTables(HGLOBAL* documentTable, HGLOBAL pastedTable, HGLOBAL pastedList, HGLOBAL* documentList)
{
    MapFontTableToList(pastedTable, pastedList, documentList);
    const int count = FontTableCount(pastedTable);
    for (int slot = 0; slot < count; ++slot) {
        const int index = FontTableSlotValue(pastedTable, slot);
        const int documentSlot = FindOrAddFontIndex(documentTable, index);
        if (documentSlot < 0)
            return 1;
        auto* table = static_cast<int32_t*>(GlobalLock(pastedTable));
        if (!table)
            return 1;
        FontTableSlots(table)[slot] = documentSlot;
        GlobalUnlock(pastedTable);
    }
    return 0;
}
