#include "frame/sizing_dialogs.h"

#include "common/dialog_exchange.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "documents/document_window_hooks.h"
#include "resources/dialog_ids.h"

namespace {

const int kTextSizingHelpTopic = 30029;
const int kShapeSizingHelpTopic = 30035;
const int kRuleCount = 3;
const int kGrowRuleCount = 4;

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// The index of the first checked radio of a row, or `none`.
int CheckedIndex(HWND dialog, int firstId, int count, int none)
{
    for (int i = 0; i < count; ++i)
        if (Checked(dialog, firstId + i))
            return i;
    return none;
}

// Shapes that differ show the box in its third, mixed state; left so, the
// shapes keep their own setting.
void ShowColourState(HWND dialog, int state)
{
    HWND box = GetDlgItem(dialog, IDC_CHANGE_COLORS);
    if (state == kColoursDoNotApply) {
        EnableWindow(box, FALSE);
        return;
    }
    if (state == kColoursMixed) {
        SendMessageA(box, BM_SETSTYLE, BS_AUTO3STATE, FALSE);
        CheckDlgButton(dialog, IDC_CHANGE_COLORS, BST_INDETERMINATE);
        return;
    }
    CheckDlgButton(dialog, IDC_CHANGE_COLORS, state == kColoursMayChange ? BST_CHECKED : BST_UNCHECKED);
}

// The state OK hands back: untouched (kColoursDoNotApply) when the box did
// not apply or still shows the shapes' mixed state.
int ChosenColourState(HWND dialog, int shown)
{
    if (shown == kColoursDoNotApply)
        return kColoursDoNotApply;
    const UINT box = IsDlgButtonChecked(dialog, IDC_CHANGE_COLORS);
    if (box == BST_INDETERMINATE)
        return kColoursDoNotApply;
    return box == BST_CHECKED ? kColoursMayChange : kColoursKept;
}

bool IsOk(WPARAM wParam)
{
    return LOWORD(wParam) == IDOK && HIWORD(wParam) == 0;
}

} // namespace

INT_PTR CALLBACK TextDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDialogItemsFont(dialog, IDC_TEXTSIZE_NOTE_FIRST, IDC_TEXTSIZE_NOTE_LAST);
        const int rule = Exchange.mainValue;
        if (rule >= 0 && rule < kRuleCount)
            CheckRadioButton(dialog, IDC_TEXTSIZE_BOTH, IDC_TEXTSIZE_VERTICAL, IDC_TEXTSIZE_BOTH + rule);
        return TRUE;
    }
    if (message == WM_COMMAND && IsOk(wParam)) {
        Exchange.mainValue = Checked(dialog, IDC_TEXTSIZE_VERTICAL) ? 2 : Checked(dialog, IDC_TEXTSIZE_HORIZONTAL) ? 1 : 0;
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PictureDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
        const int rule = Exchange.secondValue;
        if (rule >= 0 && rule < kGrowRuleCount)
            CheckRadioButton(dialog, IDC_GROW_NONE, IDC_GROW_PROPORTIONAL, IDC_GROW_NONE + rule);
        ShowColourState(dialog, Exchange.mainValue);
        return TRUE;
    }
    if (message == WM_COMMAND && IsOk(wParam)) {
        Exchange.secondValue = CheckedIndex(dialog, IDC_GROW_NONE, kGrowRuleCount, Exchange.secondValue);
        Exchange.mainValue = ChosenColourState(dialog, Exchange.mainValue);
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

int RunTextDlg(int* rule)
{
    Exchange.mainValue = *rule;
    if (RunModalDialog({TEMPLATE_TEXT_SIZING, TextDlgHandler, kTextSizingHelpTopic, nullptr}) != 1)
        return 0;
    *rule = Exchange.mainValue;
    return 1;
}

int RunPictureDlg(int* growRule, int* colourState)
{
    Exchange.secondValue = *growRule;
    Exchange.mainValue = *colourState;
    if (RunModalDialog({TEMPLATE_SHAPE_SIZING, PictureDlgHandler, kShapeSizingHelpTopic, nullptr}) != 1)
        return 0;
    *growRule = Exchange.secondValue;
    *colourState = Exchange.mainValue;
    return 1;
}
