#include "frame/about_box.h"

#include "common/bitmap_blit.h"
#include "common/display_flags.h"
#include "common/icon_button.h"
#include "common/modal_dialog.h"
#include "common/string_helpers.h"
#include "common/app_globals.h"
#include "frame/shared_gdi_objects.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kPictureMargin = 20;
const int kPictureTop = 10;

HBITMAP LoadAboutPicture()
{
    return LoadBitmapA(AppInstance, MonochromeDisplay ? BITMAP_ABOUT_MONO : BITMAP_ABOUT);
}

void WidenForPicture(HWND dialog)
{
    HBITMAP picture = LoadAboutPicture();
    if (!picture)
        return;
    BITMAP info = {};
    GetObjectA(picture, sizeof(info), &info);
    DeleteObject(picture);
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left;
    const int wanted = AboutBoxWidthFor(width, info.bmWidth);
    if (wanted != width)
        MoveWindow(dialog, 0, 0, wanted, frame.bottom - frame.top, FALSE);
}

void OnInitDialog(HWND dialog)
{
    InitAboutBox(dialog);
    WidenForPicture(dialog);
}

// Returns false when there is no picture and the default painting should run.
bool PaintPicture(HWND dialog)
{
    HBITMAP picture = LoadAboutPicture();
    if (!picture)
        return false;
    BITMAP info = {};
    GetObjectA(picture, sizeof(info), &info);
    RECT client;
    GetClientRect(dialog, &client);
    const int x = (client.right - info.bmWidth) / 2;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (MonochromeDisplay) {
        BlitBitmap(dc, picture, x, kPictureTop, SRCCOPY);
    } else {
        // The light grey of the picture lets the dialog face show through.
        HBITMAP mask = MakeBitmapMask(dc, picture);
        BlitBitmap(dc, picture, x, kPictureTop, SRCINVERT);
        if (mask)
            BlitBitmap(dc, mask, x, kPictureTop, SRCAND);
        BlitBitmap(dc, picture, x, kPictureTop, SRCINVERT);
        if (mask)
            DeleteObject(mask);
    }
    EndPaint(dialog, &paint);
    DeleteObject(picture);
    return true;
}

} // namespace

int AboutBoxWidthFor(int dialogWidth, int pictureWidth)
{
    return dialogWidth < pictureWidth + kPictureMargin ? pictureWidth + kPictureMargin : dialogWidth;
}

void InitAboutBox(HWND dialog)
{
    char text[kStringBufferSize];
    LoadStrOrBlank(IDS_VERSION, text);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, text);
    LoadStrOrBlank(IDS_PLATFORM, text);
    SetDlgItemTextA(dialog, IDC_ABOUT_PLATFORM, text);
    if (SmallDialogFont)
        SendDlgItemMessageA(dialog, IDC_ABOUT_CREDITS, WM_SETFONT, reinterpret_cast<WPARAM>(SmallDialogFont), FALSE);
}

INT_PTR CALLBACK AboutHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_PAINT:
        // The controls are child windows and paint themselves after this.
        return PaintPicture(dialog) ? TRUE : FALSE;
    case WM_COMMAND:
        // Esc (IDCANCEL) closes the box like OK.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR RunAboutBox(const char* templateName)
{
    return RunModalDialog({templateName, AboutHandler, 0, nullptr});
}
