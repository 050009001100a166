#include "documents/footer_dialog.h"

#include "common/app_globals.h"
#include "common/modal_dialog.h"
#include "common/message_crackers.h"
#include "common/window_helpers.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"
#include "text/font_dialogs.h"

namespace {

const int kFooterHelpTopic = 30038;

void InitFooterDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
    const OptionsRecord* options = Options();
    CheckRadioButton(dialog, IDC_FOOTER_BOTTOM, IDC_FOOTER_HALF_INCH,
                     FooterRadioFor(options ? options->footerPosition : 0));
}

int CheckedRadio(HWND dialog)
{
    for (int id = IDC_FOOTER_BOTTOM; id <= IDC_FOOTER_HALF_INCH; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return id;
    }
    return IDC_FOOTER_BOTTOM;
}

// Cancel and Help are the common dialog behaviour's.
bool OnFooterCommand(HWND dialog, int id)
{
    OptionsRecord* options = Options();
    switch (id) {
    case IDC_FOOTER_FONT:
        if (options)
            ChooseStyleFont(dialog, &options->footerFont);
        return true;
    case IDOK:
        if (options)
            options->footerPosition = FooterPositionFor(CheckedRadio(dialog));
        EndDialog(dialog, IDOK);
        return true;
    default:
        return false;
    }
}

} // namespace

int FooterRadioFor(int position)
{
    if (position == kFooterQuarterInch)
        return IDC_FOOTER_QUARTER_INCH;
    if (position == 2 * kFooterQuarterInch)
        return IDC_FOOTER_HALF_INCH;
    return IDC_FOOTER_BOTTOM;
}

int FooterPositionFor(int radio) { return (radio - IDC_FOOTER_BOTTOM) * kFooterPositionStep; }

INT_PTR CALLBACK FooterDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitFooterDialog(dialog);
        return TRUE;
    case WM_COMMAND: {
        int id = 0;
        UINT code = 0;
        HWND control = nullptr;
        CrackCommand(wParam, lParam, &id, &code, &control);
        return OnFooterCommand(dialog, id) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR RunFooterDlg(HWND owner)
{
    OptionsRecord* options = Options();
    LOGFONTA kept = {};
    if (options)
        kept = options->footerFont;
    const INT_PTR result = RunModalDialog({TEMPLATE_FOOTER, FooterDlgHandler, kFooterHelpTopic, owner});
    if (result != IDOK && options)
        options->footerFont = kept;
    return result;
}
