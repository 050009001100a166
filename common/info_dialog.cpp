#include "common/info_dialog.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/modal_dialog.h"
#include "common/tracking_mode.h"
#include "common/window_helpers.h"
#include "resources/dialog_ids.h"

HintsFlagCalls HintsFlag = {nullptr, nullptr};

namespace {

const char kHintPrefix[] = "HINT_";

// A program that only serves a container keeps its first-use hints back: a
// modal hint would stand between the person and the drawing they came to
// edit, and the container waits on the server meanwhile.
bool HintHeldBack(const char* templateName)
{
    return StartedForEmbedding && std::strncmp(templateName, kHintPrefix, sizeof(kHintPrefix) - 1) == 0;
}

bool HasShowHintsBox(HWND dialog)
{
    return GetDlgItem(dialog, IDC_INFO_SHOW_HINTS) != nullptr;
}

void OnInitDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_3);
    if (HasShowHintsBox(dialog)) {
        const bool on = HintsFlag.get && HintsFlag.get();
        CheckDlgButton(dialog, IDC_INFO_SHOW_HINTS, on ? BST_CHECKED : BST_UNCHECKED);
    }
}

void OnOk(HWND dialog)
{
    if (HasShowHintsBox(dialog) && HintsFlag.set)
        HintsFlag.set(IsDlgButtonChecked(dialog, IDC_INFO_SHOW_HINTS) == BST_CHECKED);
    EndDialog(dialog, IDOK);
}

// A notice may be asked for in the middle of a mouse drag; the drag ends
// there, as it does under a warning, so the box can take the mouse.
void EndMouseDrag()
{
    TrackingMode = kTrackingNone;
    if (GetCapture())
        ReleaseCapture();
}

} // namespace

INT_PTR CALLBACK InfoDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
            OnOk(dialog);
            return TRUE;
        }
        // Esc in a notice without a Cancel button leaves it open; the
        // dialog runner ends the others with 0.
        return LOWORD(wParam) == IDCANCEL && !GetDlgItem(dialog, IDCANCEL);
    default:
        return FALSE;
    }
}

bool NoticesCanShow()
{
    return MainWindow && IsWindowVisible(MainWindow);
}

int ShowInfoDialog(const char* templateName, int helpTopic)
{
    if (!NoticesCanShow() || HintHeldBack(templateName))
        return 0;
    EndMouseDrag();
    const INT_PTR result = RunModalDialog({templateName, InfoDlgHandler, helpTopic, nullptr});
    return result > 0 ? static_cast<int>(result) : 0;
}
