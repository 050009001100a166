// What the benchmarks share: a clock, a failure line, and a drawing in a fresh
// working store shown by a plain view window, made the way a document makes it.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "objects/view_record_word.h"

inline LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline int Fail(const char* what, ErrorCode code)
{
    std::printf("%s failed with %d\n", what, code.value);
    return 1;
}

// A benchmark that cannot set up or tidy up has nothing true to report: it
// says what failed and stops.
inline void Require(const char* what, ErrorCode code)
{
    if (code != kErrNone)
        std::exit(Fail(what, code));
}

struct BenchDrawing {
    char path[MAX_PATH] = "";
    int store = -1;
    HWND view = nullptr;
    HGLOBAL viewRecord = nullptr;
    HGLOBAL drawing = nullptr;
    std::vector<unsigned char> options;
};

// The view window class the benchmarks' drawings hang on.
inline HWND MakeBenchView()
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

// Options with a 12-unit default line, the kind table, the store table, a
// working store with the drawing's groups, and a 32000 × 32000 drawing.
inline ErrorCode OpenBenchDrawing(const char* prefix, BenchDrawing* bench)
{
    bench->options.assign(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(bench->options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
    AppOptions = bench->options.data();
    ErrorCode code = InitObjectKinds();
    if (code == kErrNone)
        code = InitRecordStore(kStoreTableSlots);
    if (code != kErrNone)
        return code;

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, prefix, 0, bench->path);
    int second = 0;
    code = CreateStoreFile(bench->path, 0, kStoreShift, kDocumentMapCapacity);
    if (code == kErrNone)
        code = OpenStoreByName(bench->path, &bench->store, 0, &second, FALSE);
    for (short group : {100, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120}) {
        if (code == kErrNone)
            code = CreateGroup(bench->store, group);
    }
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = CreateRecord(bench->store, kDrawingGroup, kDrawingRecordId, kDrawingRecordSize, &record);
    if (code == kErrNone)
        code = CreateRecord(bench->store, kDrawingGroup, 101, 512, &record);
    if (code != kErrNone)
        return code;

    bench->view = MakeBenchView();
    bench->viewRecord = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 512);
    if (!bench->view || !bench->viewRecord)
        return kErrNoMemory;
    SetViewRecordHandle(bench->view, bench->viewRecord);
    WriteViewField(GlobalLock(bench->viewRecord), kViewStoreSlot, bench->store);
    GlobalUnlock(bench->viewRecord);
    code = CreateDrawingRecords(bench->view, bench->store, 0, 32000, 32000, 0, &bench->drawing);
    if (code != kErrNone)
        return code;
    SetViewDrawingHandle(GlobalLock(bench->viewRecord), bench->drawing);
    GlobalUnlock(bench->viewRecord);
    return kErrNone;
}

// The drawing record behind a view record (the block stays where it is while
// nothing resizes it).
inline DrawingRecord* LockedDrawing(HGLOBAL viewRecord)
{
    void* view = GlobalLock(viewRecord);
    HGLOBAL handle = GetViewDrawingHandle(view);
    GlobalUnlock(viewRecord);
    void* drawing = GlobalLock(handle);
    GlobalUnlock(handle);
    return static_cast<DrawingRecord*>(drawing);
}
