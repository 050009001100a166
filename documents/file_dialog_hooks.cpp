// The hooks of the Open and Save dialogs: centring, the New button, help and
// the extension that follows the chosen file type.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include "common/help_filter.h"
#include "common/help_mode.h"
#include "common/message_crackers.h"
#include "common/window_helpers.h"
#include "documents/file_dialog_state.h"
#include "common/app_globals.h"

FileDialogState FileDlgState = {};
char FileDlgDefExt[kFileDlgDefExtSize] = {};

namespace {

const int kNewButton = 1033;
const int kTypeBox = cmb1;
const int kNameBox = edt1;
const int kExplorerNameBox = cmb13;

void ShowNewButton(HWND dialog)
{
    if (HWND button = GetDlgItem(dialog, kNewButton))
        ShowWindow(button, FileDlgState.showNew ? SW_SHOW : SW_HIDE);
}

HWND NameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, kNameBox);
    return box ? box : GetDlgItem(dialog, kExplorerNameBox);
}

UINT_PTR OnOldCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    int id = 0;
    UINT code = 0;
    HWND control = nullptr;
    CrackCommand(wParam, lParam, &id, &code, &control);
    if (id == IDOK && code == BN_CLICKED) {
        FileDlgState.chosenFilter = static_cast<int>(SendDlgItemMessageA(dialog, kTypeBox, CB_GETCURSEL, 0, 0)) + 1;
    } else if (id == kNewButton && code == BN_CLICKED) {
        FileDlgState.chosenFilter = kFileDlgNewChosen;
        EndDialog(dialog, 1);
    } else if ((id == pshHelp && code == BN_CLICKED) || id == kContextHelpCommand) {
        ShowHelpTopic(FileDlgState.helpTopic);
    } else if (id == kTypeBox && code == CBN_SELCHANGE) {
        ApplyFileTypeExtension(dialog, -1);
    }
    return 0;
}

UINT_PTR OnExplorerNotify(HWND child, const OFNOTIFYA* notify)
{
    switch (notify->hdr.code) {
    case CDN_TYPECHANGE:
        ApplyFileTypeExtension(GetParent(child),
                               static_cast<int>(notify->lpOFN->nFilterIndex) - 1 + FileDlgState.typeOffset);
        break;
    case CDN_FILEOK:
        FileDlgState.chosenFilter = static_cast<int>(notify->lpOFN->nFilterIndex);
        break;
    case CDN_HELP:
        ShowHelpTopic(FileDlgState.helpTopic);
        break;
    default:
        break;
    }
    return 0;
}

UINT_PTR OnExplorerCommand(HWND child, WPARAM wParam, LPARAM lParam)
{
    int id = 0;
    UINT code = 0;
    HWND control = nullptr;
    CrackCommand(wParam, lParam, &id, &code, &control);
    if (id == kNewButton && code == BN_CLICKED) {
        FileDlgState.chosenFilter = kFileDlgNewChosen;
        HWND dialog = GetParent(child);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    }
    return 0;
}

} // namespace

UINT_PTR CALLBACK SEOpenHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOver(dialog, MainWindow);
        ShowNewButton(dialog);
        return 1;
    case WM_COMMAND:
        return OnOldCommand(dialog, wParam, lParam);
    default:
        return 0;
    }
}

UINT_PTR CALLBACK FileDlgExplorerHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterWindowOver(GetParent(child), MainWindow);
        ShowNewButton(child);
        return 1;
    case WM_NOTIFY:
        return OnExplorerNotify(child, reinterpret_cast<const OFNOTIFYA*>(lParam));
    case WM_HELP:
        // The help file has no popup topics yet; the New button's is claimed.
        return reinterpret_cast<const HELPINFO*>(lParam)->iCtrlId == kNewButton ? 1 : 0;
    case WM_CONTEXTMENU:
        return GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == kNewButton ? 1 : 0;
    case WM_COMMAND:
        return OnExplorerCommand(child, wParam, lParam);
    default:
        return 0;
    }
}

void ApplyFileTypeExtension(HWND dialog, int index)
{
    if (index == -1)
        index = static_cast<int>(SendDlgItemMessageA(dialog, kTypeBox, CB_GETCURSEL, 0, 0)) + FileDlgState.typeOffset + 1;
    else
        index += 1;
    const char* extension = FileTypeExtension(FileTypeIndex(index));
    if (!extension)
        return;
    lstrcpynA(FileDlgDefExt, extension, kFileDlgDefExtSize);
    if (FileDlgState.explorer)
        SendMessageA(dialog, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(FileDlgDefExt));
    HWND box = NameBox(dialog);
    if (!box)
        return;
    char name[MAX_PATH] = {};
    GetWindowTextA(box, name, MAX_PATH);
    if (SwitchExtension(name, sizeof(name), extension))
        SetWindowTextA(box, name);
}
