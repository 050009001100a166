// "Find Vexlet": the keywords the library browser searches for, kept in the
// options.
#include <cstdio>

#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "libraries/keyword_search.h"
#include "libraries/template_dialogs.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"

namespace {

const int kKeywordTopic = 30054;
const int kKeywordFieldLimit = 260;

void OnInitDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
    SendDlgItemMessageA(dialog, IDC_KEYWORD_TEXT, EM_LIMITTEXT, kKeywordFieldLimit, 0);
    SetDlgItemTextA(dialog, IDC_KEYWORD_TEXT, Options() ? Options()->keyword : "");
    CentreAndShowDialog(dialog);
}

void OnAccept(HWND dialog)
{
    if (Options())
        GetDlgItemTextA(dialog, IDC_KEYWORD_TEXT, Options()->keyword, kKeywordFieldLimit + 1);
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK KeyWordDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnAccept(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

int RunKeywordDlg(HWND owner)
{
    return RunModalDialog({TEMPLATE_KEYWORD, KeyWordDlgHandler, kKeywordTopic, owner}) == 1 ? 1 : 0;
}
