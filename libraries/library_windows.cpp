// The library windows are not built yet: no library opens, so the table stays
// empty and the classes exist only so that their dialogs and windows load.
#include "libraries/library_windows.h"



int LibraryWindowCount = 0;

namespace {

ATOM RegisterPlainClass(HINSTANCE instance, const char* name)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass);
}

} // namespace

ATOM RegisterLibraryClass(HINSTANCE instance)
{
    return RegisterPlainClass(instance, "VXLIBCLASS");
}

ATOM RegisterVexletPreviewClass(HINSTANCE instance)
{
    return RegisterPlainClass(instance, "EVXWINDOWCLASS");
}

BOOL IsLibraryFile(const char*)
{
    return FALSE;
}

int OpenLibraries(int, int, const char*, HWND)
{
    return 0;
}

int CreateNewLibrary()
{
    return 0;
}

HWND GetActiveLibraryWindow()
{
    return nullptr;
}

void DestroyLibraryWindows() {}
