#include "text/font_dialogs.h"

#include <commdlg.h>

#include "common/mapping.h"
#include "common/modal_dialog.h"
#include "common/window_helpers.h"
#include "common/app_globals.h"
#include "text/font_list.h"
#include "text/font_size_box.h"

namespace {

const DWORD kFontDialogFlags = CF_PRINTERFONTS | CF_SHOWHELP | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT |
                               CF_LIMITSIZE | CF_TTONLY;
static_assert(kFontDialogFlags == 0x4204e, "font dialog flags");

int MainWindowPixelsPerInch()
{
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return 96;
    int pixels = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(MainWindow, dc);
    return pixels;
}

} // namespace

int ChooseTextFont(HWND owner, HGLOBAL* fontList, HGLOBAL* fontTable, HDC dc, int* slot, int* size, int* styleBits)
{
    DWORD flags = kFontDialogFlags;
    int index = 0;
    if (*slot < 0) {
        flags |= CF_NOFACESEL;
    } else {
        index = (fontTable && *fontTable) ? FontTableSlotValue(*fontTable, *slot) : *slot;
    }
    FontListEntry entry;
    if (!GetFontListEntry(*fontList, index, &entry))
        return -1;
    LOGFONTA logFont = entry.logFont;
    if (*size > 0)
        logFont.lfHeight = -(MainWindowPixelsPerInch() * *size / 72);
    else
        flags |= CF_NOSIZESEL;
    if (*styleBits & kMixedStyle) {
        flags |= CF_NOSTYLESEL;
    } else {
        logFont.lfWeight = (*styleBits & 1) ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (*styleBits & 2) ? 1 : 0;
        logFont.lfUnderline = (*styleBits & 4) ? 1 : 0;
        logFont.lfStrikeOut = (*styleBits & 0x40) ? 1 : 0;
    }

    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.hDC = dc;
    choose.lpLogFont = &logFont;
    choose.iPointSize = *size * 10;
    choose.Flags = flags;
    choose.lpfnHook = VXFontHook;
    choose.hInstance = AppInstance;
    choose.nSizeMin = 4;
    choose.nSizeMax = 400;
    ModalDialogScope scope(owner);
    if (!scope.entered() || !ChooseFontA(&choose))
        return 0;

    if (choose.Flags & CF_NOFACESEL) {
        *slot = -1;
    } else {
        int chosen = FindOrAddFaceCharset(fontList, logFont.lfFaceName, logFont.lfCharSet, &logFont);
        if (chosen < 0)
            chosen = FindOrAddFace(fontList, logFont.lfFaceName, &logFont);
        *slot = (fontTable && *fontTable) ? FindOrAddFontIndex(fontTable, chosen) : chosen;
    }
    *size = (choose.Flags & CF_NOSIZESEL) ? -1 : choose.iPointSize / 10;
    if (choose.Flags & CF_NOSTYLESEL) {
        *styleBits = kMixedStyle;
    } else {
        // A chosen style is no longer mixed.
        int bits = *styleBits & ~(kMixedStyle | 1 | 2);
        if (logFont.lfWeight > FW_NORMAL)
            bits |= 1;
        if (logFont.lfItalic)
            bits |= 2;
        *styleBits = bits;
    }
    return 1;
}

int ChooseStyleFont(HWND owner, LOGFONTA* logFont)
{
    ModalDialogScope scope(owner);
    if (!scope.entered())
        return 0;
    HDC dc = GetDC(MainWindow);
    if (!dc)
        return 0;
    int saved = SaveDC(dc);
    SetZoomMapMode(dc, 0, 600);
    LOGFONTA start = *logFont;
    start.lfHeight /= 6;
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.hDC = dc;
    choose.lpLogFont = &start;
    choose.iPointSize = 100;
    choose.Flags = kFontDialogFlags;
    choose.lpfnHook = VXFontHook;
    choose.hInstance = AppInstance;
    choose.nSizeMin = 4;
    choose.nSizeMax = 144;
    BOOL chosen = ChooseFontA(&choose);
    RestoreDC(dc, saved);
    ReleaseDC(MainWindow, dc);
    if (!chosen)
        return 0;
    start.lfHeight *= 6;
    *logFont = start;
    return 1;
}

UINT_PTR CALLBACK VXFontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        RememberFontSizeLimits(dialog, *reinterpret_cast<const CHOOSEFONTA*>(lParam));
        if (MainWindow)
            CenterWindowOver(dialog, MainWindow);
        return 0;
    case WM_COMMAND:
        // A size the dialog would refuse gets our warning, not its own untitled box.
        return LOWORD(wParam) == IDOK && !AcceptFontSizeBox(dialog) ? 1 : 0;
    case WM_DESTROY:
        ForgetFontSizeLimits(dialog);
        return 0;
    default:
        return 0;
    }
}
