// Opening a drawing whose texts no longer fit their shapes: 8,000 labelled
// boxes written at a size too small for their text and 3,000 connectors
// hooked at both ends (6,000 hooked ends). On open every box grows to its
// text and every connector follows. Prints the open time and how many hooked
// ends sit on their hook points afterwards.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "documents/document_record.h"
#include "documents/document_records.h"
#include "documents/drawing_stream.h"
#include "lines/connector_create.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "store/record_store.h"
#include "text/font_cache.h"
#include "text/ten_startup.h"
#include "objects/text_block.h"
#include "objects/text_block_store.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

namespace {

const int kBoxes = 8000;
const int kColumns = 100;
const int kConnectors = kMaxLinks / 2;
const int kTextSize = 14;
const int kUndoNewObjects = 28;
const POINT kRightMiddle = {600, 300};
const POINT kLeftMiddle = {0, 300};

double Seconds()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
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
            windowClass.lpszClassName = "TextFitBenchDocument";
            windowClass.cbWndExtra = sizeof(LONG_PTR);
            RegisterClassA(&windowClass);
            windowClass.lpszClassName = "TextFitBenchView";
            windowClass.cbWndExtra = kViewWindowBytes;
            RegisterClassA(&windowClass);
            registered = true;
        }
        document = CreateWindowA("TextFitBenchDocument", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        view = CreateWindowA("TextFitBenchView", "", WS_CHILD, 0, 0, 100, 100, document, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
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

RECT BoxFrame(int i)
{
    const int column = i % kColumns;
    const int row = i / kColumns;
    return {300 + 310 * column, 300 + 390 * row, 500 + 310 * column, 450 + 390 * row};
}

std::vector<uint8_t> LabelOf(int index)
{
    const std::string text = "Box " + std::to_string(index) + "\rwith a label longer than its frame";
    TextBlockHeader head = {};
    head.formatCount = 1;
    head.lineCount = 1;
    head.textLength = static_cast<int32_t>(text.size());
    head.paragraphCount = 1;
    head.runCount = 1;
    std::vector<uint8_t> block(static_cast<size_t>(TextBlockSize(1, 1, 1, 1, head.textLength)));
    std::memcpy(block.data(), &head, sizeof(head));
    TextFormat format = {};
    format.size = kTextSize;
    format.requestedSize = kTextSize;
    format.length = head.textLength;
    std::memcpy(block.data() + TextBlockFormatsOffset(head), &format, sizeof(format));
    TextParagraph paragraph = NewTextParagraph(6, 600);
    std::memcpy(block.data() + TextBlockParagraphsOffset(head), &paragraph, sizeof(paragraph));
    std::memcpy(block.data() + TextBlockTextOffset(head), text.data(), text.size());
    return block;
}

// The label goes into the store without a layout: the box keeps its frame.
bool PutLabel(DrawingRecord* drawing, int index)
{
    const std::vector<uint8_t> payload = LabelOf(index);
    const short id = static_cast<short>(index + 1);
    RecordHandle record = nullptr;
    if (CreateRecord(drawing->storeSlot, kTextGroup, id, static_cast<DWORD>(kTextRecordHeaderBytes + payload.size()),
                     &record) != kErrNone)
        return false;
    std::memcpy(static_cast<uint8_t*>(GlobalLock(record)) + kTextRecordHeaderBytes, payload.data(), payload.size());
    GlobalUnlock(record);
    const ErrorCode marked = SetRecordDirty(record);
    ReleaseRecord(record);
    if (marked != kErrNone)
        return false;
    LockedTable objects(drawing, kTableObjects);
    ObjectAt(objects.Get(), index)->textRecordId = id;
    return true;
}

bool BuildDrawing(BenchDocument* doc)
{
    if (BeginDocumentUndo(doc->view, kUndoNewObjects) != kErrNone)
        return false;
    doc->Drawing()->flags |= kDrawingShapesLink | kDrawingLinesLink;
    for (int i = 0; i < kBoxes; ++i) {
        RECT frame = BoxFrame(i);
        if (CreateObject(doc->view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0) != kErrNone ||
            !PutLabel(doc->Drawing(), i))
            return false;
    }
    for (int i = 0; i < kConnectors; ++i) {
        const int from = 2 * i;
        ConnectorEnd a = {from, kRightMiddle, {0, 0}};
        ConnectorEnd b = {from + 1, kLeftMiddle, {0, 0}};
        int index = -1;
        if (CreateConnector(doc->view, a, b, 0, 1, &index) != kErrNone || index < 0)
            return false;
    }
    return true;
}

struct EndCount {
    int hooked = 0;
    int onHook = 0;
};

EndCount CountEnds(DrawingRecord* drawing)
{
    EndCount count;
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject line = *ObjectAt(objects.Get(), i);
        if (line.kind != kKindConnector)
            continue;
        for (int slot = 0; slot < SlotsInUse(&line); ++slot) {
            const LinkSlot& held = line.links[slot];
            const int target = FindObjectIndex(objects.Get(), held.targetId, held.targetHint);
            if (target < 0)
                continue;
            POINT end = {0, 0};
            POINT hook = {held.x, held.y};
            int otherEnd = 0;
            CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgAnchorPoint, held.connectCode,
                           reinterpret_cast<INT_PTR>(&otherEnd), reinterpret_cast<INT_PTR>(&end));
            CallObjectKind(nullptr, drawing, objects.Get(), target, kMsgMapBoxPoints, 1, held.connectCode,
                           reinterpret_cast<INT_PTR>(&hook));
            ++count.hooked;
            if (end.x == hook.x && end.y == hook.y)
                ++count.onHook;
        }
    }
    return count;
}

} // namespace

int main()
{
    ErrorCode started = InitObjectKinds();
    if (started == kErrNone)
        started = InitRecordStore(kStoreTableSlots);
    if (started == kErrNone)
        started = CreateFontCache();
    if (started == kErrNone)
        started = InitTen();
    if (started == kErrNone)
        started = RegisterTenClass(GetModuleHandleA(nullptr));
    if (started != kErrNone) {
        std::printf("starting the model failed: %d\n", started.value);
        return 1;
    }
    BenchDocument source;
    BenchDocument copy;
    const double buildStart = Seconds();
    if (!source.Open(1) || !copy.Open(2) || !BuildDrawing(&source)) {
        std::printf("setting up the drawing failed\n");
        return 1;
    }
    const double buildSeconds = Seconds() - buildStart;
    const EndCount written = CountEnds(source.Drawing());
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "text_fit_open_bench.tyr";
    DeleteFileA(path.c_str());
    ErrorCode code = WriteDrawingFile(path.c_str(), nullptr, nullptr, source.record);
    if (code != kErrNone) {
        std::printf("write failed: %d\n", code.value);
        return 1;
    }

    const double readStart = Seconds();
    int older = 0;
    code = ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, copy.view, copy.record, &older, 0);
    const double readSeconds = Seconds() - readStart;
    if (code != kErrNone) {
        std::printf("read failed: %d\n", code.value);
        return 1;
    }
    const EndCount opened = CountEnds(copy.Drawing());
    RECT grown = {};
    {
        LockedTable objects(copy.Drawing(), kTableObjects);
        grown = ObjectAt(objects.Get(), 0)->frame;
    }
    const RECT first = BoxFrame(0);
    std::printf("text fit on open: %d boxes, %d connectors, built in %.2f s\n", kBoxes, kConnectors, buildSeconds);
    std::printf("  first box %ld x %ld written, %ld x %ld opened\n", first.right - first.left,
                first.bottom - first.top, grown.right - grown.left, grown.bottom - grown.top);
    std::printf("  open   %8.1f ms\n", readSeconds * 1000.0);
    std::printf("  hooked ends on their hook points: %d of %d written, %d of %d opened\n", written.onHook,
                written.hooked, opened.onHook, opened.hooked);
    DeleteFileA(path.c_str());
    source.Close();
    copy.Close();
    TermRecordStore();
    TermObjectKinds();
    return 0;
}
