#include "common/tool_tip_class.h"

// Least version until tool tips land: the class exists, no tip is shown.
ATOM RegisterToolTipClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    windowClass.lpszClassName = "SEToolTipClass";
    return RegisterClassA(&windowClass);
}

void ShutdownToolTips() {}
