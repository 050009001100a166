#include "documents/printing_dialog.h"

#include <cstdio>

#include "common/message_crackers.h"
#include "common/results.h"
#include "common/string_helpers.h"
#include "common/window_helpers.h"
#include "documents/printer_context.h"
#include "common/app_globals.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

HWND PrintingDialog = nullptr;
int PrintAborted = 0;

namespace {

enum PrintingControls : int {
    kCurrentPage = IDC_PRINTING_PAGE,
    kFirstPage = IDC_PRINTING_FIRST,
    kDocumentTitle = IDC_PRINTING_TITLE,
    kPrinterLine = IDC_PRINTING_PRINTER,
    kLastPage = IDC_PRINTING_LAST,
};

const int kPrinterLineFormat = IDS_PRINTER_LINE;
const int kPrintingCancelled = IDS_PRINTING_CANCELLED;

struct PrintingJob {
    HWND documentWindow;
    int firstPage;
    int lastPage;
    char printer[kPrinterStringChars + 1];
};
PrintingJob printingJob = {};

void InitPrintingDialog(HWND dialog)
{
    if (MainWindow)
        CenterWindowOver(dialog, MainWindow);
    SetDlgItemInt(dialog, kCurrentPage, static_cast<UINT>(printingJob.firstPage), FALSE);
    SetDlgItemInt(dialog, kFirstPage, static_cast<UINT>(printingJob.firstPage), FALSE);
    SetDlgItemInt(dialog, kLastPage, static_cast<UINT>(printingJob.lastPage), FALSE);
    char title[kStringBufferSize] = {};
    if (printingJob.documentWindow)
        GetWindowTextA(printingJob.documentWindow, title, sizeof(title));
    SetDlgItemTextA(dialog, kDocumentTitle, title);
    char line[2 * kStringBufferSize + 64] = {};
    if (printingJob.printer[0]) {
        char format[kStringBufferSize];
        char device[kPrinterStringChars + 1];
        char driver[kPrinterStringChars + 1];
        char port[kPrinterStringChars + 1];
        LoadStrOrBlank(kPrinterLineFormat, format);
        SplitPrinterString(printingJob.printer, device, driver, port);
        std::snprintf(line, sizeof(line), format, device, port);
    }
    SetDlgItemTextA(dialog, kPrinterLine, line);
}

} // namespace

BOOL CALLBACK PrintAbort(HDC, int code)
{
    if ((code != 0 && code != SP_OUTOFDISK) || PrintAborted)
        return FALSE;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (PrintingDialog && IsDialogMessageA(PrintingDialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return TRUE;
}

INT_PTR CALLBACK ShowPrintingDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitPrintingDialog(dialog);
        return TRUE;
    case WM_SETCURSOR:
        SetAppCursor(1);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_COMMAND: {
        int id = 0;
        UINT code = 0;
        HWND control = nullptr;
        CrackCommand(wParam, lParam, &id, &code, &control);
        if (id != IDCANCEL)
            return FALSE;
        PrintAborted = 1;
        char text[kStringBufferSize];
        LoadStrOrBlank(kPrintingCancelled, text);
        SetDlgItemTextA(dialog, kPrinterLine, text);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

HWND OpenPrintingDialog(HWND, HWND documentWindow, int firstPage, int lastPage, const char* printer)
{
    printingJob.documentWindow = documentWindow;
    printingJob.firstPage = firstPage;
    printingJob.lastPage = lastPage;
    lstrcpynA(printingJob.printer, printer ? printer : "", sizeof(printingJob.printer));
    PrintAborted = 0;
    HWND dialog = CreateDialogParamA(AppInstance, TEMPLATE_PRINTING, MainWindow, ShowPrintingDlg, 0);
    if (dialog && MainWindow)
        EnableWindow(MainWindow, FALSE);
    PrintingDialog = dialog;
    return dialog;
}

void ClosePrintingDialog(HWND dialog)
{
    if (MainWindow)
        EnableWindow(MainWindow, TRUE);
    if (dialog)
        DestroyWindow(dialog);
    PrintingDialog = nullptr;
}

void ShowPrintingPage(HWND dialog, int page)
{
    if (!dialog)
        return;
    SetDlgItemInt(dialog, kCurrentPage, static_cast<UINT>(page), FALSE);
    if (!IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNA);
}
