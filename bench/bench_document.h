// A drawing for the benchmarks made the way the program makes one: a document
// window with its drawing view over a working store, the text engine started,
// and a grid of labelled boxes, text boxes, hooked connectors and straight
// lines put in through the program's own object code.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_drawing.h"
#include "documents/document_record.h"
#include "documents/document_records.h"
#include "frame/layer_hooks.h"
#include "lines/connector_create.h"
#include "objects/document_undo.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/shape_types.h"
#include "objects/text_block.h"
#include "objects/text_block_store.h"
#include "objects/view_record_word.h"
#include "text/font_cache.h"
#include "text/ten_startup.h"

// The object kinds, the store table and, for drawings with text, the font
// cache and the text engine, as the program starts them.
inline ErrorCode StartBenchModel(bool withText)
{
    ErrorCode code = InitObjectKinds();
    if (code == kErrNone)
        code = InitRecordStore(kStoreTableSlots);
    if (code == kErrNone && withText)
        code = CreateFontCache();
    if (code == kErrNone && withText)
        code = InitTen();
    if (code == kErrNone && withText)
        code = RegisterTenClass(GetModuleHandleA(nullptr));
    return code;
}

// A document window and its drawing view, as the document code makes them.
struct BenchDocument {
    HWND document = nullptr;
    HWND view = nullptr;
    int store = -1;
    HGLOBAL viewHandle = nullptr;
    ViewRecord* record = nullptr;

    bool Open(int number)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = DefWindowProcA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = "BenchDocument";
            windowClass.cbWndExtra = sizeof(LONG_PTR);
            RegisterClassA(&windowClass);
            windowClass.lpszClassName = "BenchView";
            windowClass.cbWndExtra = kViewWindowBytes;
            RegisterClassA(&windowClass);
            registered = true;
        }
        document = CreateWindowA("BenchDocument", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        view = CreateWindowA("BenchView", "", WS_CHILD, 0, 0, 100, 100, document, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
        HFILE lock = HFILE_ERROR;
        if (CreateWorkingStore(document, number, 0, 0, nullptr, &store, &lock) != kErrNone ||
            CreateDocumentRecords(view, store) != kErrNone)
            return false;
        viewHandle = GetViewRecordHandle(view);
        record = static_cast<ViewRecord*>(GlobalLock(viewHandle));
        return record != nullptr;
    }
    void Close()
    {
        if (record)
            GlobalUnlock(viewHandle);
        DestroyViewData(view);
        DestroyDocumentData(document);
        DestroyWindow(view);
        DestroyWindow(document);
    }
    DrawingRecord* Drawing()
    {
        HGLOBAL handle = GetViewDrawingHandle(record);
        auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
        GlobalUnlock(handle);
        return drawing;
    }
};

// A text block of one format, one paragraph and one unlaid line.
inline std::vector<uint8_t> OneFormatTextBlock(const std::string& text, int size)
{
    TextBlockHeader head = {};
    head.formatCount = 1;
    head.lineCount = 1;
    head.textLength = static_cast<int32_t>(text.size());
    head.paragraphCount = 1;
    head.runCount = 1;
    std::vector<uint8_t> block(static_cast<size_t>(TextBlockSize(1, 1, 1, 1, head.textLength)));
    std::memcpy(block.data(), &head, sizeof(head));
    TextFormat format = {};
    format.size = static_cast<decltype(format.size)>(size);
    format.requestedSize = static_cast<decltype(format.requestedSize)>(size);
    format.length = head.textLength;
    std::memcpy(block.data() + TextBlockFormatsOffset(head), &format, sizeof(format));
    TextParagraph paragraph = NewTextParagraph(6, 600);
    std::memcpy(block.data() + TextBlockParagraphsOffset(head), &paragraph, sizeof(paragraph));
    std::memcpy(block.data() + TextBlockTextOffset(head), text.data(), text.size());
    return block;
}

// A record of `payload` after the record header, marked for saving.
inline bool PutBenchRecord(int store, short group, short id, const std::vector<uint8_t>& payload)
{
    RecordHandle record = nullptr;
    if (CreateRecord(store, group, id, static_cast<DWORD>(kTextRecordHeaderBytes + payload.size()), &record) !=
        kErrNone)
        return false;
    std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + kTextRecordHeaderBytes, payload.data(), payload.size());
    GlobalUnlock(record);
    const bool marked = SetRecordDirty(record) == kErrNone;
    ReleaseRecord(record);
    return marked;
}

// What a grid drawing holds. Boxes sit in rows of `columns`; box 2i is hooked
// to box 2i + 1 by connector i; text boxes sit under the first boxes and the
// straight lines between the pairs. Labels are written without a layout, so
// the program fits every box to its text when it opens the drawing.
struct GridPlan {
    int boxes = 0;
    int texts = 0;
    int connectors = 0;
    int lines = 0;
    int columns = 100;
    int rowStep = 390;
    int textSize = 14;
    // The box's number alone, which fits its frame, instead of a long label.
    bool shortLabels = false;
};

const int kGridLeft = 300;
const int kGridTop = 300;
const int kGridColumnStep = 310;
const int kGridBoxWidth = 200;
const int kGridBoxHeight = 150;
const int kGridTextTop = 170;
const int kGridTextHeight = 100;
const POINT kGridRightMiddle = {600, 300};
const POINT kGridLeftMiddle = {0, 300};
const COLORREF kGridFill = RGB(255, 255, 0);
const int kGridLineWidth = 12;

// The 16,000-object grid the program benchmark opens: one object short, so
// that the box it draws makes 16,000; below the link limit, so that a box
// drawn or moved near a hook point may still hook; all of it inside the
// drawing's free area with room to move.
inline GridPlan SixteenThousandPlan()
{
    GridPlan plan;
    plan.boxes = 8000;
    plan.texts = 4500;
    plan.connectors = kMaxLinks / 2 - 100;
    plan.lines = 599;
    plan.textSize = 8;
    plan.columns = 90;
    plan.rowStep = 320;
    plan.shortLabels = true;
    return plan;
}

inline RECT GridBoxFrame(const GridPlan& plan, int i)
{
    const int x = kGridLeft + kGridColumnStep * (i % plan.columns);
    const int y = kGridTop + plan.rowStep * (i / plan.columns);
    return {x, y, x + kGridBoxWidth, y + kGridBoxHeight};
}

// The label record of the object at `index`, put into the store with no layout.
inline bool PutGridLabel(DrawingRecord* drawing, int index, short textId, const std::string& text, int size)
{
    if (!PutBenchRecord(drawing->storeSlot, kTextGroup, textId, OneFormatTextBlock(text, size)))
        return false;
    LockedTable objects(drawing, kTableObjects);
    ObjectAt(objects.Get(), index)->textRecordId = textId;
    return true;
}

inline int DrawingObjectCount(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    return objects.Count();
}

inline bool GridFailure(const char* what, int index)
{
    std::printf("making the drawing: %s %d failed\n", what, index);
    return false;
}

// Fills the document's drawing after the plan, in one undo step that is
// committed at the end.
inline bool BuildGridDrawing(BenchDocument* doc, const GridPlan& plan)
{
    if (BeginDocumentUndo(doc->view, kUndoStepDrawing) != kErrNone)
        return false;
    DrawingRecord* drawing = doc->Drawing();
    drawing->flags |= kDrawingShapesLink | kDrawingLinesLink;
    // White paper, yellow boxes with black outlines and text, as a new
    // drawing of the program has them.
    drawing->style.backgroundColor = RGB(255, 255, 255);
    drawing->style.fillColor = kGridFill;
    drawing->style.borderColor = drawing->style.lineColor = drawing->style.textColor = RGB(0, 0, 0);
    drawing->style.highlightColor = RGB(255, 255, 255);
    drawing->outlineWidth = drawing->lineWidth = kGridLineWidth;
    short textId = 1;
    for (int i = 0; i < plan.boxes; ++i) {
        RECT frame = GridBoxFrame(plan, i);
        const std::string label =
            plan.shortLabels ? std::to_string(i) : "Box " + std::to_string(i) + "\rwith a label longer than its frame";
        if (CreateObject(doc->view, kKindShape, &frame, kShapeRectangle, 0, 0, 0, 1, 0, 0) != kErrNone ||
            !PutGridLabel(doc->Drawing(), DrawingObjectCount(doc->Drawing()) - 1, textId++, label, plan.textSize))
            return GridFailure("box", i);
    }
    for (int i = 0; i < plan.texts; ++i) {
        RECT frame = GridBoxFrame(plan, i);
        OffsetRect(&frame, 0, kGridTextTop);
        frame.bottom = frame.top + kGridTextHeight;
        // A text box takes its text as a block when it is made.
        const std::vector<uint8_t> bytes = OneFormatTextBlock("Note " + std::to_string(i), plan.textSize);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!block)
            return GridFailure("text", i);
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        const ErrorCode made = CreateObject(doc->view, kKindShape, &frame, kShapeBoxPoints, 0,
                                            reinterpret_cast<INT_PTR>(block), 0, 1, 0, 0);
        GlobalFree(block);
        if (made != kErrNone)
            return GridFailure("text", i);
    }
    for (int i = 0; i < plan.connectors; ++i) {
        ConnectorEnd a = {2 * i, kGridRightMiddle, {0, 0}};
        ConnectorEnd b = {2 * i + 1, kGridLeftMiddle, {0, 0}};
        int index = -1;
        if (CreateConnector(doc->view, a, b, 0, 1, &index) != kErrNone || index < 0)
            return GridFailure("connector", i);
    }
    for (int i = 0; i < plan.lines; ++i) {
        const RECT left = GridBoxFrame(plan, 2 * i + 1);
        RECT frame = {left.right + 10, left.top + kGridBoxHeight / 2, left.right + kGridColumnStep - kGridBoxWidth - 10,
                      left.top + kGridBoxHeight / 2 + 30};
        if (CreateObject(doc->view, kKindLine, &frame, 0, 0, 0, 0, 1, 0, 0) != kErrNone)
            return GridFailure("line", i);
    }
    ClearDocumentUndo(doc->view);
    return true;
}
