#include "documents/print_dialogs.h"

#include <cstring>

#include "common/control_help.h"
#include "common/io_seam.h"
#include "common/message_crackers.h"
#include "common/modal_dialog.h"
#include "common/results.h"
#include "common/window_helpers.h"
#include "objects/document_modified.h"
#include "documents/footer_dialog.h"
#include "documents/printer_context.h"
#include "objects/view_record.h"
#include "common/app_globals.h"
#include "resources/resource_ids.h"
#include "objects/view_record_word.h"

int PrintSetupConfirmed = 0;
int OverlapChecked = 0;
uint32_t HookPrintOptions = 0;
PRINTDLGA* HookPrintDlg = nullptr;

namespace {

const int kPrintTemplateOld = DLG_PRINT_OLD;
const int kPrintTemplate = DLG_PRINT;
const int kSetupTemplateOld = DLG_PRINT_SETUP_OLD;
const int kSetupTemplate = DLG_PRINT_SETUP;
const int kNotGraphicalPrinter = IDS_PRINTER_NOT_GRAPHIC;

bool HasDialogTemplate(int id)
{
    return FindResourceA(AppInstance, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG)) != nullptr;
}

// The program's templates, when it carries them; the common ones otherwise.
void ChooseTemplates(PRINTDLGA* dialog, bool withPrint)
{
    const int setup = WindowsMajorVersion < 4 ? kSetupTemplateOld : kSetupTemplate;
    if (HasDialogTemplate(setup))
        dialog->lpSetupTemplateName = MAKEINTRESOURCEA(setup);
    else
        dialog->Flags &= ~PD_ENABLESETUPTEMPLATE;
    if (!withPrint)
        return;
    const int print = WindowsMajorVersion < 4 ? kPrintTemplateOld : kPrintTemplate;
    if (HasDialogTemplate(print))
        dialog->lpPrintTemplateName = MAKEINTRESOURCEA(print);
    else
        dialog->Flags &= ~PD_ENABLEPRINTTEMPLATE;
}

HGLOBAL CopyOfBlock(HGLOBAL source)
{
    const SIZE_T size = GlobalSize(source);
    HGLOBAL copy = SeamGlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    void* to = GlobalLock(copy);
    const void* from = GlobalLock(source);
    if (to && from)
        std::memcpy(to, from, size);
    if (from)
        GlobalUnlock(source);
    if (to)
        GlobalUnlock(copy);
    return copy;
}

void SetDevModeCopies(HGLOBAL devMode, short copies)
{
    if (!devMode || GlobalSize(devMode) < kDevModePublicSize)
        return;
    if (auto* dm = static_cast<DEVMODEA*>(GlobalLock(devMode))) {
        dm->dmCopies = copies;
        GlobalUnlock(devMode);
    }
}

// The dialog's DEVMODE copy and the DEVNAMES of the printer string; false
// when a block cannot be had.
bool PrepareDialogBlocks(PRINTDLGA* dialog, HGLOBAL devMode, char* printer, int isDefault)
{
    if (devMode && IsPrinterAvailable(printer)) {
        dialog->hDevMode = CopyOfBlock(devMode);
        if (!dialog->hDevMode)
            return false;
    }
    if (printer[0]) {
        dialog->hDevNames = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDevNamesSize);
        if (!dialog->hDevNames)
            return false;
        BuildDevNames(printer, isDefault, dialog->hDevNames);
    }
    return true;
}

void FreeDialogBlocks(PRINTDLGA* dialog)
{
    if (dialog->hDevNames)
        GlobalFree(dialog->hDevNames);
    if (dialog->hDevMode)
        GlobalFree(dialog->hDevMode);
    dialog->hDevNames = nullptr;
    dialog->hDevMode = nullptr;
}

// The dialog's choice taken over; false (and the context deleted) for a
// printer that cannot print graphics.
bool TakeDialogChoice(PRINTDLGA* dialog, HGLOBAL* devMode, char* printer, int* isDefault)
{
    if (dialog->hDC && GetDeviceCaps(dialog->hDC, TECHNOLOGY) == DT_CHARSTREAM) {
        WarnById(kNotGraphicalPrinter);
        DeleteDC(dialog->hDC);
        dialog->hDC = nullptr;
        return false;
    }
    ParseDevNames(dialog->hDevNames, printer, isDefault);
    if (dialog->hDevMode && devMode)
        CopyDevModeBlock(devMode, dialog->hDevMode);
    return true;
}

const int kPrintHelpTopic = 30034;
const int kSetupHelpTopic = 30033;

// Control and help topic pairs of the controls the program adds; ends with 0.
// Help on the common dialog's own controls stays with the common dialog.
const DWORD kPrintHelpPairs[] = {kPrintOnOnePageBox, 15001, kPrintNoColorBox, 15002, kPrintFootersBox, 15004,
                                 kDefineFooterButton, 15003, 0, 0};
const DWORD kSetupHelpPairs[] = {kOverlapBox, 15005, 0, 0};
const DialogHelp kPrintHelp = {kPrintHelpTopic, kPrintHelpPairs, kPrintHelpButton};
const DialogHelp kSetupHelp = {kSetupHelpTopic, kSetupHelpPairs, kPrintHelpButton};

void SetBit(uint32_t* word, uint32_t bit, bool on) { *word = on ? (*word | bit) : (*word & ~bit); }

// The common dialog runs its own loop: the scope gives it the F1 hook and
// the guard every other dialog has.
bool RunCommonPrintDialog(HWND owner, PRINTDLGA* dialog)
{
    ModalDialogScope scope(owner);
    return scope.entered() && PrintDlgA(dialog);
}

} // namespace

int RunPrintDialog(HWND owner, HGLOBAL* devMode, char* printer, HDC* printerContext, int* isDefault,
                   PRINTDLGA* dialog, uint32_t* printOptions, int pageCount, int selection)
{
    *printerContext = nullptr;
    std::memset(dialog, 0, sizeof(*dialog));
    dialog->lStructSize = sizeof(*dialog);
    SetDevModeCopies(devMode ? *devMode : nullptr, 1);
    int result = 0;
    if (PrepareDialogBlocks(dialog, devMode ? *devMode : nullptr, printer, *isDefault)) {
        dialog->hwndOwner = owner;
        dialog->Flags = PD_ENABLESETUPTEMPLATE | PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK |
                        PD_RETURNDC | PD_COLLATE;
        if (selection == 0)
            dialog->Flags |= PD_NOSELECTION;
        dialog->nFromPage = 1;
        dialog->nToPage = static_cast<WORD>(pageCount);
        dialog->nMinPage = 1;
        dialog->nMaxPage = static_cast<WORD>(pageCount);
        dialog->nCopies = 1;
        dialog->hInstance = AppInstance;
        dialog->lpfnPrintHook = SEPPrintHook;
        dialog->lpfnSetupHook = SEPSetupHook;
        ChooseTemplates(dialog, true);

        PrintSetupConfirmed = 0;
        HookPrintOptions = *printOptions;
        HookPrintDlg = dialog;
        OverlapChecked = (*printOptions & kPrintOverlap) ? 1 : 0;
        if (RunCommonPrintDialog(owner, dialog) && TakeDialogChoice(dialog, devMode, printer, isDefault)) {
            *printOptions = HookPrintOptions;
            if (dialog->nToPage == 0xFFFF)
                dialog->nToPage = 32000;
            if (dialog->nFromPage == 0xFFFF)
                dialog->nFromPage = 1;
            *printerContext = dialog->hDC;
            SetBit(printOptions, kPrintOverlap, OverlapChecked != 0);
            result = 1;
        }
        HookPrintDlg = nullptr;
    }
    FreeDialogBlocks(dialog);
    return result;
}

int RunPrintSetupDialog(HWND owner, HGLOBAL* devMode, char* printer, HDC* informationContext, int* isDefault,
                        int* overlapOn)
{
    *informationContext = nullptr;
    PRINTDLGA dialog;
    std::memset(&dialog, 0, sizeof(dialog));
    dialog.lStructSize = sizeof(dialog);
    SetDevModeCopies(devMode ? *devMode : nullptr, 1);
    int result = 0;
    if (PrepareDialogBlocks(&dialog, devMode ? *devMode : nullptr, printer, *isDefault)) {
        dialog.hwndOwner = owner;
        // Some common-dialog builds hand a setup-only dialog the print hook
        // instead of the setup hook: both are ours.
        dialog.Flags = PD_PRINTSETUP | PD_RETURNIC | PD_SHOWHELP | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK |
                       PD_ENABLESETUPTEMPLATE;
        dialog.nCopies = 1;
        dialog.hInstance = AppInstance;
        dialog.lpfnSetupHook = SEPSetupHook;
        dialog.lpfnPrintHook = SEPSetupHook;
        ChooseTemplates(&dialog, false);
        PrintSetupConfirmed = 0;
        OverlapChecked = *overlapOn ? 1 : 0;
        if (RunCommonPrintDialog(owner, &dialog) && TakeDialogChoice(&dialog, devMode, printer, isDefault)) {
            *informationContext = dialog.hDC;
            *overlapOn = OverlapChecked;
            result = 1;
        }
    }
    FreeDialogBlocks(&dialog);
    return result;
}

UINT_PTR CALLBACK SEPPrintHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (AnswerDialogHelp(dialog, message, wParam, lParam, kPrintHelp))
        return 1;
    switch (message) {
    case WM_INITDIALOG:
        if (MainWindow)
            CenterWindowOver(dialog, MainWindow);
        CheckDlgButton(dialog, kPrintFootersBox, (HookPrintOptions & kPrintFooters) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kPrintNoColorBox, (HookPrintOptions & kPrintNoColor) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kPrintOnOnePageBox,
                       (HookPrintOptions & kPrintOnOnePage) ? BST_CHECKED : BST_UNCHECKED);
        ShowWindow(GetDlgItem(dialog, kDefineFooterButton), (HookPrintOptions & kPrintFooters) ? SW_SHOW : SW_HIDE);
        return 0;
    case WM_COMMAND: {
        int id = 0;
        UINT code = 0;
        HWND control = nullptr;
        CrackCommand(wParam, lParam, &id, &code, &control);
        if (code != BN_CLICKED)
            return 0;
        const bool checked = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
        switch (id) {
        case kPrintFootersBox:
            SetBit(&HookPrintOptions, kPrintFooters, checked);
            ShowWindow(GetDlgItem(dialog, kDefineFooterButton), checked ? SW_SHOW : SW_HIDE);
            break;
        case kPrintNoColorBox:
            SetBit(&HookPrintOptions, kPrintNoColor, checked);
            break;
        case kPrintOnOnePageBox:
            SetBit(&HookPrintOptions, kPrintOnOnePage, checked);
            break;
        case kDefineFooterButton:
            RunFooterDlg(dialog);
            break;
        case kCollateBox:
            if (HookPrintDlg) {
                if (checked)
                    HookPrintDlg->Flags &= ~PD_USEDEVMODECOPIES;
                else
                    HookPrintDlg->Flags |= PD_USEDEVMODECOPIES;
            }
            break;
        default:
            break;
        }
        return 0;
    }
    default:
        return 0;
    }
}

UINT_PTR CALLBACK SEPSetupHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (AnswerDialogHelp(dialog, message, wParam, lParam, kSetupHelp))
        return 1;
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, kOverlapBox, OverlapChecked ? BST_CHECKED : BST_UNCHECKED);
        if (MainWindow)
            CenterWindowOver(dialog, MainWindow);
        return 0;
    }
    if (message == WM_COMMAND) {
        int id = 0;
        UINT code = 0;
        HWND control = nullptr;
        CrackCommand(wParam, lParam, &id, &code, &control);
        if (code == BN_CLICKED && id == IDOK) {
            PrintSetupConfirmed = 1;
            OverlapChecked = IsDlgButtonChecked(dialog, kOverlapBox) == BST_CHECKED ? 1 : 0;
        }
    }
    return 0;
}
