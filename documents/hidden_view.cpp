#include "documents/hidden_view.h"

#include "common/app_globals.h"
#include "common/results.h"

namespace {

const char kViewClass[] = "MDScrollClass";

} // namespace

ErrorCode CreateHiddenDrawingView(HWND* view)
{
    RECT client = {0, 0, 0, 0};
    if (MainWindow)
        GetClientRect(MainWindow, &client);
    *view = CreateWindowA(kViewClass, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                          client.right, client.bottom, MainWindow, nullptr, AppInstance, nullptr);
    return CheckAlloc(*view);
}
