// The program-wide cache of created fonts, keyed by face and then by height,
// width, escapement and style. Fonts handed out belong to the cache: users
// never delete them and never keep them past the next flush.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "text/font_list.h"

#pragma pack(push, 4)
struct FontCacheSlot {
    uint32_t sizeList;   // handle token of the slot's size list
    LOGFONTA key;        // the font-list entry's LOGFONT
};

struct CachedFont {
    int32_t font;        // HFONT
    int32_t height;      // lfHeight the font was made with
    int32_t width;
    int32_t escapement;
    int32_t styleBits;   // CachedFontStyle
};
#pragma pack(pop)

static_assert(sizeof(FontCacheSlot) == 64, "font-cache slot");
static_assert(sizeof(CachedFont) == 20, "cached font");

enum CachedFontStyle : int32_t {
    kCachedBold = 1,
    kCachedItalic = 2,
    kCachedUnderline = 4,
    kCachedNoPitchFamily = 0x2000,
};

// Private messages to the main window: flush the fonts, and too many fonts.
const UINT kMsgResetSharedFonts = 1226;
const UINT kMsgTooManyFonts = 1227;
const int kFontsBeforeFlush = 80;
const int kFlushRequestLimit = 5;
const DWORD kFontCacheByteLimit = 65000;

extern int FontsCreated;
extern int FontFlushRequests;
extern int TooManyFontsPosted;

ErrorCode CreateFontCache();
void FlushFontCache();
void DestroyFontCache();
// The cache slot of a font-list entry, found through its hint, by key, or
// made; -1 when the cache is full or memory runs out.
int FindFontCacheSlot(FontListEntry* fontListEntries, int index);
bool SameFontCacheKey(const LOGFONTA* a, const LOGFONTA* b);
// The font of the slot made as `logFont` asks, created when not cached yet.
HFONT LookupCachedFont(int slot, const LOGFONTA* logFont);
// Within a non-empty size list whose first and last heights enclose `height`:
// the position of that height, or of the first greater one.
int FindSizeListPosition(const void* sizeList, int height);
// The number of slots in use (0 without a cache).
int FontCacheSlotCount();
// The heights of a slot's size list in order (for checks); the count.
int FontCacheHeights(int slot, int32_t* heights, int capacity);
