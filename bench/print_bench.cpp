// Printing a drawing of 16,000 shapes of every type through Wine's PostScript
// driver into a file: tiled over as many sheets as it covers, and scaled onto
// one sheet. Prints the time from the start of the job to its end.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "bench_drawing.h"
#include "documents/print_dialogs.h"
#include "documents/print_job.h"
#include "documents/print_tiles.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "support/test_printer.h"

namespace {

const int kObjects = 16000;
const int kColumns = 128;
const int kSide = 180;
const int kStep = 230;
const int kFirstVisibleType = kShapeRectangle;
const int kLastType = kShapeDisplay;

// The test printer's Letter page.
void SetLetterPage(ViewRecord* record)
{
    record->pageWidth = 5100;
    record->pageHeight = 6600;
    record->deviceMargins = RECT{150, 300, 150, 300};
    record->margins = record->deviceMargins;
    record->printableWidth = 4800;
    record->printableHeight = 6000;
}

double TimeJob(const BenchDrawing& bench, uint32_t options, int* pages)
{
    auto* record = static_cast<ViewRecord*>(GlobalLock(bench.viewRecord));
    int selection = kTilesAllObjects;
    PageTiles tiles = {};
    ComputePageTiles(record, &selection, &tiles);
    *pages = (options & kPrintOnOnePage) ? 1 : tiles.rows * tiles.columns;
    PRINTDLGA dialog;
    std::memset(&dialog, 0, sizeof(dialog));
    dialog.lStructSize = sizeof(dialog);
    dialog.nCopies = 1;
    HDC printer = CreateDCA("WINSPOOL", kTestPrinterName, nullptr, nullptr);
    if (!printer) {
        GlobalUnlock(bench.viewRecord);
        return -1.0;
    }
    const LARGE_INTEGER start = Now();
    const PrintJobResult result = RunPrintJob(printer, bench.view, record, dialog, options, tiles, nullptr);
    const LARGE_INTEGER end = Now();
    GlobalUnlock(bench.viewRecord);
    return result == kJobPrinted ? Seconds(start, end) : -1.0;
}

} // namespace

int main()
{
    TestPrinter printer;
    if (!printer.Installed()) {
        std::printf("print bench: the test printer could not be installed\n");
        return 1;
    }
    BenchDrawing bench;
    Require("making the working drawing", OpenBenchDrawing("PRB", &bench));
    SetLetterPage(static_cast<ViewRecord*>(GlobalLock(bench.viewRecord)));
    GlobalUnlock(bench.viewRecord);
    const int types = kLastType - kFirstVisibleType + 1;
    for (int i = 0; i < kObjects; ++i) {
        const int x = (i % kColumns) * kStep;
        const int y = (i / kColumns) * kStep;
        RECT frame = {x, y, x + kSide, y + kSide};
        Require("CreateObject", CreateObject(bench.view, kKindShape, &frame, kFirstVisibleType + i % types, 0, 0, 0,
                                             1, 0, 0));
    }
    int pages = 0;
    const double tiled = TimeJob(bench, 0, &pages);
    std::printf("print bench: %d shapes tiled on %d pages: %.2f s\n", kObjects, pages, tiled);
    const double onePage = TimeJob(bench, kPrintOnOnePage, &pages);
    std::printf("print bench: %d shapes on one page: %.2f s\n", kObjects, onePage);
    Require("closing the store", CloseStore(bench.store));
    DeleteFileA(bench.path);
    return tiled < 0 || onePage < 0 ? 1 : 0;
}
