#include "view/attachment_dialog.h"

#include <cstdio>
#include <cstring>

#include "common/app_globals.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "documents/file_dialogs.h"
#include "objects/app_options.h"
#include "objects/attachment_records.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kAttachHelpTopic = 30036;
const int kFileDialogTemplate = 1536;
const int kHintStringBase = 3600;
const char kWebAddressStart[] = "http://www.";

struct AttachDialogState {
    char* name;
    int type;
};
AttachDialogState State = {nullptr, kAttachDrawing};

void ShowBrowse(HWND dialog, int type)
{
    ShowWindow(GetDlgItem(dialog, IDC_ATTACH_BROWSE), type == kAttachWebPage ? SW_HIDE : SW_SHOW);
}

void EnableOk(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, IDC_ATTACH_NAME)) > 0);
}

void ShowHint(HWND dialog, int type)
{
    char hint[256] = "";
    // The hint lines are not in the string table: the line stays empty.
    if (LoadStringA(AppInstance, static_cast<UINT>(kHintStringBase + type), hint, sizeof(hint)) <= 0)
        hint[0] = '\0';
    SetDlgItemTextA(dialog, IDC_NOTE_1, hint);
}

void SelectAttachType(HWND dialog, int button)
{
    const int type = button - IDC_ATTACH_DRAWING;
    if (type != State.type) {
        char name[kAttachNameSize];
        GetDlgItemTextA(dialog, IDC_ATTACH_NAME, name, sizeof(name));
        NameForTypeChange(State.type, type, name);
        SetDlgItemTextA(dialog, IDC_ATTACH_NAME, name);
    }
    ShowBrowse(dialog, type);
    CheckRadioButton(dialog, IDC_ATTACH_DRAWING, IDC_ATTACH_PROGRAM, button);
    State.type = type;
    ShowHint(dialog, type);
}

void OnInitDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_2);
    SendDlgItemMessageA(dialog, IDC_ATTACH_NAME, EM_LIMITTEXT, kAttachNameSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_ATTACH_NAME, State.name);
    CheckRadioButton(dialog, IDC_ATTACH_DRAWING, IDC_ATTACH_PROGRAM, IDC_ATTACH_DRAWING + State.type);
    ShowBrowse(dialog, State.type);
    ShowHint(dialog, State.type);
    EnableOk(dialog);
}

void Browse(HWND dialog)
{
    int filter = IDS_FILTER_DOCUMENTS;
    int title = IDS_TITLE_ATTACH_FILE;
    if (State.type == kAttachDrawing) {
        filter = IDS_FILTER_DRAWINGS;
        title = IDS_TITLE_ATTACH;
    } else if (State.type == kAttachProgram) {
        filter = IDS_FILTER_PROGRAMS;
        title = IDS_TITLE_ATTACH_PROGRAM;
    }
    char file[kAttachNameSize] = "";
    char* folder = Options() ? Options()->drawingsFolder : nullptr;
    if (RunOpenFileDlg(dialog, kFileDialogTemplate, file, filter, title, FALSE, kAttachHelpTopic, 1, 0, folder))
        SetDlgItemTextA(dialog, IDC_ATTACH_NAME, file);
}

bool OnCommand(HWND dialog, int id, int notification)
{
    if (id >= IDC_ATTACH_DRAWING && id <= IDC_ATTACH_PROGRAM && notification == BN_CLICKED) {
        SelectAttachType(dialog, id);
        return true;
    }
    switch (id) {
    case IDC_ATTACH_NAME:
        if (notification == EN_CHANGE)
            EnableOk(dialog);
        return true;
    case IDC_ATTACH_BROWSE:
        Browse(dialog);
        return true;
    case IDOK:
        GetDlgItemTextA(dialog, IDC_ATTACH_NAME, State.name, kAttachNameSize);
        EndDialog(dialog, 1);
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK AttachDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void NameForTypeChange(int oldType, int newType, char* name)
{
    if (newType == kAttachWebPage && oldType != kAttachWebPage)
        std::snprintf(name, kAttachNameSize, "%s", kWebAddressStart);
    else if (oldType == kAttachWebPage && newType != kAttachWebPage)
        name[0] = '\0';
}

int RunAttachDialog(char* name, int* type)
{
    State.name = name;
    State.type = *type >= 0 && *type < kAttachTypeCount ? *type : kAttachDrawing;
    const INT_PTR result = RunModalDialog({TEMPLATE_ATTACH, AttachDlgHandler, kAttachHelpTopic, nullptr});
    if (result != 1)
        return 0;
    *type = State.type;
    return 1;
}
