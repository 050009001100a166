// The ViewRecord: the per-document block kept in the drawing view's window
// word, and stored as record (100,101) behind the store's 16-byte header.
// Its handle, pointer and window fields are 32-bit words: memory handles as
// handle tokens, GDI and window handles as themselves. Stored, they mean
// nothing; every reader overwrites them.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/handle_words.h"

const int kPrinterStringSize = 262;  // 261 characters and the terminator

#pragma pack(push, 2)
struct ViewRecord {
    int32_t version;            // 4; readers compare the low 16 bits
    int32_t scrollX;
    int32_t scrollY;
    int32_t zoom;               // per mille, 0 = 100 per cent
    int32_t viewFlags;          // the view's ViewSettings flag word
    uint32_t flags;             // ViewRecordFlags
    int32_t storeSlot;
    int32_t pendingUndo;        // UndoKind, 0 none
    uint32_t devMode;           // handle token: record (100,102)
    uint32_t fontTable;         // handle token: record (100,103)
    uint32_t fontList;          // handle token: record (100,104)
    int32_t palette;            // HPALETTE
    int32_t replacedPalette;    // HPALETTE the document's one replaced
    int32_t measuringDC;        // HDC at 600 units per inch
    int32_t drawingWidth;       // 1/600 inch
    int32_t drawingHeight;
    int32_t pageWidth;
    int32_t pageHeight;
    int32_t printableWidth;
    int32_t printableHeight;
    RECT margins;
    RECT deviceMargins;
    int32_t overlap;            // 0 or 100
    char printer[kPrinterStringSize];  // device,driver,port; empty for none
    int32_t textEditor;         // HWND of the editor open over an object
    uint32_t drawingRecord;     // handle token: record (100,105)
    uint32_t oleRegistration;   // owned by the OLE server
    uint32_t oleObjects;        // owned by the OLE server
    int32_t containerBackground;// COLORREF, -1 none
    uint16_t libraryAtom;       // global atom of the attached library, 0 none
};
#pragma pack(pop)

static_assert(sizeof(ViewRecord) == 400, "view record");
CHECK_FIELD_OFFSET(ViewRecord, scrollX, 4);
CHECK_FIELD_OFFSET(ViewRecord, scrollY, 8);
CHECK_FIELD_OFFSET(ViewRecord, zoom, 12);
CHECK_FIELD_OFFSET(ViewRecord, viewFlags, 16);
CHECK_FIELD_OFFSET(ViewRecord, flags, 20);
CHECK_FIELD_OFFSET(ViewRecord, storeSlot, 24);
CHECK_FIELD_OFFSET(ViewRecord, pendingUndo, 28);
CHECK_FIELD_OFFSET(ViewRecord, devMode, 32);
CHECK_FIELD_OFFSET(ViewRecord, fontTable, 36);
CHECK_FIELD_OFFSET(ViewRecord, fontList, 40);
CHECK_FIELD_OFFSET(ViewRecord, palette, 44);
CHECK_FIELD_OFFSET(ViewRecord, replacedPalette, 48);
CHECK_FIELD_OFFSET(ViewRecord, measuringDC, 52);
CHECK_FIELD_OFFSET(ViewRecord, drawingWidth, 56);
CHECK_FIELD_OFFSET(ViewRecord, drawingHeight, 60);
CHECK_FIELD_OFFSET(ViewRecord, pageWidth, 64);
CHECK_FIELD_OFFSET(ViewRecord, pageHeight, 68);
CHECK_FIELD_OFFSET(ViewRecord, printableWidth, 72);
CHECK_FIELD_OFFSET(ViewRecord, printableHeight, 76);
CHECK_FIELD_OFFSET(ViewRecord, margins, 80);
CHECK_FIELD_OFFSET(ViewRecord, deviceMargins, 96);
CHECK_FIELD_OFFSET(ViewRecord, overlap, 112);
CHECK_FIELD_OFFSET(ViewRecord, printer, 116);
CHECK_FIELD_OFFSET(ViewRecord, textEditor, 378);
CHECK_FIELD_OFFSET(ViewRecord, drawingRecord, 382);
CHECK_FIELD_OFFSET(ViewRecord, oleRegistration, 386);
CHECK_FIELD_OFFSET(ViewRecord, oleObjects, 390);
CHECK_FIELD_OFFSET(ViewRecord, containerBackground, 394);
CHECK_FIELD_OFFSET(ViewRecord, libraryAtom, 398);

const int kViewRecordVersion = 4;
const DWORD kViewRecordSize = sizeof(ViewRecord);

enum ViewRecordField : int {
    kViewFlags = offsetof(ViewRecord, flags),
    kViewStoreSlot = offsetof(ViewRecord, storeSlot),
    kViewPendingUndo = offsetof(ViewRecord, pendingUndo),
    kViewPalette = offsetof(ViewRecord, palette),
    kViewReplacedPalette = offsetof(ViewRecord, replacedPalette),
    kViewDrawingWidth = offsetof(ViewRecord, drawingWidth),
    kViewDrawingHeight = offsetof(ViewRecord, drawingHeight),
    kViewTextEditor = offsetof(ViewRecord, textEditor),
    kViewDrawingRecord = offsetof(ViewRecord, drawingRecord),
};

enum ViewRecordFlags : uint32_t {
    kViewModified = 0x01,
    kViewRepaintBuffered = 0x02,
    kViewDefaultPrinter = 0x04,
    kViewUndoUndone = 0x08,
    kViewPageSizedArea = 0x10,
};

// The bytes the drawing code reaches in a view record.
const int kViewRecordMinimumSize = kViewRecordSize;

inline int32_t ReadViewField(const void* view, int offset)
{
    int32_t value;
    std::memcpy(&value, static_cast<const unsigned char*>(view) + offset, sizeof(value));
    return value;
}

inline void WriteViewField(void* view, int offset, int32_t value)
{
    std::memcpy(static_cast<unsigned char*>(view) + offset, &value, sizeof(value));
}

// The DrawingRecord handle of a view record (kept as a handle token).
HGLOBAL GetViewDrawingHandle(const void* viewRecord);
// Names a new DrawingRecord handle in the view record, giving up the old token.
void SetViewDrawingHandle(void* viewRecord, HGLOBAL drawing);

// The DEVMODE, font table and font list blocks, the same way.
HGLOBAL GetViewDevMode(const ViewRecord* view);
void SetViewDevMode(ViewRecord* view, HGLOBAL devMode);
HGLOBAL GetViewFontTable(const ViewRecord* view);
void SetViewFontTable(ViewRecord* view, HGLOBAL fontTable);
HGLOBAL GetViewFontList(const ViewRecord* view);
void SetViewFontList(ViewRecord* view, HGLOBAL fontList);
inline HDC GetViewMeasuringDC(const ViewRecord* view) { return WordToHandle<HDC>(view->measuringDC); }
inline HWND GetViewTextEditor(const ViewRecord* view) { return WordToHandle<HWND>(view->textEditor); }
// Clears every run-time field read from a store without giving up tokens:
// the words stored there name nothing of this run.
void ClearStoredViewHandles(ViewRecord* view);
