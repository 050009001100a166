// The program's options record with its companion blocks: the colour-style
// list, the symbol fonts and the atoms the options keep for the whole run.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/handle_words.h"

const int kOptionsPathSize = 262;  // 261 characters and the terminator
const int kToolbarSlotCount = 22;
const int kLibraryWindowCount = 16;
const int kColorTableEntries = 48;
const int kMaxSymbolFonts = 30;

#pragma pack(push, 2)
// Rulers and grid; copied whole into every new drawing.
struct RulerScale {
    int32_t shown;
    int32_t screenUnit;   // 1 inch, 0 centimetre
    double majorLength;   // hundredths of the screen unit per major division
    int32_t divisions;    // 8, 10, 12 or 16
    double labelValue;
    int32_t labelUnit;    // 0 none, 1 in, 2 ft, 3 mm, 4 cm, 5 m
};

struct SavedLibraryWindow {
    char folder[kOptionsPathSize];   // ends in a backslash
    char fileName[kOptionsPathSize];
    int32_t width;
    int32_t height;
    int32_t x;
    int32_t y;
    int32_t open;
    int32_t minimized;
};

// A shape tool of the palette: what a single click makes.
struct ToolbarSlot {
    int32_t width;
    int32_t height;
    int32_t kind;         // 0 shape, 1 straight line, 2 segmented line, 3 array
    int32_t type;
    int32_t sizing;       // 3 when the kind reports a default size
    double adjustment;    // 0.0 is the shape type's own default
};

struct OptionsRecord {
    uint32_t ownHandle;           // handle token of this block
    RulerScale rulerDefaults;
    uint16_t printOptions;
    int32_t flags;                // OptionFlags, low 16 bits stored
    int32_t drawingDefaults[6];   // outline width, line width, text size, style bits, two alignments
    LOGFONTA defaultFont;
    char drawingsFolder[kOptionsPathSize];
    char exportFolder[kOptionsPathSize];
    char importFolder[kOptionsPathSize];
    char librariesFolder[kOptionsPathSize];
    SavedLibraryWindow libraryWindows[kLibraryWindowCount];
    int32_t exportPictureType;
    int32_t importPictureType;
    int32_t tipNumber;
    COLORREF colorTable[kColorTableEntries];
    ToolbarSlot toolbar[kToolbarSlotCount];
    char templatePath[kOptionsPathSize];
    LOGFONTA footerFont;
    int32_t footerPosition;
    uint32_t reserved;            // kept as read, written back unchanged
    char lastLibrary[kOptionsPathSize];
    char keyword[kOptionsPathSize];
    int32_t quickPreviews;
    int16_t symbolCharacter;
    int32_t symbolFont;
    int32_t moreFlags;            // 1 attached drawings maximized, 2 texts on lines stay horizontal
    int32_t attachmentType;
};
#pragma pack(pop)

static_assert(sizeof(RulerScale) == 32, "ruler scale");
static_assert(sizeof(SavedLibraryWindow) == 548, "library window");
static_assert(sizeof(ToolbarSlot) == 28, "toolbar slot");
static_assert(sizeof(LOGFONTA) == 60, "LOGFONT");
CHECK_FIELD_OFFSET(RulerScale, divisions, 16);
CHECK_FIELD_OFFSET(RulerScale, labelValue, 20);
CHECK_FIELD_OFFSET(RulerScale, labelUnit, 28);
CHECK_FIELD_OFFSET(ToolbarSlot, adjustment, 20);
CHECK_FIELD_OFFSET(OptionsRecord, rulerDefaults, 4);
CHECK_FIELD_OFFSET(OptionsRecord, printOptions, 36);
CHECK_FIELD_OFFSET(OptionsRecord, flags, 38);
CHECK_FIELD_OFFSET(OptionsRecord, drawingDefaults, 42);
CHECK_FIELD_OFFSET(OptionsRecord, defaultFont, 66);
CHECK_FIELD_OFFSET(OptionsRecord, drawingsFolder, 126);
CHECK_FIELD_OFFSET(OptionsRecord, libraryWindows, 1174);
CHECK_FIELD_OFFSET(OptionsRecord, exportPictureType, 9942);
CHECK_FIELD_OFFSET(OptionsRecord, colorTable, 9954);
CHECK_FIELD_OFFSET(OptionsRecord, toolbar, 10146);
CHECK_FIELD_OFFSET(OptionsRecord, templatePath, 10762);
CHECK_FIELD_OFFSET(OptionsRecord, footerFont, 11024);
CHECK_FIELD_OFFSET(OptionsRecord, footerPosition, 11084);
CHECK_FIELD_OFFSET(OptionsRecord, reserved, 11088);
CHECK_FIELD_OFFSET(OptionsRecord, lastLibrary, 11092);
CHECK_FIELD_OFFSET(OptionsRecord, quickPreviews, 11616);
CHECK_FIELD_OFFSET(OptionsRecord, symbolCharacter, 11620);
CHECK_FIELD_OFFSET(OptionsRecord, symbolFont, 11622);
CHECK_FIELD_OFFSET(OptionsRecord, moreFlags, 11626);
CHECK_FIELD_OFFSET(OptionsRecord, attachmentType, 11630);
static_assert(sizeof(OptionsRecord) == 11634, "options record");

// The options record, locked for the whole run; none before it is made.
extern unsigned char* AppOptions;
inline OptionsRecord* Options() { return reinterpret_cast<OptionsRecord*>(AppOptions); }
// The colour-style list block: i32 count, i32 current index, then 76-byte styles.
extern HGLOBAL ColorStyles;
// LOGFONT entries; entry 0 is the footer font and is never stored.
extern HGLOBAL SymbolFonts;
extern int SymbolFontCount;
extern ATOM OptionsPathAtom;
extern ATOM SymbolCharsAtom;
// Store slot of an earlier-version options file while it is read, else -1.
extern int OldOptionsStore;
// The File menu's item count before the recent-file items.
extern int FileMenuBaseCount;

enum OptionsField : int {
    kOptionsRulerScale = offsetof(OptionsRecord, rulerDefaults),        // 32 bytes copied into a new drawing
    kOptionsFlags = offsetof(OptionsRecord, flags),                     // 16-bit flag word
    kOptionsNewObjectDefaults = offsetof(OptionsRecord, drawingDefaults), // 84 bytes copied into a new drawing
    kOptionsToolbarSlots = offsetof(OptionsRecord, toolbar),            // 22 slots of 28 bytes, the adjust value at +20
    kOptionsTextOnLines = offsetof(OptionsRecord, moreFlags),           // flag word, 0x02 texts on lines kept horizontal
};
static_assert(kOptionsRulerScale == 4 && kOptionsFlags == 38 && kOptionsNewObjectDefaults == 42 &&
                  kOptionsToolbarSlots == 10146 && kOptionsTextOnLines == 11626,
              "options offsets other code reads");

enum OptionsFlags : uint16_t {
    kOptionFlagStartOpen = 0x0001,
    kOptionsSnap = 0x0002,
    kOptionFlagPaletteShown = 0x0004,
    kOptionFlagGifOpaque = 0x0008,          // clear: the background colour is transparent
    kOptionsHints = 0x0010,
    kOptionsLinesLink = 0x0020,
    kOptionsShapesLink = 0x0040,
    kOptionFlagCopyDefaultTemplate = 0x0080,
    kOptionFlagStartWelcome = 0x0100,
    kOptionFlagTemplateChooser = 0x0200,
    kOptionFlagShowGrid = 0x0400,
    kOptionFlagGifNotInterlaced = 0x0800,
    kOptionFlagNotMaximized = 0x1000,
    kOptionFlagBrowserSecondEntry = 0x2000,
    kOptionFlagPageBreaksAlways = 0x4000,
};
const int32_t kDefaultOptionFlags = 0x4336;

enum MoreOptionBits : int32_t {
    kMoreAttachedMaximized = 1,
    kMoreTextOnLinesHorizontal = 2,  // drawing flag 0x40
};

const int kToolbarSlotSize = sizeof(ToolbarSlot);
const int kToolbarSlotAdjust = offsetof(ToolbarSlot, adjustment);
const int kColorStyleListHead = 8;
// The options bytes the drawing code reaches: the whole record.
const int kOptionsMinimumSize = sizeof(OptionsRecord);
