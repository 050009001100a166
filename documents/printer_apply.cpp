// File > Printer Setup and the re-derivation of a document's printer data.
#include <cstring>

#include "common/handle_tokens.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "objects/document_modified.h"
#include "documents/page_layout.h"
#include "documents/print_dialogs.h"
#include "documents/printer_context.h"
#include "objects/view_record.h"
#include "common/app_globals.h"
#include "objects/drawing_layout.h"
#include "resources/resource_ids.h"
#include "text/ten_startup.h"
#include "objects/view_record_word.h"

namespace {

const int kPrinterSetupFailed = IDS_PRINT_SETUP_FAILED;
const int kNoActivePrinter = IDS_NO_PRINTER;

bool IsTextEditorWindow(HWND window)
{
    char className[32] = {};
    return window && GetClassNameA(window, className, sizeof(className)) && lstrcmpA(className, kTenClassName) == 0;
}

// The right and bottom edges of the drawing's objects, (0, 0) without any.
POINT ObjectsFarCorner(HGLOBAL drawingHandle)
{
    POINT corner = {0, 0};
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return corner;
    HGLOBAL tableHandle = TokenHandle(drawing->objectTable);
    if (void* table = tableHandle ? GlobalLock(tableHandle) : nullptr) {
        const int count = TableCount(table);
        for (int i = 0; i < count; ++i) {
            const RECT& bounds = ObjectAt(table, i)->bounds;
            corner.x = bounds.right > corner.x ? bounds.right : corner.x;
            corner.y = bounds.bottom > corner.y ? bounds.bottom : corner.y;
        }
        GlobalUnlock(tableHandle);
    }
    GlobalUnlock(drawingHandle);
    return corner;
}

// A page-sized area turns with the paper, when the objects still fit.
bool TurnPageSizedArea(ViewRecord* record)
{
    if (!(record->flags & kViewPageSizedArea))
        return false;
    const bool landscapeArea = record->drawingWidth > record->drawingHeight;
    const bool portraitPaper = DevModeOrientation(GetViewDevMode(record)) == DMORIENT_PORTRAIT;
    if (landscapeArea != portraitPaper)
        return false;
    const int width = portraitPaper ? kPageAreaShort : kPageAreaLong;
    const int height = portraitPaper ? kPageAreaLong : kPageAreaShort;
    HGLOBAL drawingHandle = GetViewDrawingHandle(record);
    const POINT corner = ObjectsFarCorner(drawingHandle);
    if (corner.x > width || corner.y > height)
        return false;
    record->drawingWidth = width;
    record->drawingHeight = height;
    if (auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr) {
        drawing->width = width;
        drawing->height = height;
        GlobalUnlock(drawingHandle);
    }
    return true;
}

void ReopenPrinter(ViewRecord* record)
{
    if (HDC old = GetViewMeasuringDC(record))
        DeleteDC(old);
    SIZE page = {record->pageWidth, record->pageHeight};
    RECT margins = record->deviceMargins;
    int isDefault = (record->flags & kViewDefaultPrinter) ? 1 : 0;
    HGLOBAL devMode = GetViewDevMode(record);
    HDC context = OpenPrinterContext(record->printer, &devMode, &margins, &page, kPrinterUseStored, 0, &isDefault,
                                     nullptr);
    if (devMode != GetViewDevMode(record))
        SetTokenHandle(record->devMode, devMode);
    record->measuringDC = HandleToWord(context);
    ApplyPageMeasures(record, page, margins);
}

void StoreSetupChoice(ViewRecord* record, int isDefault, int overlapOn)
{
    record->flags = isDefault ? (record->flags | kViewDefaultPrinter) : (record->flags & ~kViewDefaultPrinter);
    record->overlap = overlapOn ? kPageOverlap : 0;
}

// Runs Print Setup; true when the document's printer changed.
bool RunSetupFor(ViewRecord* record)
{
    int isDefault = (record->flags & kViewDefaultPrinter) ? 1 : 0;
    int overlapOn = record->overlap > 0 ? 1 : 0;
    HGLOBAL devMode = GetViewDevMode(record);
    HDC context = nullptr;
    int chosen = RunPrintSetupDialog(MainWindow, &devMode, record->printer, &context, &isDefault, &overlapOn);
    if (devMode != GetViewDevMode(record))
        SetTokenHandle(record->devMode, devMode);
    if (chosen) {
        if (context)
            DeleteDC(context);
        StoreSetupChoice(record, isDefault, overlapOn);
        SetDocumentModified(record);
        return true;
    }
    if (CommDlgExtendedError() == 0)
        return false;
    if (AppMessageBox(kPrinterSetupFailed, MB_YESNO) != IDYES)
        return false;
    GetDefaultPrinterString(record->printer);
    if (!record->printer[0])
        WarnById(kNoActivePrinter);
    record->flags |= kViewDefaultPrinter;
    SetDocumentModified(record);
    devMode = GetViewDevMode(record);
    if (RunPrintSetupDialog(MainWindow, &devMode, record->printer, &context, &isDefault, &overlapOn)) {
        if (context)
            DeleteDC(context);
        StoreSetupChoice(record, isDefault, overlapOn);
    }
    if (devMode != GetViewDevMode(record))
        SetTokenHandle(record->devMode, devMode);
    return true;
}

} // namespace

void ApplyPrinterToDocument(HWND documentWindow, int reopen)
{
    HWND view = GetWindow(documentWindow, GW_CHILD);
    HGLOBAL handle = view ? GetViewRecordHandle(view) : nullptr;
    if (!handle)
        return;
    SetAppCursor(1);
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    if (!record)
        return;
    if (reopen) {
        ReopenPrinter(record);
        TurnPageSizedArea(record);
    }
    HWND editor = GetWindow(view, GW_CHILD);
    if (IsTextEditorWindow(editor)) {
        SendMessageA(editor, kMsgPrinterChanged, reinterpret_cast<WPARAM>(MainWindow),
                     reinterpret_cast<LPARAM>(GetViewMeasuringDC(record)));
    }
    if (reopen) {
        InvalidateRect(view, nullptr, TRUE);
        record->flags |= kViewRepaintBuffered | kViewModified;
    }
    GlobalUnlock(handle);
}

void ChangeDocumentPrinter()
{
    HWND documentWindow = GetActiveDocWindow(nullptr);
    HWND view = documentWindow ? GetWindow(documentWindow, GW_CHILD) : nullptr;
    HGLOBAL handle = view ? GetViewRecordHandle(view) : nullptr;
    if (!handle)
        return;
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    if (!record)
        return;
    const bool changed = RunSetupFor(record);
    GlobalUnlock(handle);
    if (changed)
        ApplyPrinterToDocument(documentWindow, 1);
}
