// Opening, painting and saving a 16,000-object drawing in a document window
// of an MDI frame made here. Prints figures; asserts nothing about times.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_drawing.h"
#include "objects/app_options.h"
#include "documents/document_commands.h"
#include "common/app_globals.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "documents/view_children.h"
#include "view/view_classes.h"
#include "view/view_layout.h"

namespace {

const int kObjects = 16000;
const int kColumns = 125;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && MdiClientWindow) {
        ResizeFrame(lParam);
        return 0;
    }
    return DefFrameProcA(window, MdiClientWindow, message, wParam, lParam);
}

bool MakeFrame()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterViewClasses(instance))
        return false;
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = "TessaryViewBenchFrame";
    RegisterClassA(&frameClass);
    MainWindow = CreateWindowA("TessaryViewBenchFrame", "Tessary Plus", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               1000, 740, nullptr, nullptr, instance, nullptr);
    CLIENTCREATESTRUCT client = {nullptr, 0xFF00};
    MdiClientWindow = CreateWindowA("MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1000, 740,
                                    MainWindow, nullptr, instance, &client);
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    RECT area;
    GetClientRect(MainWindow, &area);
    ResizeFrame(MAKELPARAM(area.right, area.bottom));
    return MainWindow && MdiClientWindow;
}

HWND ActiveView()
{
    return DocumentViewOf(reinterpret_cast<HWND>(SendMessageA(MdiClientWindow, WM_MDIGETACTIVE, 0, 0)));
}

double Repaint(HWND view)
{
    LARGE_INTEGER start = Now();
    RedrawWindow(GetParent(view), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return Seconds(start, Now());
}

} // namespace

int main()
{
    std::vector<unsigned char> options(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
    int32_t rulers = 1;
    std::memcpy(options.data() + kOptionsRulerScale, &rulers, sizeof(rulers));
    AppOptions = options.data();
    if (InitObjectKinds() != kErrNone || InitRecordStore(kStoreTableSlots) != kErrNone)
        return Fail("store table", kErrNoMemory);
    if (!MakeFrame())
        return Fail("frame", kErrWindowOrCursor);

    HWND document = CreateDocumentWindow(nullptr, 99);
    if (!document)
        return Fail("new document", kErrNoMemory);
    HWND view = DocumentViewOf(document);
    LARGE_INTEGER buildStart = Now();
    for (int i = 0; i < kObjects; ++i) {
        const int column = i % kColumns;
        const int row = i / kColumns;
        RECT frame = {60 + 234 * column, 60 + 230 * row, 240 + 234 * column, 220 + 230 * row};
        ErrorCode code = CreateObject(view, kKindShape, &frame, 2 + i % 24, 0, 0, 0, 1, 0, 0);
        if (code != kErrNone)
            return Fail("creating the shapes", code);
    }
    std::printf("built %d shapes in %.2f s\n", kObjects, Seconds(buildStart, Now()));

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tessary_view_bench.tyr";
    LARGE_INTEGER saveStart = Now();
    ErrorCode code = SaveDocumentAs(document, path.c_str(), FALSE, 1);
    if (code != kErrNone)
        return Fail("Save As", code);
    std::printf("Save As: %.3f s\n", Seconds(saveStart, Now()));
    saveStart = Now();
    const int saved = SaveDocumentInPlace(document);
    if (saved != 0)
        return Fail("Save", ErrorCode{saved});
    std::printf("Save in place: %.3f s\n", Seconds(saveStart, Now()));
    SendMessageA(MdiClientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0);

    LARGE_INTEGER openStart = Now();
    code = OpenDocument(path.c_str(), FALSE, 1);
    if (code != kErrNone)
        return Fail("Open", code);
    view = ActiveView();
    UpdateWindow(GetParent(view));
    UpdateWindow(view);
    GdiFlush();
    std::printf("Open until the first paint is complete: %.3f s\n", Seconds(openStart, Now()));

    std::printf("full repaint at 100%%: %.3f s\n", Repaint(view));
    SetZoom(0, 2);
    std::printf("full repaint at Fit to Page: %.3f s\n", Repaint(view));
    SetZoom(0, 1);
    std::printf("full repaint at Fit to Window (all objects): %.3f s\n", Repaint(view));

    SendMessageA(MdiClientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(GetParent(view)), 0);
    DeleteFileA(path.c_str());
    DestroyWindow(MainWindow);
    TermRecordStore();
    return 0;
}
