#include "view/view_classes.h"

#include "objects/view_record_word.h"
#include "view/view_windows.h"

const char kDocumentClassName[] = "MDDocumentClass";
const char kScrollClassName[] = "MDScrollClass";
const char kHRulerClassName[] = "MDHRulerClass";
const char kVRulerClassName[] = "MDVRulerClass";
const char kXRulerClassName[] = "MDXRulerClass";

namespace {

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style, int words, int background)
{
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = words;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

bool RegisterViewClasses(HINSTANCE instance)
{
    const UINT rulerStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    return Register(instance, kDocumentClassName, SEDocument, CS_BYTEALIGNCLIENT, sizeof(LONG_PTR), COLOR_WINDOW) &&
           Register(instance, kScrollClassName, SEScroll, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC,
                    kViewWindowBytes, COLOR_WINDOW) &&
           Register(instance, kHRulerClassName, SEHRuler, rulerStyle, 0, COLOR_BTNFACE) &&
           Register(instance, kVRulerClassName, SEVRuler, rulerStyle, 0, COLOR_BTNFACE) &&
           Register(instance, kXRulerClassName, SEXRuler, rulerStyle, 0, COLOR_BTNFACE);
}
