// Painting a drawing of 16,000 mixed shapes (a tenth of them metafile
// pictures, some turned, thick borders and hatches among them, with the
// drawing's shadow) into a 1024 x 768 memory DC: at 100 per cent with the
// window as clip, at 100 per cent without a clip, and at the zoom that fits
// the whole drawing. Prints the time per full paint.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "common/mapping.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "frame/layer_hooks.h"
#include "objects/object_kind_table.h"
#include "objects/paint_drawing.h"
#include "objects/picture_place.h"
#include "objects/shape_frames.h"
#include "store/record_store.h"
#include "objects/view_record_word.h"
#include "view/view_zoom.h"

namespace {

const int kObjects = 16000;
const int kColumns = 128;
const int kDrawingSize = 30000;
const int kWidth = 1024;
const int kHeight = 768;

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

int Fail(const char* what, ErrorCode code)
{
    std::printf("%s failed with %d\n", what, code.value);
    return 1;
}

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Record(std::vector<uint8_t>& out, uint16_t function, std::initializer_list<int> params)
{
    uint32_t size = 3 + static_cast<uint32_t>(params.size());
    PutU16(out, static_cast<uint16_t>(size));
    PutU16(out, static_cast<uint16_t>(size >> 16));
    PutU16(out, function);
    for (int p : params)
        PutU16(out, static_cast<uint16_t>(p));
}

// A small symbol-like metafile: a filled box, a circle, a polygon, a pie and
// a label.
std::vector<uint8_t> SymbolMetafile()
{
    std::vector<uint8_t> records;
    Record(records, 0x020C, {100, 200});                           // window extent
    Record(records, 0x02FA, {PS_SOLID, 2, 0, 0, 0});               // black pen
    Record(records, 0x012D, {0});
    Record(records, 0x02FC, {BS_SOLID, 0xC0C0, 0x00C0, 0});        // grey brush
    Record(records, 0x012D, {1});
    Record(records, 0x041B, {90, 190, 10, 10});                    // rectangle
    Record(records, 0x02FC, {BS_SOLID, 0, 0, 0});                  // black brush
    Record(records, 0x012D, {2});
    Record(records, 0x0418, {60, 60, 20, 20});                     // ellipse
    Record(records, 0x0324, {4, 100, 20, 180, 20, 140, 80, 100, 20});   // polygon
    Record(records, 0x081A, {10, 150, 50, 190, 90, 190, 10, 110});      // pie
    Record(records, 0x0521, {3, 0x6261, 0x0063, 95, 30});               // text
    std::vector<uint8_t> bits;
    uint32_t words = 9 + static_cast<uint32_t>(records.size() / 2) + 3;
    PutU16(bits, 1);
    PutU16(bits, 9);
    PutU16(bits, 0x300);
    PutU16(bits, static_cast<uint16_t>(words));
    PutU16(bits, static_cast<uint16_t>(words >> 16));
    PutU16(bits, 4);
    PutU16(bits, 16);
    PutU16(bits, 0);
    PutU16(bits, 0);
    bits.insert(bits.end(), records.begin(), records.end());
    PutU16(bits, 3);
    PutU16(bits, 0);
    PutU16(bits, 0);
    return bits;
}

HGLOBAL BlockOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

HWND MakeView()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaryPaintBenchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    return CreateWindowA("TessaryPaintBenchView", "view", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

DrawingRecord* LockedDrawing(HGLOBAL viewRecord, HGLOBAL* handle)
{
    void* view = GlobalLock(viewRecord);
    *handle = GetViewDrawingHandle(view);
    GlobalUnlock(viewRecord);
    void* drawing = GlobalLock(*handle);
    GlobalUnlock(*handle);
    return static_cast<DrawingRecord*>(drawing);
}

// Average seconds per paint over `rounds` paints.
double TimePaints(HDC dc, HGLOBAL drawing, const RECT* clip, int rounds)
{
    PaintDrawingObjects(dc, drawing, clip, 0, 1, 0, 0);   // warm the caches
    GdiFlush();
    LARGE_INTEGER start = Now();
    for (int i = 0; i < rounds; ++i) {
        PatBlt(dc, -100000, -100000, 200000, 200000, WHITENESS);
        PaintDrawingObjects(dc, drawing, clip, 0, 1, 0, 0);
        GdiFlush();
    }
    return Seconds(start, Now()) / rounds;
}

} // namespace

int main()
{
    std::vector<unsigned char> options(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
    AppOptions = options.data();
    if (InitObjectKinds() != kErrNone || InitRecordStore(kStoreTableSlots) != kErrNone)
        return Fail("store table", kErrNoMemory);

    char folder[MAX_PATH];
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "VXP", 0, path);
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
    HGLOBAL drawingHandle = nullptr;
    code = CreateDrawingRecords(view, store, 0, kDrawingSize, kDrawingSize, 0, &drawingHandle);
    if (code != kErrNone)
        return Fail("CreateDrawingRecords", code);
    SetViewDrawingHandle(GlobalLock(viewRecord), drawingHandle);
    GlobalUnlock(viewRecord);

    const std::vector<uint8_t> symbol = SymbolMetafile();
    LARGE_INTEGER buildStart = Now();
    int pictures = 0;
    for (int i = 0; i < kObjects; ++i) {
        int column = i % kColumns, row = i / kColumns;
        RECT frame = {60 + 234 * column, 60 + 240 * row, 240 + 234 * column, 220 + 240 * row};
        HGLOBAL handle = nullptr;
        DrawingRecord* drawing = LockedDrawing(viewRecord, &handle);
        if (i % 10 == 0) {
            RECT size = {0, 0, 180, 160}, bounds = {0, 0, 200, 100};
            code = CreatePictureObject(view, drawing, kMetafilePictureGroup, BlockOf(symbol),
                                       static_cast<DWORD>(symbol.size()), {frame.left, frame.top}, &size, &bounds, 0,
                                       nullptr, 0);
            ++pictures;
        } else {
            code = CreateObject(view, kKindShape, &frame, 2 + i % 24, 0, 0, 0, 1, 0, 0);
        }
        if (code != kErrNone)
            return Fail("creating the shapes", code);
    }
    HGLOBAL handle = nullptr;
    DrawingRecord* drawing = LockedDrawing(viewRecord, &handle);
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* object = ObjectAt(objects.Get(), i);
            object->stateFlags &= ~kStateSelected;
            if (object->dataCount > 0)
                continue;
            object->fillColor = RGB(160 + i % 90, 200, 255 - i % 60);
            object->fillMode = 1 + (i % 6 == 0 ? 3 : 0);
            object->lineWidth = i % 4 == 0 ? 36 : 12;
            object->rotation = i % 7 == 0 ? 300 : 0;
            DiscardError(RecalcShapeFrame(drawing, object, 0), "without a reflow nothing can fail");
        }
    }
    drawing->selectedCount = 0;
    drawing->primarySelected = -1;
    drawing->style.shadowKind = 4;
    drawing->style.shadowDx = 24;
    drawing->style.shadowDy = 24;
    drawing->style.shadowColor = RGB(170, 170, 170);
    std::printf("built %d shapes (%d metafile pictures) in %.2f s\n", kObjects, pictures,
                Seconds(buildStart, Now()));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);

    // 100 per cent: 100 pixels an inch, the window shows 6144 x 4608 units.
    SetZoomMapMode(dc, 0, 600);
    RECT window = {0, 0, kWidth, kHeight};
    POINT corners[2] = {{0, 0}, {kWidth, kHeight}};
    DPtoLP(dc, corners, 2);
    window = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    double clipped = TimePaints(dc, handle, &window, 10);
    double unclipped = TimePaints(dc, handle, nullptr, 3);

    // Fit to page: the zoom that shows the whole 30,000-unit drawing in 768 pixels.
    int zoom = kHeight * 600 * 1000 / (kDrawingSize * 100);
    HGLOBAL settings = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ViewSettings));
    auto* viewSettings = static_cast<ViewSettings*>(GlobalLock(settings));
    *viewSettings = {kDrawingSize, kDrawingSize, zoom, kViewFitMode | kViewFitPage};
    GlobalUnlock(settings);
    SetWindowLongPtrA(view, kViewSettingsWord, reinterpret_cast<LONG_PTR>(settings));
    SetZoomMapMode(dc, zoom, 600);
    double fitted = TimePaints(dc, handle, nullptr, 3);

    std::printf("100 per cent, window clip : %8.1f ms per paint\n", 1000.0 * clipped);
    std::printf("100 per cent, no clip     : %8.1f ms per paint (all %d objects)\n", 1000.0 * unclipped, kObjects);
    std::printf("fit to page (zoom %d)    : %8.1f ms per paint (all %d objects)\n", zoom, 1000.0 * fitted, kObjects);

    SetWindowLongPtrA(view, kViewSettingsWord, 0);
    GlobalFree(settings);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    const ErrorCode closed = CloseStore(store);
    DeleteFileA(path);
    return closed != kErrNone ? Fail("closing the store", closed) : 0;
}
