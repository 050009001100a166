#include "libraries/library_windows.h"

// The symbol editor's preview window paints nothing of its own until the
// symbol dialogs exist.
ATOM RegisterVexletPreviewClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "EVXWINDOWCLASS";
    return RegisterClassA(&windowClass);
}
