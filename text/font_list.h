// A document's list of typefaces (record (100,104)) and its table of font
// slots (record (100,103)). Both are movable blocks passed by handle; the
// operations that may reallocate a block take its handle by address.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"
#include "common/handle_words.h"

#pragma pack(push, 4)
struct FontListEntry {
    LOGFONTA logFont;        // as the system reported the face
    int32_t measuredHeight;  // 16 when not measured, 12 for the fallback face
    int32_t averageWidth;    // 0 when not measured
    int32_t kind;            // FontKind
    int32_t cacheSlotHint;   // last font-cache slot found for the face, -1 none
};

struct FontListHead {
    int32_t count;
    int32_t defaultIndex;    // used when a face cannot be found
};
#pragma pack(pop)

static_assert(sizeof(LOGFONTA) == 60, "stored LOGFONT");
static_assert(sizeof(FontListEntry) == 76, "font-list entry");
static_assert(sizeof(FontListHead) == 8, "font-list head");
CHECK_FIELD_OFFSET(LOGFONTA, lfCharSet, 23);
CHECK_FIELD_OFFSET(LOGFONTA, lfPitchAndFamily, 27);
CHECK_FIELD_OFFSET(LOGFONTA, lfFaceName, 28);
CHECK_FIELD_OFFSET(FontListEntry, measuredHeight, 60);
CHECK_FIELD_OFFSET(FontListEntry, averageWidth, 64);
CHECK_FIELD_OFFSET(FontListEntry, kind, 68);
CHECK_FIELD_OFFSET(FontListEntry, cacheSlotHint, 72);

enum FontKind : int32_t {
    kFontRaster = 0,
    kFontDeviceOrVector = 1,
    kFontTrueType = 2,
};

const int kFontListHeadSize = 8;
const int kFontListBuildLimit = 1100;
const int kFontTableGrowBytes = 16;
const int32_t kFreeFontSlot = -1;

inline FontListEntry* FontListEntries(FontListHead* head) { return reinterpret_cast<FontListEntry*>(head + 1); }
// The table's slot values follow its i32 count.
inline int32_t* FontTableSlots(void* table) { return static_cast<int32_t*>(table) + 1; }

// A TrueType face was listed since the last BuildFontList began.
extern int TrueTypeFaceSeen;

// ---- Font lists ----

// Refills the list with the faces of `dc` and chooses its default entry;
// 10004 when the block cannot be grown.
ErrorCode BuildFontList(HWND window, HDC dc, HGLOBAL* fontList);
extern "C" __declspec(dllexport) int CALLBACK ExamineFonts(const LOGFONTA* logFont, const TEXTMETRICA* metrics,
                                                           DWORD fontType, LPARAM listAddress);
int CALLBACK ExamineFontFamilies(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType,
                                 LPARAM listAddress);
// The default entry: the first ANSI TrueType face, else the first ANSI
// face, else 0.
int ChooseDefaultFontIndex(HGLOBAL fontList);
// A new, empty (8-byte) list; none when memory runs out.
HGLOBAL NewFontList();
void ClearFontList(HGLOBAL fontList);
void FreeFontList(HGLOBAL fontList);
// The index of the face (case ignored), appended when the system has it (or
// `logFont` is given); -1 when neither.
int FindOrAddFace(HGLOBAL* fontList, const char* faceName, const LOGFONTA* logFont);
// The same for one character set; -1 before Windows 4.
int FindOrAddFaceCharset(HGLOBAL* fontList, const char* faceName, int charSet, const LOGFONTA* logFont);
// 1 and the LOGFONT the system reports when it has the face, else 0.
int SystemHasFace(const char* faceName, int charSet, LOGFONTA* logFont);
int GetDefaultFontIndex(HGLOBAL fontList);
// The LOGFONT of the entry a slot names; face empty and character set 0
// when there is no such entry.
void GetFontTableLogFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, LOGFONTA* logFont);
// The entry a font-list index names, copied out; false when out of range.
bool GetFontListEntry(HGLOBAL fontList, int index, FontListEntry* entry);
int FontListCount(HGLOBAL fontList);
// Appends a whole entry; its index, or -1 when the block cannot grow.
int AppendFontListEntry(HGLOBAL* fontList, const FontListEntry& entry);

// ---- Font tables ----

// A new table with no slots; none when memory runs out.
HGLOBAL NewFontTable();
// The slot holding the index, else a free slot or a new one; -1 when there
// is no table or no memory.
int FindOrAddFontIndex(HGLOBAL* fontTable, int fontListIndex);
// Re-points the table's slots from `sourceList` to `targetList`, appending
// the faces the target lacks; 1 when any slot changed.
int MapFontTableToList(HGLOBAL fontTable, HGLOBAL sourceList, HGLOBAL* targetList);
// Makes each slot of the pasted table name a slot of the document's table;
// 1 when a slot cannot be added.
int MergeFontTables(HGLOBAL* documentTable, HGLOBAL pastedTable, HGLOBAL pastedList, HGLOBAL* documentList);
// The font-list index in a slot, or -1 outside the table.
int FontTableSlotValue(HGLOBAL fontTable, int slot);
int FontTableCount(HGLOBAL fontTable);
