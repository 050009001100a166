#include "ole/gif_options_dialog.h"

#include <cstring>

#include "common/app_globals.h"
#include "common/info_dialog.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "objects/app_options.h"
#include "resources/dialog_ids.h"

namespace {

const int kGifOptionsHelpTopic = 30057;
const int kTrueColourBits = 8;  // displays above this have no palette to share

uint16_t OptionFlags()
{
    uint16_t flags = 0;
    if (AppOptions)
        std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    return flags;
}

void SetOptionFlags(uint16_t flags)
{
    if (AppOptions)
        std::memcpy(AppOptions + kOptionsFlags, &flags, sizeof(flags));
}

void OnInitDialog(HWND dialog)
{
    SetDialogItemsFont(dialog, IDC_NOTE_1, IDC_NOTE_4);
    const uint16_t flags = OptionFlags();
    CheckRadioButton(dialog, IDC_GIF_TRANSPARENT, IDC_GIF_OPAQUE,
                     (flags & kOptionFlagGifOpaque) ? IDC_GIF_OPAQUE : IDC_GIF_TRANSPARENT);
    CheckRadioButton(dialog, IDC_GIF_INTERLACED, IDC_GIF_NON_INTERLACED,
                     (flags & kOptionFlagGifNotInterlaced) ? IDC_GIF_NON_INTERLACED : IDC_GIF_INTERLACED);
}

void OnOk(HWND dialog)
{
    uint16_t flags = OptionFlags();
    flags = static_cast<uint16_t>(flags & ~(kOptionFlagGifOpaque | kOptionFlagGifNotInterlaced));
    if (IsDlgButtonChecked(dialog, IDC_GIF_OPAQUE) == BST_CHECKED)
        flags |= kOptionFlagGifOpaque;
    if (IsDlgButtonChecked(dialog, IDC_GIF_NON_INTERLACED) == BST_CHECKED)
        flags |= kOptionFlagGifNotInterlaced;
    SetOptionFlags(flags);
    EndDialog(dialog, 1);
}

// A display of more than 256 colours cannot show which colour will vanish.
bool DisplayAboveEightBits()
{
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return false;
    const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(MainWindow, dc);
    return bits > kTrueColourBits;
}

} // namespace

INT_PTR CALLBACK GIFOptionDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

int RunGifOptionsDlg(HWND owner)
{
    if (RunModalDialog({TEMPLATE_GIF_OPTIONS, GIFOptionDlgHandler, kGifOptionsHelpTopic, owner}) != 1)
        return 0;
    if (DisplayAboveEightBits() && (OptionFlags() & kOptionFlagGifOpaque) == 0) {
        // Continue goes on with the export, Cancel stops it; with nobody to
        // ask (the main window hidden) it goes on.
        return !NoticesCanShow() || ShowInfoDialog(INFO_GIFTRANS_NAME, kGifOptionsHelpTopic) == IDOK ? 1 : 0;
    }
    return 1;
}
