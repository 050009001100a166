#include "objects/paste_menu_text.h"

#include "common/app_globals.h"
#include "common/clipboard_formats.h"
#include "resources/resource_ids.h"

int GetPasteMenuText()
{
    if (!OpenClipboard(MainWindow))
        return 0;
    int text = 0;
    if (PrivatePictFormat && IsClipboardFormatAvailable(PrivatePictFormat))
        text = IDS_PASTE_DRAWING;
    else if (PrivateNoPictFormat && IsClipboardFormatAvailable(PrivateNoPictFormat))
        text = 0;
    else if (IsClipboardFormatAvailable(CF_METAFILEPICT))
        text = IDS_PASTE_METAFILE;
    else if (IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP))
        text = IDS_PASTE_BITMAP;
    else if (IsClipboardFormatAvailable(CF_TEXT))
        text = IDS_PASTE_TEXT;   // another program's text becomes a free text
    CloseClipboard();
    return text;
}
