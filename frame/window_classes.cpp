// The window classes of the program, registered at start-up in a fixed order.
#include "frame/character_grid.h"
#include "common/icon_button.h"
#include "common/results.h"
#include "frame/app_startup.h"
#include "frame/main_window.h"
#include "libraries/library_windows.h"
#include "common/popup_picker.h"
#include "common/sample_window.h"
#include "objects/view_record_word.h"
#include "view/view_windows.h"

namespace {

enum IconChoice { kNoIcon, kMainIcon, kDocumentIcon };

struct ClassRow {
    const char* name;
    WNDPROC procedure;
    UINT style;
    int windowBytes;
    IconChoice icon;
    HBRUSH background;
    const char* menu;
};

HBRUSH SystemBrush(int color)
{
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(color + 1));
}

const UINT kRulerStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;

} // namespace

ErrorCode RegisterWindowClasses(HINSTANCE instance)
{
    HICON mainIcon = LoadIconA(instance, MAKEINTRESOURCEA(1001));
    HICON documentIcon = LoadIconA(instance, MAKEINTRESOURCEA(1002));
    if (!mainIcon || !documentIcon)
        return kErrStringOrFormat;
    // Window words hold handles as pointer-sized words: the document record in
    // the document window, the settings and view record in the view.
    const ClassRow rows[] = {
        {kMainClassName, SEMain, CS_BYTEALIGNCLIENT, 0, kMainIcon, SystemBrush(COLOR_APPWORKSPACE), "MDMenu"},
        {"MDDocumentClass", SEDocument, CS_BYTEALIGNCLIENT, sizeof(LONG_PTR), kDocumentIcon, SystemBrush(COLOR_WINDOW), nullptr},
        {"MDScrollClass", SEScroll, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC, kViewWindowBytes, kMainIcon,
         SystemBrush(COLOR_WINDOW), nullptr},
        {"MDHRulerClass", SEHRuler, kRulerStyle, 0, kMainIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {"MDVRulerClass", SEVRuler, kRulerStyle, 0, kMainIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {"MDXRulerClass", SEXRuler, kRulerStyle, 0, kMainIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {kIconButtonClassName, SEIcnBtn, CS_DBLCLKS, 12, kNoIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {"SESAMPLEWIN", SampleWndProc, CS_DBLCLKS, kSampleWindowBytes, kNoIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {"SEBMWWIN", BitmapWndProc, 0, 0, kNoIcon, SystemBrush(COLOR_BTNFACE), nullptr},
        {"SECHARARRAY", CharArrayHandler, CS_DBLCLKS, kGridWindowBytes, kNoIcon, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
         nullptr},
    };
    for (const ClassRow& row : rows) {
        WNDCLASSA windowClass = {};
        windowClass.style = row.style;
        windowClass.lpfnWndProc = row.procedure;
        windowClass.cbWndExtra = row.windowBytes;
        windowClass.hInstance = instance;
        windowClass.hIcon = row.icon == kMainIcon ? mainIcon : row.icon == kDocumentIcon ? documentIcon : nullptr;
        windowClass.hCursor = AppCursors[0];
        windowClass.hbrBackground = row.background;
        windowClass.lpszMenuName = row.menu;
        windowClass.lpszClassName = row.name;
        if (!RegisterClassA(&windowClass))
            return kErrWindowOrCursor;
    }
    if (!RegisterVexletPreviewClass(instance) || !RegisterPopupClass(instance) || !RegisterLibraryClass(instance))
        return kErrWindowOrCursor;
    return kErrNone;
}
