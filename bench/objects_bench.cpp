// Creating 16,000 rectangles one by one in a working store, each in its own
// undo step as the drawing view makes them, then deleting every second one in
// one call. Prints the time per creation, the totals and the store's size.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "documents/app_options.h"
#include "documents/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "view/document_undo.h"
#include "view/view_record_word.h"

namespace {

const int kObjects = 16000;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

HWND MakeView()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaryBenchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    return CreateWindowA("TessaryBenchView", "view", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

DrawingRecord* LockedDrawing(HGLOBAL viewRecord)
{
    void* view = GlobalLock(viewRecord);
    HGLOBAL handle = GetViewDrawingHandle(view);
    GlobalUnlock(viewRecord);
    void* drawing = GlobalLock(handle);
    GlobalUnlock(handle);
    return static_cast<DrawingRecord*>(drawing);
}

int Fail(const char* what, ErrorCode code)
{
    std::printf("%s failed with %d\n", what, code);
    return 1;
}

} // namespace

int main()
{
    std::vector<unsigned char> options(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
    AppOptions = options.data();
    InitObjectKinds();
    if (InitRecordStore(kStoreTableSlots) != kErrNone)
        return Fail("store table", kErrNoMemory);

    char folder[MAX_PATH];
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "VXB", 0, path);
    int store = -1;
    int second = 0;
    ErrorCode code = CreateStoreFile(path, 0, kStoreShift, kDocumentMapCapacity);
    if (code == kErrNone)
        code = OpenStoreByName(path, &store, 0, &second, FALSE);
    for (short group : {100, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120}) {
        if (code == kErrNone)
            code = CreateGroup(store, group);
    }
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = CreateRecord(store, kDrawingGroup, kDrawingRecordId, kDrawingRecordSize, &record);
    if (code == kErrNone)
        code = CreateRecord(store, kDrawingGroup, 101, 512, &record);
    if (code != kErrNone)
        return Fail("making the working store", code);

    HWND view = MakeView();
    HGLOBAL viewRecord = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 512);
    SetViewRecordHandle(view, viewRecord);
    WriteViewField(GlobalLock(viewRecord), kViewStoreSlot, store);
    GlobalUnlock(viewRecord);
    HGLOBAL drawing = nullptr;
    code = CreateDrawingRecords(view, store, 0, 32000, 32000, 0, &drawing);
    if (code != kErrNone)
        return Fail("CreateDrawingRecords", code);
    SetViewDrawingHandle(GlobalLock(viewRecord), drawing);
    GlobalUnlock(viewRecord);

    LARGE_INTEGER start = Now();
    double slowest = 0;
    for (int i = 0; i < kObjects; ++i) {
        int column = i % 100;
        int row = i / 100;
        RECT frame = {100 + 300 * column, 100 + 190 * row, 340 + 300 * column, 250 + 190 * row};
        LARGE_INTEGER before = Now();
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 1, 0, 0, 1);
        double took = Seconds(before, Now());
        if (took > slowest)
            slowest = took;
        if (code != kErrNone)
            return Fail("CreateObject", code);
        if ((i + 1) % 4000 == 0)
            std::printf("  %5d objects: %.3f s so far\n", i + 1, Seconds(start, Now()));
    }
    double createTotal = Seconds(start, Now());

    // Every second object selected, then one delete in one undo step.
    DrawingRecord* d = LockedDrawing(viewRecord);
    {
        LockedTable objects(d, kTableObjects);
        d->selectedCount = 0;
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* object = ObjectAt(objects.Get(), i);
            object->stateFlags = (i % 2 == 0) ? static_cast<uint32_t>(kStateSelected) : 0u;
            if (i % 2 == 0)
                ++d->selectedCount;
        }
    }
    LARGE_INTEGER deleteStart = Now();
    code = BeginDocumentUndo(view, 28);
    d = LockedDrawing(viewRecord);
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups}) {
        if (code == kErrNone)
            code = MarkDrawingTableChanged(d, table);
    }
    if (code == kErrNone)
        code = DeleteObjects(d, 1, -1);
    double deleteTotal = Seconds(deleteStart, Now());
    if (code != kErrNone)
        return Fail("DeleteObjects", code);
    int left = 0;
    {
        LockedTable objects(d, kTableObjects);
        left = objects.Count();
    }

    code = FlushStore(store, FALSE);
    HFILE file = 0;
    LONG length = 0;
    if (code == kErrNone && GetStoreFileHandle(store, &file) == kErrNone) {
        LONG here = SeamSeek(file, 0, FILE_CURRENT);
        length = SeamSeek(file, 0, FILE_END);
        SeamSeek(file, here, FILE_BEGIN);
    }

    std::printf("created %d rectangles, each in its own undo step\n", kObjects);
    std::printf("  per creation: %.1f us (slowest %.1f ms)\n", createTotal * 1e6 / kObjects, slowest * 1e3);
    std::printf("  total: %.3f s\n", createTotal);
    std::printf("deleted every second one in one call: %.3f s, %d objects left\n", deleteTotal, left);
    std::printf("store file after flush: %ld bytes\n", static_cast<long>(length));

    void* viewBytes = GlobalLock(viewRecord);
    ReleaseDrawingRecords(GetViewDrawingHandle(viewBytes));
    SetViewDrawingHandle(viewBytes, nullptr);
    GlobalUnlock(viewRecord);
    CloseStore(store);
    DeleteFileA(path);
    DestroyWindow(view);
    GlobalFree(viewRecord);
    TermRecordStore();
    TermObjectKinds();
    AppOptions = nullptr;
    return 0;
}
