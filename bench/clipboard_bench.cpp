// Copy and Paste through the clipboard scratch store: Copy of 10 and of 1,000
// selected shapes out of a 16,000-shape drawing, and Paste of each into a
// second drawing; the median of a few runs each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_drawing.h"
#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "documents/clipboard_store.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "frame/app_startup.h"
#include "objects/document_undo.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "view/clipboard_copy.h"
#include "view/clipboard_paste.h"

namespace {

const int kObjects = 16000;
const int kColumns = 160;
const int kSpacing = 200;
const int kSide = 150;
const int kRuns = 5;

struct Document {
    HWND window = nullptr;
    HWND view = nullptr;
};

HWND PlainWindow(const char* name, HWND parent, int extraBytes)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    windowClass.cbWndExtra = extraBytes;
    RegisterClassA(&windowClass);
    return CreateWindowA(name, name, parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

Document NewDocument(int number)
{
    Document document;
    document.window = PlainWindow("TessaryBenchDocument", nullptr, sizeof(LONG_PTR));
    document.view = PlainWindow("TessaryBenchDocumentView", document.window, kViewWindowBytes);
    int store = -1;
    HFILE lock = HFILE_ERROR;
    Require("working store", CreateWorkingStore(document.window, number, 0, 0, nullptr, &store, &lock));
    Require("document records", CreateDocumentRecords(document.view, store));
    return document;
}

void* RecordOf(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    void* record = GlobalLock(handle);
    GlobalUnlock(handle);
    return record;
}

void Fill(HWND view)
{
    ErrorCode code = BeginDocumentUndo(view, kUndoStepDrawing);
    for (int i = 0; i < kObjects && code == kErrNone; ++i) {
        const int x = 100 + (i % kColumns) * kSpacing;
        const int y = 100 + (i / kColumns) * kSpacing;
        RECT frame = {x, y, x + kSide, y + kSide};
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0);
    }
    ClearDocumentUndo(view);
    Require("filling the drawing", code);
}

void SelectFirst(HWND view, int count)
{
    HGLOBAL handle = GetViewDrawingHandle(RecordOf(view));
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* object = ObjectAt(objects.Get(), i);
            object->stateFlags = i < count ? (object->stateFlags | kStateSelected) : (object->stateFlags & ~kStateSelected);
        }
    }
    drawing->selectedCount = count;
    drawing->primarySelected = 0;
    Require("selection", SetDrawingTableDirty(drawing, kTableObjects));
    GlobalUnlock(handle);
}

int ObjectCount(HWND view)
{
    HGLOBAL handle = GetViewDrawingHandle(RecordOf(view));
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    int count = 0;
    {
        LockedTable objects(drawing, kTableObjects);
        count = objects.Count();
    }
    GlobalUnlock(handle);
    return count;
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TimeCopy(HWND view, int count)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        SelectFirst(view, count);
        HGLOBAL handle = GetViewDrawingHandle(RecordOf(view));
        auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
        const LARGE_INTEGER start = Now();
        Require("copy", CopySelection(view, RecordOf(view), drawing, 1));
        times.push_back(Seconds(start, Now()));
        GlobalUnlock(handle);
    }
    return Median(times);
}

double TimePaste(HWND view, int* pasted)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        Require("undo step", BeginDocumentUndo(view, kUndoStepPaste));
        const int before = ObjectCount(view);
        const LARGE_INTEGER start = Now();
        Require("paste", PasteFromClipboardStore(view, RecordOf(view), GetViewDrawingHandle(RecordOf(view)), nullptr,
                                                 nullptr, nullptr));
        times.push_back(Seconds(start, Now()));
        *pasted = ObjectCount(view) - before;
        ClearDocumentUndo(view);
    }
    return Median(times);
}

} // namespace

int main()
{
    BenchDrawing options;
    options.options.assign(kOptionsMinimumSize, 0);
    AppOptions = options.options.data();
    Require("object kinds", InitObjectKinds());
    Require("store table", InitRecordStore(kStoreTableSlots));
    OleInitialize(nullptr);
    AppInstance = GetModuleHandleA(nullptr);
    Require("window classes", RegisterWindowClasses(AppInstance));
    MainWindow = PlainWindow("TessaryBenchFrame", nullptr, 0);
    ResizeBackBuffer();
    Require("clipboard formats", RegisterClipboardFormats());
    Document source = NewDocument(1);
    Document target = NewDocument(2);
    Fill(source.view);
    for (int count : {10, 1000}) {
        const double copy = TimeCopy(source.view, count);
        int pasted = 0;
        const double paste = TimePaste(target.view, &pasted);
        std::printf("copy %d of %d objects: %.1f ms; paste of the %d: %.1f ms\n", count, kObjects, copy * 1000,
                    pasted, paste * 1000);
    }
    OleSetClipboard(nullptr);
    CloseClipboardStore();
    OleUninitialize();
    return 0;
}
