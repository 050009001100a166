// The Print and Print Setup dialogs with the program's own hooks, File >
// Printer Setup, and applying a changed printer to a document.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "resources/dialog_ids.h"

// Print options word (OptionsRecord PrintOptions).
enum PrintOptionBits : uint32_t {
    kPrintNoColor = 0x0002,
    kPrintFooters = 0x0004,
    kPrintOnOnePage = 0x0008,
    kPrintOverlap = 0x0010,
};

// Controls the program adds to the common dialogs.
enum PrintDialogControls : int {
    kPrintFootersBox = IDC_PRINT_FOOTERS,
    kPrintNoColorBox = IDC_PRINT_NO_COLOR,
    kPrintOnOnePageBox = IDC_PRINT_ONE_PAGE,
    kDefineFooterButton = IDC_PRINT_DEFINE_FOOTER,
    kPrintHelpButton = IDC_PRINT_HELP,
    kCollateBox = 1041,  // the common dialog's own collate box
    kOverlapBox = IDC_PRINT_OVERLAP,
};

const UINT kMsgPrinterChanged = 1132;  // to an open text editor: wParam main window, lParam context

extern int PrintSetupConfirmed;
extern int OverlapChecked;
extern uint32_t HookPrintOptions;
extern PRINTDLGA* HookPrintDlg;

// 1 when printing goes ahead with a device context in `printerContext`;
// 0 cancelled or refused. The document's DEVMODE and printer string take
// the dialog's choice.
int RunPrintDialog(HWND owner, HGLOBAL* devMode, char* printer, HDC* printerContext, int* isDefault,
                   PRINTDLGA* dialog, uint32_t* printOptions, int pageCount, int selection);
// 1 with an information context in `informationContext`, else 0.
int RunPrintSetupDialog(HWND owner, HGLOBAL* devMode, char* printer, HDC* informationContext, int* isDefault,
                        int* overlapOn);
extern "C" __declspec(dllexport) UINT_PTR CALLBACK SEPPrintHook(HWND dialog, UINT message, WPARAM wParam,
                                                                LPARAM lParam);
extern "C" __declspec(dllexport) UINT_PTR CALLBACK SEPSetupHook(HWND dialog, UINT message, WPARAM wParam,
                                                                LPARAM lParam);
// File > Printer Setup for the active document.
void ChangeDocumentPrinter();
// Derives the document's printer data again (with `reopen` a new measuring
// context, page measures and possibly a turned page-sized area) and tells an
// open text editor of the new context.
void ApplyPrinterToDocument(HWND documentWindow, int reopen);
