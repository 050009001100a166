// File > Print and Print Now: the printer asked for its colours, the Print
// dialog (or the document's printer as it is), then the job.
#include "documents/print_document.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/document_window_access.h"
#include "documents/document_window_hooks.h"
#include "documents/page_layout.h"
#include "documents/print_dialogs.h"
#include "documents/print_job.h"
#include "documents/printer_context.h"
#include "documents/view_children.h"
#include "objects/app_options.h"
#include "objects/document_modified.h"
#include "objects/document_undo.h"
#include "resources/resource_ids.h"

namespace {

const int kMaxDialogPage = 0xFFFF;

// What the document keeps of its printer, to tell whether printing changed it.
struct PrinterChoice {
    char printer[kPrinterStringSize];
    uint32_t defaultFlag;
    int32_t overlap;
};

PrinterChoice ChoiceOf(const ViewRecord* record)
{
    PrinterChoice choice;
    std::memcpy(choice.printer, record->printer, sizeof(choice.printer));
    choice.defaultFlag = record->flags & kViewDefaultPrinter;
    choice.overlap = record->overlap;
    return choice;
}

bool SameChoice(const PrinterChoice& a, const PrinterChoice& b)
{
    return std::strcmp(a.printer, b.printer) == 0 && a.defaultFlag == b.defaultFlag && a.overlap == b.overlap;
}

uint32_t JobOptions(const ViewRecord* record)
{
    const OptionsRecord* options = Options();
    uint32_t word = options ? options->printOptions : 0;
    if (record->overlap > 0)
        word |= kPrintOverlap;
    else
        word &= ~static_cast<uint32_t>(kPrintOverlap);
    return word;
}

// A colour printer always starts with colour on. False when no printer can
// be reached at all.
bool ProbePrinter(const ViewRecord* record, uint32_t* printOptions)
{
    HDC probe = CreatePrinterDC(record->printer, GetViewDevMode(record), 0);
    if (!probe) {
        // A document's own printer may be gone while Windows still has one.
        char fallback[kPrinterStringSize];
        GetDefaultPrinterString(fallback);
        return fallback[0] != '\0';
    }
    if (GetDeviceCaps(probe, NUMCOLORS) > 2)
        *printOptions &= ~static_cast<uint32_t>(kPrintNoColor);
    DeleteDC(probe);
    return true;
}

void StoreDialogChoice(ViewRecord* record, int isDefault, uint32_t printOptions)
{
    record->flags = isDefault ? (record->flags | kViewDefaultPrinter) : (record->flags & ~kViewDefaultPrinter);
    record->overlap = (printOptions & kPrintOverlap) ? kPageOverlap : 0;
}

int RunDialogFor(ViewRecord* record, PRINTDLGA* dialog, uint32_t* printOptions, int pageCount, int selection,
                 HDC* context)
{
    int isDefault = (record->flags & kViewDefaultPrinter) ? 1 : 0;
    HGLOBAL devMode = GetViewDevMode(record);
    const int pages = pageCount > kMaxDialogPage ? kMaxDialogPage : pageCount;
    int chosen = RunPrintDialog(MainWindow, &devMode, record->printer, context, &isDefault, dialog, printOptions,
                                pages, selection);
    if (devMode != GetViewDevMode(record))
        SetViewDevMode(record, devMode);
    if (chosen) {
        StoreDialogChoice(record, isDefault, *printOptions);
        return 1;
    }
    if (CommDlgExtendedError() == 0 || AppMessageBox(IDS_PRINT_SETUP_FAILED, MB_YESNO) != IDYES)
        return 0;
    GetDefaultPrinterString(record->printer);
    if (!record->printer[0])
        WarnById(IDS_NO_PRINTER);
    record->flags |= kViewDefaultPrinter;
    SetDocumentModified(record);
    devMode = GetViewDevMode(record);
    chosen = RunPrintDialog(MainWindow, &devMode, record->printer, context, &isDefault, dialog, printOptions, pages,
                            selection);
    if (devMode != GetViewDevMode(record))
        SetViewDevMode(record, devMode);
    if (chosen)
        StoreDialogChoice(record, isDefault, *printOptions);
    return chosen;
}

void QuickPrintDialog(PRINTDLGA* dialog)
{
    std::memset(dialog, 0, sizeof(*dialog));
    dialog->lStructSize = sizeof(*dialog);
    dialog->hwndOwner = MainWindow;
    dialog->nCopies = 1;
}

struct PrintRequest {
    HWND document;
    HWND view;
    PRINTDLGA dialog;
    uint32_t options;
    HDC context;
    bool goAhead;
};

// Steps up to the printer's answer; false when the job stops before it.
bool PrepareRequest(PrintRequest* request, ViewRecord* record, BOOL withoutDialog, PageTiles* tiles)
{
    request->options = JobOptions(record);
    if (!ProbePrinter(record, &request->options)) {
        WarnById(IDS_NO_PRINTER);
        return false;
    }
    int selection = kTilesAllObjects;
    if (!ComputePageTiles(record, &selection, tiles)) {
        WarnById(IDS_NOTHING_TO_PRINT);
        return false;
    }
    if (withoutDialog) {
        QuickPrintDialog(&request->dialog);
        request->context = CreatePrinterDC(record->printer, GetViewDevMode(record), 0);
        request->goAhead = request->context != nullptr;
        if (!request->goAhead)
            WarnById(IDS_NO_PRINTER);
    } else {
        request->goAhead = RunDialogFor(record, &request->dialog, &request->options, tiles->rows * tiles->columns,
                                        selection, &request->context) != 0;
    }
    return true;
}

} // namespace

int PrintActiveDocument(HWND view, BOOL withoutDialog)
{
    PrintRequest request = {};
    request.document = view ? GetParent(view) : GetActiveDocWindow(nullptr);
    request.view = request.document ? DocumentViewOf(request.document) : nullptr;
    ViewRecord* record = request.view ? LockViewRecord(request.view) : nullptr;
    if (!record) {
        MessageBeep(0);
        return 0;
    }
    const PrinterChoice before = ChoiceOf(record);
    const bool wasModified = (record->flags & kViewModified) != 0;
    PageTiles tiles = {};
    if (!PrepareRequest(&request, record, withoutDialog, &tiles)) {
        ReleaseViewRecord(request.view);
        return 0;
    }
    const bool printerKept = SameChoice(before, ChoiceOf(record));
    ReleaseViewRecord(request.view);

    if (request.goAhead && DocumentWindowCalls.endTextEdit(request.view, 0) != kErrNone)
        request.goAhead = false;
    if (request.goAhead) {
        if (OptionsRecord* options = Options())
            options->printOptions = static_cast<uint16_t>(request.options & ~static_cast<uint32_t>(kPrintOverlap));
    }
    ClearDocumentUndo(request.view);
    ApplyPrinterToDocument(request.document, 1);
    // Measuring the printer again is no edit: the document stays as it was
    // unless the dialog chose another printer.
    if (printerKept && !wasModified)
        SetDocumentModifiedFlag(request.view, false);

    record = LockViewRecord(request.view);
    int selection = kTilesAllObjects;
    if (record && !ComputePageTiles(record, &selection, &tiles)) {
        if (request.goAhead)
            WarnById(IDS_NOTHING_TO_PRINT);
        request.goAhead = false;
    }
    PrintJobResult result = kJobNotStarted;
    if (record && request.goAhead && request.context) {
        result = RunPrintJob(request.context, request.view, record, request.dialog, request.options, tiles, nullptr);
        request.context = nullptr;
    }
    if (record)
        ReleaseViewRecord(request.view);
    if (request.context)
        DeleteDC(request.context);
    return result == kJobPrinted ? 1 : 0;
}
