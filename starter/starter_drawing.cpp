#include "starter/starter_drawing.h"

#include "common/back_buffer.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "frame/layer_hooks.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "objects/object_create.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "ole/drawing_render.h"
#include "store/record_store.h"

namespace {

const char kDocumentClass[] = "TessaryStarterDocument";
const char kViewClass[] = "TessaryStarterView";
const int kNewDocumentMode = 90;
const int kStarterOutline = 12;  // a fiftieth of an inch
const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kFill = RGB(255, 255, 204);
const COLORREF kInk = RGB(0, 0, 0);
const int kStraightLine = 1;

void RegisterClasses()
{
    const struct {
        const char* name;
        int bytes;
    } classes[] = {{kDocumentClass, sizeof(LONG_PTR)}, {kViewClass, kViewWindowBytes}};
    for (const auto& entry : classes) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = entry.name;
        windowClass.cbWndExtra = entry.bytes;
        RegisterClassA(&windowClass);
    }
}

// Pale shapes outlined in black on white paper: readable in every library
// window, and restyled anyway when a symbol lands in a drawing.
void ApplyStarterStyle(DrawingRecord* drawing)
{
    drawing->style.backgroundColor = kPaper;
    drawing->style.highlightColor = kPaper;
    drawing->style.fillColor = kFill;
    drawing->style.borderColor = kInk;
    drawing->style.lineColor = kInk;
    drawing->style.textColor = kInk;
    drawing->outlineWidth = kStarterOutline;
    drawing->lineWidth = kStarterOutline;
}

} // namespace

ErrorCode StartStarterModel()
{
    ConnectLayers();
    // Template previews are painted through the shared back buffer.
    ResizeBackBuffer();
    ErrorCode code = InitObjectKinds();
    if (code == kErrNone)
        code = InitRecordStore(kStoreTableSlots);
    return code;
}

StarterDrawing::StarterDrawing()
{
    RegisterClasses();
    document_ = CreateWindowA(kDocumentClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    view_ = document_ ? CreateWindowA(kViewClass, "", WS_CHILD, 0, 0, 300, 200, document_, nullptr,
                                      GetModuleHandleA(nullptr), nullptr)
                      : nullptr;
}

StarterDrawing::~StarterDrawing()
{
    if (view_) {
        DestroyViewData(view_);
        DestroyWindow(view_);
    }
    if (document_) {
        DestroyDocumentData(document_);
        DestroyWindow(document_);
    }
}

ErrorCode StarterDrawing::Begin()
{
    if (!view_)
        return kErrNoMemory;
    int store = -1;
    HFILE lock = HFILE_ERROR;
    ErrorCode code = CreateWorkingStore(document_, kNewDocumentMode, 0, 0, nullptr, &store, &lock);
    if (code == kErrNone)
        code = CreateDocumentRecords(view_, store);
    if (code != kErrNone)
        return code;
    HGLOBAL handle = GetViewRecordHandle(view_);
    auto* record = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    auto* locked = drawing ? static_cast<DrawingRecord*>(GlobalLock(drawing)) : nullptr;
    if (locked) {
        ApplyStarterStyle(locked);
        GlobalUnlock(drawing);
    }
    if (record)
        GlobalUnlock(handle);
    return locked ? kErrNone : kErrNoMemory;
}

ErrorCode StarterDrawing::Shape(int type, RECT frame)
{
    return CreateObject(view_, kKindShape, &frame, type, 0, 0, 0, 1, 0, 0);
}

ErrorCode StarterDrawing::Line(POINT from, POINT to)
{
    RECT frame = {from.x, from.y, to.x, to.y};
    return CreateObject(view_, kKindLine, &frame, kStraightLine, 0, 0, 0, 1, 0, 0);
}

ErrorCode StarterDrawing::SymbolParts(HGLOBAL* metafilePict, HGLOBAL* stream, DWORD* streamSize)
{
    HGLOBAL handle = GetViewRecordHandle(view_);
    auto* record = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    if (!record)
        return kErrNoMemory;
    ErrorCode code = WriteLibrarySymbol(nullptr, stream, streamSize, record);
    *metafilePict = code == kErrNone ? MakeDrawingMetafilePict(GetViewDrawingHandle(record), nullptr, FALSE, FALSE,
                                                               TRUE)
                                     : nullptr;
    GlobalUnlock(handle);
    if (code == kErrNone && !*metafilePict)
        code = kErrNoMemory;
    return code;
}

ErrorCode StarterDrawing::WriteTemplate(const char* path)
{
    HGLOBAL handle = GetViewRecordHandle(view_);
    auto* record = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    if (!record)
        return kErrNoMemory;
    // Without a preview the chooser says so; the template itself is sound.
    DiscardError(StorePreviewBitmap(view_, record, {kPreviewBoxPixels, kPreviewBoxPixels}),
                 "a template without a preview still opens");
    const ErrorCode code = WriteDrawingFile(path, nullptr, nullptr, record);
    GlobalUnlock(handle);
    return code;
}
