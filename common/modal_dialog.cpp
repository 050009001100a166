#include "common/modal_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "common/app_globals.h"
#include "common/control_help.h"
#include "common/help_filter.h"
#include "common/tracking_mode.h"
#include "common/window_helpers.h"

namespace {

const int kMostNested = 8;
const int kNumberText = 64;

// The dialogs this run has open, innermost last; their windows are known
// from WM_INITDIALOG on.
struct OpenDialog {
    DLGPROC procedure;
    int helpTopic;
    const DWORD* helpPairs;
    HWND window;
};

OpenDialog OpenDialogs[kMostNested];
int OpenDialogCount = 0;
int HookUsers = 0;

void HookF1()
{
    if (HookUsers++ == 0)
        InstallHelpFilter();
}

void UnhookF1()
{
    if (HookUsers > 0 && --HookUsers == 0)
        RemoveHelpFilter();
}

OpenDialog* FindOpenDialog(HWND window)
{
    for (int i = OpenDialogCount - 1; i >= 0; --i)
        if (OpenDialogs[i].window == window)
            return &OpenDialogs[i];
    // Messages before WM_INITDIALOG belong to the dialog being made.
    if (OpenDialogCount > 0 && !OpenDialogs[OpenDialogCount - 1].window)
        return &OpenDialogs[OpenDialogCount - 1];
    return nullptr;
}

// What every dialog does alike, after its own procedure had its say.
INT_PTR CommonBehaviour(HWND window, const OpenDialog& open, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (AnswerDialogHelp(window, message, wParam, lParam, {open.helpTopic, open.helpPairs}))
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ModalDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    OpenDialog* open = FindOpenDialog(window);
    if (!open)
        return FALSE;
    if (message == WM_INITDIALOG) {
        open->window = window;
        const INT_PTR result = open->procedure(window, message, wParam, lParam);
        CentreAndShowDialog(window);
        return result;
    }
    const OpenDialog copy = *open;
    if (copy.procedure(window, message, wParam, lParam))
        return TRUE;
    return CommonBehaviour(window, copy, message, wParam, lParam);
}

HWND OwnerOrMain(HWND owner)
{
    return owner ? owner : MainWindow;
}

} // namespace

bool ModalDialogAllowed(HWND owner)
{
    if (TrackingMode != kTrackingNone || GetCapture())
        return false;
    // A modal dialog disables its owner's top-level window: a disabled one
    // means a dialog is up.
    HWND window = OwnerOrMain(owner);
    HWND topLevel = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (topLevel && !IsWindowEnabled(topLevel))
        return false;
    return OpenDialogCount < kMostNested;
}

INT_PTR RunModalDialog(const ModalDialog& dialog)
{
    HWND owner = OwnerOrMain(dialog.owner);
    if (!dialog.procedure || !ModalDialogAllowed(owner))
        return -1;
    OpenDialogs[OpenDialogCount++] = {dialog.procedure, dialog.helpTopic, dialog.helpPairs, nullptr};
    HookF1();
    const INT_PTR result = DialogBoxParamA(AppInstance, dialog.templateName, owner, ModalDialogProcedure,
                                           dialog.parameter);
    UnhookF1();
    --OpenDialogCount;
    return result;
}

ModalDialogScope::ModalDialogScope(HWND owner) : entered_(ModalDialogAllowed(OwnerOrMain(owner)))
{
    if (entered_)
        HookF1();
}

ModalDialogScope::~ModalDialogScope()
{
    if (entered_)
        UnhookF1();
}

void CentreAndShowDialog(HWND dialog)
{
    if (MainWindow)
        CenterWindowOver(dialog, MainWindow);
    ShowWindow(dialog, SW_SHOW);
}

double ReadDialogDouble(HWND dialog, int id)
{
    char text[kNumberText] = "";
    GetDlgItemTextA(dialog, id, text, kNumberText);
    return std::atof(text);
}

void WriteDialogDouble(HWND dialog, int id, double value, int decimals)
{
    char text[kNumberText];
    std::snprintf(text, sizeof(text), "%0.*f", decimals, value);
    SetDlgItemTextA(dialog, id, text);
}
