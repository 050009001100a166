// A print job: the pages of a drawing sent to a printer, or one page drawn
// into the print preview with the same code.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "documents/print_tiles.h"
#include "objects/view_record.h"

// A page of the preview: its rectangle in the preview's pixels and the zoom
// (per mille) the preview draws it at.
struct PreviewTarget {
    RECT page;
    int zoom;
};

// How a job ended.
enum PrintJobResult : int {
    kJobPrinted = 0,
    kJobNothingToPrint = 1,
    kJobNotStarted = 2,   // StartDoc refused
    kJobFailed = 3,       // a page or the end of the document failed
    kJobCancelled = 4,
};

// The printer context (or the preview's paint context) at `zoom` per mille,
// 600 units per inch, baseline text, the document's palette.
void SetUpPrintDC(const ViewRecord* view, HDC dc, int zoom);
// Prints the pages the tiles and the PRINTDLG ask for; with a target draws
// the first page asked for into it instead. A printer context is deleted.
PrintJobResult RunPrintJob(HDC dc, HWND view, const ViewRecord* record, const PRINTDLGA& dialog,
                           uint32_t printOptions, PageTiles tiles, const PreviewTarget* target);
