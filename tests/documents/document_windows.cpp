#include "document_windows.h"

#include "objects/view_record_word.h"

namespace {

const char kDocumentClass[] = "TessaryDocumentsTestDocument";
const char kViewClass[] = "TessaryDocumentsTestView";

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kDocumentClass;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassA(&windowClass);
    windowClass.lpszClassName = kViewClass;
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    registered = true;
}

} // namespace

DocumentWindows::DocumentWindows()
{
    RegisterClasses();
    document_ = CreateWindowA(kDocumentClass, "document", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    view_ = CreateWindowA(kViewClass, "view", WS_CHILD | WS_HSCROLL | WS_VSCROLL, 0, 0, 300, 200, document_, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
}

DocumentWindows::~DocumentWindows()
{
    if (view_)
        DestroyWindow(view_);
    if (document_)
        DestroyWindow(document_);
}
