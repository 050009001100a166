#include "text/font_cache.h"

#include <cstring>

#include "common/handle_tokens.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "common/app_globals.h"

int FontsCreated = 0;
int FontFlushRequests = 0;
int TooManyFontsPosted = 0;

namespace {

HGLOBAL cacheBlock = nullptr;
unsigned char* cacheBase = nullptr;   // locked for the whole run

int32_t& SlotCount() { return *reinterpret_cast<int32_t*>(cacheBase); }

FontCacheSlot* SlotAt(int slot) { return reinterpret_cast<FontCacheSlot*>(cacheBase + 4) + slot; }

int32_t* ListCount(void* sizeList) { return static_cast<int32_t*>(sizeList); }

CachedFont* ListEntries(void* sizeList) { return reinterpret_cast<CachedFont*>(static_cast<int32_t*>(sizeList) + 1); }

const CachedFont* ListEntries(const void* sizeList)
{
    return reinterpret_cast<const CachedFont*>(static_cast<const int32_t*>(sizeList) + 1);
}

int32_t StyleBitsOf(const LOGFONTA* logFont)
{
    int32_t bits = 0;
    if (logFont->lfWeight == FW_BOLD)
        bits |= kCachedBold;
    if (logFont->lfItalic)
        bits |= kCachedItalic;
    if (logFont->lfUnderline)
        bits |= kCachedUnderline;
    if (logFont->lfPitchAndFamily == 0)
        bits |= kCachedNoPitchFamily;
    return bits;
}

// Asks the main window to flush the cache after each 80 fonts; the fifth
// time the user is told instead, once, and the cache is left to grow.
void RequestFlushIfDue()
{
    if (!MainWindow)
        return;
    if (FontsCreated > kFontsBeforeFlush && FontFlushRequests < kFlushRequestLimit) {
        MSG waiting;
        if (!PeekMessageA(&waiting, MainWindow, kMsgResetSharedFonts, kMsgResetSharedFonts, PM_NOREMOVE))
            PostMessageA(MainWindow, kMsgResetSharedFonts, 0, 0);
    }
    if (FontsCreated == kFontsBeforeFlush) {
        ++FontFlushRequests;
        if (FontFlushRequests < kFlushRequestLimit) {
            PostMessageA(MainWindow, kMsgResetSharedFonts, 0, 0);
        } else if (!TooManyFontsPosted) {
            PostMessageA(MainWindow, kMsgTooManyFonts, 0, 0);
            TooManyFontsPosted = 1;
        }
    }
}

int NewSlot(const LOGFONTA& key)
{
    const int count = SlotCount();
    const DWORD needed = 4 + static_cast<DWORD>(sizeof(FontCacheSlot)) * (static_cast<DWORD>(count) + 1);
    if (needed > kFontCacheByteLimit)
        return -1;
    if (GlobalSize(cacheBlock) < needed) {
        GlobalUnlock(cacheBlock);
        HGLOBAL grown = SeamGlobalReAlloc(cacheBlock, needed, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (grown)
            cacheBlock = grown;
        cacheBase = static_cast<unsigned char*>(GlobalLock(cacheBlock));
        if (!grown || !cacheBase)
            return -1;
    }
    HGLOBAL sizeList = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4);
    if (!sizeList)
        return -1;
    FontCacheSlot* slot = SlotAt(count);
    slot->sizeList = AddHandleToken(sizeList);
    slot->key = key;
    SlotCount() = count + 1;
    return count;
}

} // namespace

ErrorCode CreateFontCache()
{
    if (cacheBlock)
        return kErrNone;
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4);
    if (!block)
        return kErrNoMemory;
    cacheBase = static_cast<unsigned char*>(GlobalLock(block));
    if (!cacheBase) {
        GlobalFree(block);
        return kErrNoMemory;
    }
    cacheBlock = block;
    return kErrNone;
}

void FlushFontCache()
{
    if (!cacheBlock)
        return;
    const int count = SlotCount();
    for (int i = 0; i < count; ++i) {
        FontCacheSlot* slot = SlotAt(i);
        HGLOBAL sizeList = TokenHandle(slot->sizeList);
        if (auto* list = sizeList ? GlobalLock(sizeList) : nullptr) {
            const int fonts = *ListCount(list);
            for (int f = 0; f < fonts; ++f)
                DeleteObject(WordToHandle<HFONT>(ListEntries(list)[f].font));
            GlobalUnlock(sizeList);
        }
        if (sizeList)
            GlobalFree(sizeList);
        FreeHandleToken(slot->sizeList);
        slot->sizeList = 0;
    }
    SlotCount() = 0;
    FontsCreated = 0;
}

void DestroyFontCache()
{
    if (!cacheBlock)
        return;
    FlushFontCache();
    GlobalUnlock(cacheBlock);
    GlobalFree(cacheBlock);
    cacheBlock = nullptr;
    cacheBase = nullptr;
}

int FontCacheSlotCount() { return cacheBlock ? SlotCount() : 0; }

bool SameFontCacheKey(const LOGFONTA* a, const LOGFONTA* b)
{
    return lstrcmpiA(a->lfFaceName, b->lfFaceName) == 0 && a->lfCharSet == b->lfCharSet &&
           a->lfOutPrecision == b->lfOutPrecision && a->lfClipPrecision == b->lfClipPrecision &&
           a->lfQuality == b->lfQuality && a->lfPitchAndFamily == b->lfPitchAndFamily;
}

int FindFontCacheSlot(FontListEntry* fontListEntries, int index)
{
    if (!cacheBlock || !fontListEntries || index < 0)
        return -1;
    FontListEntry& entry = fontListEntries[index];
    const int count = SlotCount();
    const int hint = entry.cacheSlotHint;
    if (hint >= 0 && hint < count && SameFontCacheKey(&SlotAt(hint)->key, &entry.logFont))
        return hint;
    for (int i = 0; i < count; ++i) {
        if (SameFontCacheKey(&SlotAt(i)->key, &entry.logFont)) {
            entry.cacheSlotHint = i;
            return i;
        }
    }
    const int made = NewSlot(entry.logFont);
    if (made >= 0)
        entry.cacheSlotHint = made;
    return made;
}

int FindSizeListPosition(const void* sizeList, int height)
{
    const CachedFont* entries = ListEntries(sizeList);
    int low = 0;
    int high = *static_cast<const int32_t*>(sizeList) - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        if (entries[middle].height == height)
            return middle;
        if (entries[middle].height < height)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return low;
}

HFONT LookupCachedFont(int slot, const LOGFONTA* logFont)
{
    if (!cacheBlock || slot < 0 || slot >= SlotCount())
        return nullptr;
    HGLOBAL sizeList = TokenHandle(SlotAt(slot)->sizeList);
    auto* list = sizeList ? GlobalLock(sizeList) : nullptr;
    if (!list)
        return nullptr;
    const int count = *ListCount(list);
    const int height = logFont->lfHeight;
    int position;
    if (count == 0 || height < ListEntries(list)[0].height) {
        position = 0;
    } else if (height > ListEntries(list)[count - 1].height) {
        position = count;
    } else {
        position = FindSizeListPosition(list, height);
        while (position > 0 && ListEntries(list)[position - 1].height == height)
            --position;
    }
    const int32_t style = StyleBitsOf(logFont);
    for (; position < count && ListEntries(list)[position].height == height; ++position) {
        const CachedFont& cached = ListEntries(list)[position];
        if (cached.width == logFont->lfWidth && cached.escapement == logFont->lfEscapement &&
            cached.styleBits == style) {
            HFONT found = WordToHandle<HFONT>(cached.font);
            GlobalUnlock(sizeList);
            return found;
        }
    }
    GlobalUnlock(sizeList);

    // A font that cannot be made takes no place in the list.
    HFONT font = CreateFontIndirectA(logFont);
    if (!font)
        return nullptr;
    // Handed out as a lookup gives it back from its 32-bit word, so that the
    // same font always compares equal.
    font = WordToHandle<HFONT>(HandleToWord(font));
    HGLOBAL grown = SeamGlobalReAlloc(sizeList, 4 + sizeof(CachedFont) * (static_cast<SIZE_T>(count) + 1),
                                      GMEM_MOVEABLE | GMEM_ZEROINIT);
    list = grown ? GlobalLock(grown) : nullptr;
    if (!list) {
        DeleteObject(font);
        return nullptr;
    }
    SetTokenHandle(SlotAt(slot)->sizeList, grown);
    CachedFont* entries = ListEntries(list);
    std::memmove(entries + position + 1, entries + position, sizeof(CachedFont) * static_cast<size_t>(count - position));
    entries[position].font = HandleToWord(font);
    entries[position].height = height;
    entries[position].width = logFont->lfWidth;
    entries[position].escapement = logFont->lfEscapement;
    entries[position].styleBits = style;
    *ListCount(list) = count + 1;
    GlobalUnlock(grown);
    ++FontsCreated;
    RequestFlushIfDue();
    return font;
}

int FontCacheHeights(int slot, int32_t* heights, int capacity)
{
    if (!cacheBlock || slot < 0 || slot >= SlotCount())
        return 0;
    HGLOBAL sizeList = TokenHandle(SlotAt(slot)->sizeList);
    auto* list = sizeList ? GlobalLock(sizeList) : nullptr;
    if (!list)
        return 0;
    const int count = *ListCount(list);
    for (int i = 0; i < count && i < capacity; ++i)
        heights[i] = ListEntries(list)[i].height;
    GlobalUnlock(sizeList);
    return count;
}
