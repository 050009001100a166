#include "documents/print_job.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/mapping.h"
#include "common/results.h"
#include "documents/print_dialogs.h"
#include "documents/print_footer.h"
#include "documents/printing_dialog.h"
#include "objects/app_options.h"
#include "objects/drawing_layout.h"
#include "objects/paint_drawing.h"
#include "resources/resource_ids.h"

namespace {

const int kBackgroundOverlapSlack = 200;
const int kPreviewUnitsPerPixel = 6;   // 600 units per inch on a 100-dpi screen
const int kDocumentNameChars = 261;

struct Job {
    HDC dc;
    HWND view;
    HWND documentWindow;
    const ViewRecord* record;
    uint32_t options;
    const PreviewTarget* target;
    bool selectedOnly;
    int zoom;          // one-page zoom, 0 when tiled
};

bool Printer(const Job& job) { return job.target == nullptr; }

int BaseZoom(const Job& job) { return job.target ? job.target->zoom : 0; }

// A size in the context's device units at its present mapping.
POINT ToDevice(HDC dc, int x, int y)
{
    SIZE size = {x, y};
    LogicalToDeviceSize(dc, &size);
    return {size.cx, size.cy};
}

// Objects that reach past a tile must not ink the paper's margins.
void ClipToPrintableArea(const Job& job)
{
    if (!Printer(job))
        return;
    HRGN printable = CreateRectRgn(0, 0, GetDeviceCaps(job.dc, HORZRES), GetDeviceCaps(job.dc, VERTRES));
    if (printable) {
        SelectClipRgn(job.dc, printable);
        DeleteObject(printable);
    }
}

void PreparePage(const Job& job)
{
    SetUpPrintDC(job.record, job.dc, job.zoom ? job.zoom : BaseZoom(job));
    ClipToPrintableArea(job);
}

COLORREF DrawingBackground(HGLOBAL drawingHandle)
{
    COLORREF color = CLR_INVALID;
    if (auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr) {
        color = drawing->style.backgroundColor;
        GlobalUnlock(drawingHandle);
    }
    return color;
}

void FillBackground(const Job& job, RECT tile)
{
    const COLORREF color = DrawingBackground(GetViewDrawingHandle(job.record));
    if (color == CLR_INVALID || color == RGB(255, 255, 255))
        return;
    if (job.options & kPrintOverlap)
        InflateRect(&tile, kBackgroundOverlapSlack, kBackgroundOverlapSlack);
    HBRUSH brush = CreateSolidBrush(MapOutputColor(job.dc, color, 0));
    if (!brush)
        return;
    HGDIOBJ old = SelectObject(job.dc, brush);
    PatBlt(job.dc, tile.left, tile.top, tile.right - tile.left, tile.bottom - tile.top, PATCOPY);
    SelectObject(job.dc, old);
    DeleteObject(brush);
}

// The footer goes at 100 per cent below the printable area, also under a
// one-page zoom.
void DrawPageFooter(const Job& job, const RECT& tile, int page)
{
    const ViewRecord& r = *job.record;
    const int x = r.pageWidth / 2 + tile.left - r.deviceMargins.left - r.overlap;
    const int y = r.pageHeight + tile.top - r.deviceMargins.top - r.deviceMargins.bottom;
    int state = 0;
    if (job.zoom) {
        state = SaveDC(job.dc);
        SetZoomMapMode(job.dc, BaseZoom(job), kDrawingUnitsPerInch);
        POINT origin = {0, 0};
        if (job.target) {
            const POINT margin = ToDevice(job.dc, r.deviceMargins.left, r.deviceMargins.top);
            origin = {job.target->page.left + margin.x, job.target->page.top + margin.y};
        }
        SetViewportOrgEx(job.dc, origin.x, origin.y, nullptr);
    }
    PrintFooter(job.documentWindow, job.dc, "", x, y, page);
    if (state)
        RestoreDC(job.dc, state);
}

// Draws one page; false when the printer refused its end.
bool PrintPage(const Job& job, const RECT& tile, int page)
{
    PrintingPage = 1;
    PrintWithoutColor = (job.options & kPrintNoColor) ? 1 : 0;
    if (!PrintWithoutColor)
        FillBackground(job, tile);
    PaintDrawingObjects(job.dc, GetViewDrawingHandle(job.record), &tile, 0, 0, 1, job.selectedOnly ? 1 : 0);
    PrintWithoutColor = 0;
    PrintingPage = 0;
    if (job.options & kPrintFooters)
        DrawPageFooter(job, tile, page);
    bool ended = true;
    if (Printer(job))
        ended = EndPage(job.dc) > 0;
    return ended;
}

bool BeginPage(const Job& job)
{
    if (Printer(job) && StartPage(job.dc) <= 0)
        return false;
    PreparePage(job);
    return true;
}

struct PageRange {
    int first;
    int last;
    int lastShown;
};

PageRange RangeOf(const PRINTDLGA& dialog, const PageTiles& tiles)
{
    const int pages = tiles.rows * tiles.columns;
    if (!(dialog.Flags & PD_PAGENUMS))
        return {1, kHighestPage, pages};
    int last = dialog.nToPage > pages ? pages : dialog.nToPage;
    int first = dialog.nFromPage < 1 ? 1 : dialog.nFromPage;
    if (first > last)
        first = last;
    return {first, last, last};
}

// Space for the drawing on one sheet, in units at 100 per cent.
SIZE AvailableArea(const Job& job)
{
    const ViewRecord& r = *job.record;
    if (!job.target)
        return {r.printableWidth, r.printableHeight};
    SetZoomMapMode(job.dc, job.target->zoom, kDrawingUnitsPerInch);
    const POINT margins = ToDevice(job.dc, r.deviceMargins.left + r.deviceMargins.right,
                                   r.deviceMargins.top + r.deviceMargins.bottom);
    const RECT& page = job.target->page;
    return {(page.right - page.left - margins.x - 1) * kPreviewUnitsPerPixel,
            (page.bottom - page.top - margins.y - 1) * kPreviewUnitsPerPixel};
}

bool PrintOnePage(Job& job, const OnePageFit& fit, RECT bounds)
{
    if (!BeginPage(job))
        return false;
    POINT origin = ToDevice(job.dc, fit.offset.x, fit.offset.y);
    if (job.target) {
        SetZoomMapMode(job.dc, job.target->zoom, kDrawingUnitsPerInch);
        const POINT margin = ToDevice(job.dc, job.record->deviceMargins.left, job.record->deviceMargins.top);
        SetZoomMapMode(job.dc, job.zoom, kDrawingUnitsPerInch);
        origin.x += job.target->page.left + margin.x;
        origin.y += job.target->page.top + margin.y;
    }
    SetViewportOrgEx(job.dc, origin.x, origin.y, nullptr);
    bounds.left = 0;
    bounds.top = 0;
    ShowPrintingPage(PrintingDialog, 1);
    return PrintPage(job, bounds, 1);
}

// The tile's corner goes to the printable area's corner (or, in the preview,
// inside the page's margins).
void PlaceTile(const Job& job, const RECT& tile, POINT centring)
{
    POINT corner = {tile.left + centring.x, tile.top + centring.y};
    if (!job.target) {
        const POINT device = ToDevice(job.dc, corner.x, corner.y);
        SetViewportOrgEx(job.dc, -device.x, -device.y, nullptr);
        return;
    }
    const POINT device = ToDevice(job.dc, corner.x - job.record->deviceMargins.left,
                                  corner.y - job.record->deviceMargins.top);
    SetViewportOrgEx(job.dc, job.target->page.left - device.x, job.target->page.top - device.y, nullptr);
}

bool PrintTiles(Job& job, const PageTiles& tiles, const PageRange& range)
{
    const ViewRecord& r = *job.record;
    const POINT centring = PageSizedAreaOffset(r, tiles);
    TileWalk walk(tiles, r.printableWidth, r.printableHeight, r.overlap, range.first, range.last);
    TilePage page;
    while (walk.Next(&page)) {
        if (!BeginPage(job))
            return false;
        ShowPrintingPage(PrintingDialog, page.page);
        PlaceTile(job, page.tile, centring);
        if (!PrintPage(job, page.tile, page.page))
            return false;
        if (job.target)
            return true;
    }
    return true;
}

bool StartPrinterDocument(const Job& job, const PageRange& range, HWND* progress)
{
    *progress = OpenPrintingDialog(MainWindow, job.documentWindow, range.first, range.lastShown,
                                   job.record->printer);
    SetAbortProc(job.dc, PrintAbort);
    char title[kDocumentNameChars + 1] = "";
    if (job.documentWindow)
        GetWindowTextA(job.documentWindow, title, sizeof(title));
    DOCINFOA info;
    std::memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.lpszDocName = title;
    return StartDocA(job.dc, &info) > 0;
}

// A failed page abandons what the spooler holds instead of sending half a job.
PrintJobResult EndPrinterDocument(HDC dc, bool pagesOk)
{
    bool ended = false;
    if (pagesOk)
        ended = EndDoc(dc) > 0;
    else
        AbortDoc(dc);
    if (ended)
        return kJobPrinted;
    return PrintAborted ? kJobCancelled : kJobFailed;
}

HFONT MakeFooterFont()
{
    const OptionsRecord* options = Options();
    return options ? CreateFontIndirectA(&options->footerFont) : nullptr;
}

} // namespace

void SetUpPrintDC(const ViewRecord* view, HDC dc, int zoom)
{
    SetZoomMapMode(dc, zoom, kDrawingUnitsPerInch);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (view && view->palette) {
        SelectPalette(dc, WordToHandle<HPALETTE>(view->palette), FALSE);
        RealizePalette(dc);
    }
}

PrintJobResult RunPrintJob(HDC dc, HWND view, const ViewRecord* record, const PRINTDLGA& dialog,
                           uint32_t printOptions, PageTiles tiles, const PreviewTarget* target)
{
    Job job = {dc, view, view ? GetParent(view) : nullptr, record, printOptions, target, false, 0};
    const int copies = (dialog.Flags & PD_COLLATE) && dialog.nCopies > 1 ? dialog.nCopies : 1;
    const int state = SaveDC(dc);
    HWND progress = nullptr;
    PrintJobResult result = kJobPrinted;
    if (dialog.Flags & PD_SELECTION) {
        int selection = kTilesSelectedObjects;
        job.selectedOnly = true;
        if (!ComputePageTiles(record, &selection, &tiles)) {
            WarnById(IDS_NOTHING_TO_PRINT);
            result = kJobNothingToPrint;
        }
    }
    if (result == kJobPrinted) {
        PageRange range = RangeOf(dialog, tiles);
        if (printOptions & kPrintFooters)
            FooterFont = MakeFooterFont();
        SetUpPrintDC(record, dc, BaseZoom(job));
        OnePageFit fit = {};
        const bool onePage = (printOptions & kPrintOnOnePage) && (tiles.rows > 1 || tiles.columns > 1) &&
                             record->printableWidth > 0 && record->printableHeight > 0 &&
                             FitOnOnePage(tiles.bounds, AvailableArea(job), &fit);
        if (onePage) {
            job.zoom = fit.zoom;
            range = {1, 1, 1};
        }
        if (!target && !StartPrinterDocument(job, range, &progress)) {
            result = kJobNotStarted;
            AbortDoc(dc);
        } else {
            bool pagesOk = true;
            for (int copy = 0; copy < copies && pagesOk; ++copy) {
                pagesOk = onePage ? PrintOnePage(job, fit, tiles.bounds) : PrintTiles(job, tiles, range);
                if (target)
                    break;
            }
            if (!target)
                result = EndPrinterDocument(dc, pagesOk);
        }
    }
    if (progress)
        ClosePrintingDialog(progress);
    progress = nullptr;
    // A job that did not go out whole is never reported as printed.
    if (result == kJobNotStarted || result == kJobFailed)
        WarnById(IDS_PRINT_FAILED);
    if (FooterFont)
        DeleteObject(FooterFont);
    FooterFont = nullptr;
    RestoreDC(dc, state);
    if (!target)
        DeleteDC(dc);
    return result;
}
