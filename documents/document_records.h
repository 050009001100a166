// The records of a document's working store and the ViewRecord built from
// them: a new document's records, an existing store's view, the document's
// state written back before a save, and the view's data freed at the end.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/view_record.h"
#include "store/record_store.h"

const short kDocumentGroup = 100;
const short kViewRecordId = 101;
const short kPrinterSetupId = 102;
const short kFontTableId = 103;
const short kFontListId = 104;
const short kDrawingRecordId105 = 105;
const short kColorListId = 106;
const DWORD kRecordHeaderBytes = 16;
const DWORD kNewDevModeRecordSize = 172;
const DWORD kNewFontTableRecordSize = 20;
const DWORD kColorListRecordSize = 1044;
const DWORD kNewDrawingRecordSize = 296;

// Copies `size` bytes of `block` into the payload of `record` (which has room
// for them) and marks the record dirty.
ErrorCode FillRecordFromBlock(RecordHandle record, HGLOBAL block, DWORD size);

// The records of a new, empty document; the new ViewRecord goes into the
// view's window word. 10005 when no measuring context can be made.
ErrorCode CreateDocumentRecords(HWND view, int storeSlot);
// Record (100,106): no colours and room for 256.
ErrorCode CreateDocumentColorList(int storeSlot);
// The ViewRecord of an existing store, with the printer and fonts of this
// system; `converted` is 1 when the store came from an earlier version.
ErrorCode ReadDocumentRecords(HWND view, int storeSlot, int* converted);
// Writes the view's state, printer set-up and fonts back into the store and
// flushes it.
ErrorCode StoreDocumentState(HWND documentWindow, int withPreview);
// The picture code above fills this in: it stores the preview of a view's
// drawing fitted into a box of pixels.
typedef ErrorCode (*StorePreviewHook)(HWND view, void* viewRecord, SIZE box);
extern StorePreviewHook StorePreviewCall;
// At WM_DESTROY of the drawing view: the editor, the view record and all it
// owns.
void DestroyViewData(HWND view);
// Frees the DEVMODE, font table and font list blocks and the measuring
// context a view record names, and clears their fields.
void FreeViewRecordBlocks(ViewRecord* view);
// The LOGFONT of the interface font, whose face starts a new font list.
void GetDefaultLogFont(LOGFONTA* logFont);
