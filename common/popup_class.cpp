#include "common/popup_class.h"

// The picker itself is not built yet; the class lets dialogs that name it load.
ATOM RegisterPopupClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "SEPOPUP";
    return RegisterClassA(&windowClass);
}
