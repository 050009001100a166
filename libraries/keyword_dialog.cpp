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
    // Cancel, Help and F1 are the dialog runner's.
    if (message == WM_INITDIALOG)
        OnInitDialog(dialog);
    else if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        OnAccept(dialog);
    else
        return FALSE;
    return TRUE;
}

int RunKeywordDlg(HWND owner)
{
    return RunModalDialog({TEMPLATE_KEYWORD, KeyWordDlgHandler, kKeywordTopic, owner}) == 1 ? 1 : 0;
}
