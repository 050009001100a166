#include "ole/drawing_render.h"

#include <algorithm>
#include <vector>

#include "common/app_globals.h"
#include "common/back_buffer.h"
#include "common/bitmap_to_dib.h"
#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/io_seam.h"
#include "common/mapping.h"
#include "documents/document_records.h"
#include "documents/view_settings.h"
#include "objects/drawing_extents.h"
#include "objects/drawing_tables.h"
#include "objects/paint_drawing.h"
#include "objects/picture_chunks.h"
#include "objects/rendering_flags.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "store/record_store.h"

namespace {

const int kHimetricPerInch = 2540;
const COLORREF kNoBackground = 0xFFFFFFFF;
const COLORREF kWhite = RGB(255, 255, 255);
// Long and short side of the page-sized area the preview widens to.
const int kPreviewLongSide = 6000;
const int kPreviewShortSide = 4800;
const int kClipReach = 25000;
const short kPreviewRecordId = 107;
const WORD kLogPaletteVersion = 0x300;
const int32_t kNoText = -1;
const int32_t kNoHost = 0xFFFF;

// The drawing and its object table locked for one scope.
class LockedObjects {
public:
    explicit LockedObjects(HGLOBAL handle)
        : handle_(handle), drawing_(handle ? static_cast<DrawingRecord*>(GlobalLock(handle)) : nullptr)
    {
        if (drawing_)
            objects_ = new LockedTable(drawing_, kTableObjects);
    }
    ~LockedObjects()
    {
        delete objects_;
        if (drawing_)
            GlobalUnlock(handle_);
    }
    LockedObjects(const LockedObjects&) = delete;
    LockedObjects& operator=(const LockedObjects&) = delete;

    DrawingRecord* drawing() const { return drawing_; }
    void* objects() const { return objects_ ? objects_->Get() : nullptr; }

private:
    HGLOBAL handle_;
    DrawingRecord* drawing_;
    LockedTable* objects_ = nullptr;
};

struct DrawingFacts {
    RECT extents = {0, 0, 0, 0};
    COLORREF background = kNoBackground;
    bool valid = false;
};

DrawingFacts ReadFacts(HGLOBAL handle, BOOL selectedOnly, BOOL storedBoundsOnly)
{
    DrawingFacts facts;
    LockedObjects locked(handle);
    if (!locked.drawing() || !locked.objects())
        return facts;
    GetDrawingExtents(locked.drawing(), locked.objects(), &facts.extents, selectedOnly, storedBoundsOnly);
    facts.background = locked.drawing()->style.backgroundColor;
    facts.valid = true;
    return facts;
}

// False when nothing is to be rendered; an allowed empty drawing takes 600 x 600.
bool SettleEmpty(RECT* extents, BOOL emptyAllowed)
{
    if (!IsRectEmpty(extents))
        return true;
    if (!emptyAllowed)
        return false;
    *extents = {0, 0, kEmptyPictureSide, kEmptyPictureSide};
    return true;
}

HPALETTE CopyPalette(HPALETTE palette)
{
    UINT count = palette ? GetPaletteEntries(palette, 0, 0, nullptr) : 0;
    if (count == 0)
        return nullptr;
    std::vector<unsigned char> bytes(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(bytes.data());
    logical->palVersion = kLogPaletteVersion;
    logical->palNumEntries = static_cast<WORD>(count);
    GetPaletteEntries(palette, 0, count, logical->palPalEntry);
    return CreatePalette(logical);
}

void FillBackground(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush)
        return;
    SelectObject(dc, brush);
    PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    DeleteObject(brush);
}

void PrepareForObjects(HDC dc)
{
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, COLORONCOLOR);
}

HGLOBAL WrapMetafile(HMETAFILE metafile, int width, int height)
{
    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    auto* picture = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
    if (!picture) {
        if (block)
            GlobalFree(block);
        DeleteMetaFile(metafile);
        return nullptr;
    }
    picture->mm = MM_ANISOTROPIC;
    MetafilePictExtents(width, height, &picture->xExt, &picture->yExt);
    picture->hMF = metafile;
    GlobalUnlock(block);
    return block;
}

// The one object a picture rendering may stand for, or -1.
int LonePictureIndex(const DrawingRecord* drawing, void* objects, BOOL selectedOnly)
{
    const int count = TableCount(objects);
    int index = -1;
    if (selectedOnly) {
        if (drawing->selectedCount != 1 || drawing->primarySelected < 0 || drawing->primarySelected >= count)
            return -1;
        index = drawing->primarySelected;
        if (!(ObjectAt(objects, index)->stateFlags & kStateSelected))
            return -1;
    } else {
        if (count != 1)
            return -1;
        index = 0;
    }
    const DrawingObject* object = ObjectAt(objects, index);
    const bool plain = object->kind == kKindShape && (object->stateFlags & kStatePictureObject) &&
                       object->dataGroup == kMetafilePictureGroup && (object->optionFlags & kOptionFrameless) &&
                       !(object->optionFlags & (kOptionFlipH | kOptionFlipV)) && object->lineWidth == 0 &&
                       object->textRecordId <= kNoText && object->labelPartnerId == kNoHost;
    return plain ? index : -1;
}

// Points and sizes of the picture in the back buffer's pixels.
SIZE PixelSize(const RECT& rect)
{
    SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    LogicalToDeviceSize(BackBufferDC, &size);
    size.cx = std::max<LONG>(size.cx, 1);
    size.cy = std::max<LONG>(size.cy, 1);
    return size;
}

bool FitBackBuffer(SIZE pixels)
{
    RECT client = {0, 0, 0, 0};
    if (MainWindow)
        GetClientRect(MainWindow, &client);
    if (BackBufferBitmap && pixels.cx == client.right && pixels.cy == client.bottom)
        return true;
    if (BackBufferFirstBitmap)
        SelectObject(BackBufferDC, BackBufferFirstBitmap);
    if (BackBufferBitmap)
        DeleteObject(BackBufferBitmap);
    HDC screen = GetDC(nullptr);
    BackBufferBitmap = CreateCompatibleBitmap(screen, pixels.cx, pixels.cy);
    ReleaseDC(nullptr, screen);
    if (!BackBufferBitmap) {
        // The next resize makes the buffer anew.
        DeleteDC(BackBufferDC);
        BackBufferDC = nullptr;
        BackBufferFirstBitmap = nullptr;
        return false;
    }
    HGDIOBJ replaced = SelectObject(BackBufferDC, BackBufferBitmap);
    if (!BackBufferFirstBitmap)
        BackBufferFirstBitmap = static_cast<HBITMAP>(replaced);
    return true;
}

void PaintIntoBackBuffer(HGLOBAL drawing, HPALETTE palette, const RECT& rect, SIZE pixels, COLORREF background,
                         BOOL selectedOnly)
{
    HDC dc = BackBufferDC;
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    if (HRGN clip = CreateRectRgn(-kClipReach, -kClipReach, kClipReach, kClipReach)) {
        SelectClipRgn(dc, clip);
        DeleteObject(clip);
    }
    HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette)
        RealizePalette(dc);
    RECT whole = {0, 0, pixels.cx, pixels.cy};
    DPtoLP(dc, reinterpret_cast<POINT*>(&whole), 2);
    FillBackground(dc, whole, background == kNoBackground ? kWhite : background);
    POINT corner = {rect.left, rect.top};
    LPtoDP(dc, &corner, 1);
    SetViewportOrgEx(dc, -corner.x, -corner.y, nullptr);
    PrepareForObjects(dc);
    PaintDrawingObjects(dc, drawing, &rect, 0, 0, 0, selectedOnly);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    if (palette) {
        SelectPalette(dc, previous, FALSE);
        RealizePalette(dc);
    }
}

HPALETTE DocumentPalette(const void* viewRecord)
{
    return viewRecord ? reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(viewRecord, kViewPalette)))
                      : nullptr;
}

// Hands the picture's bitmap to the caller; the back buffer is made anew after.
HBITMAP DetachBackBufferBitmap()
{
    if (BackBufferDC && BackBufferFirstBitmap)
        SelectObject(BackBufferDC, BackBufferFirstBitmap);
    HBITMAP picture = BackBufferBitmap;
    BackBufferBitmap = nullptr;
    return picture;
}

ErrorCode DeletePreviewRecord(int store)
{
    RecordHandle record = nullptr;
    ErrorCode code = FindRecord(store, kDrawingGroup, kPreviewRecordId, &record);
    if (code != kErrNone)
        return kErrNone;  // there was none
    code = DeleteRecordByHandle(record);
    if (code == kErrNone)
        GlobalFree(record);
    return code;
}

ErrorCode WritePreviewRecord(int store, HGLOBAL dib)
{
    const DWORD bytes = static_cast<DWORD>(GlobalSize(dib));
    RecordHandle record = nullptr;
    ErrorCode code = CreateRecord(store, kDrawingGroup, kPreviewRecordId, bytes + kRecordHeaderBytes, &record);
    if (code != kErrNone)
        return code;
    code = FillRecordFromBlock(record, dib, bytes);
    ReleaseRecord(record);
    return code;
}

int ScreenResolution()
{
    HDC dc = GetDC(MainWindow);
    int resolution = dc ? GetRoundedDeviceCaps(dc, LOGPIXELSX, kDrawingUnitsPerInch) : 0;
    if (dc)
        ReleaseDC(MainWindow, dc);
    return resolution > 0 ? resolution : kDrawingUnitsPerInch;
}

ErrorCode PaintPreview(HWND view, void* viewRecord, const RECT& extents, SIZE box, HGLOBAL* dib)
{
    const int zoom = PreviewZoom(extents, box, ScreenResolution());
    HDC viewDc = GetDC(view);
    const int saved = viewDc ? SaveDC(viewDc) : 0;
    if (viewDc)
        SetZoomMapMode(viewDc, zoom, kDrawingUnitsPerInch);
    RECT rect = extents;
    RenderingRasterPicture = 1;
    ErrorCode code = RenderDrawingToBitmap(view, zoom, DocumentPalette(viewRecord), GetViewDrawingHandle(viewRecord),
                                           FALSE, &rect, TRUE, FALSE);
    RenderingRasterPicture = 0;
    if (viewDc) {
        RestoreDC(viewDc, saved);
        ReleaseDC(view, viewDc);
    }
    HBITMAP picture = code == kErrNone ? DetachBackBufferBitmap() : nullptr;
    if (picture) {
        code = BitmapToPackedDib(BackBufferDC, picture, DocumentPalette(viewRecord), dib);
        DeleteObject(picture);
    }
    return code;
}

} // namespace

void MetafilePictExtents(int width, int height, LONG* xExt, LONG* yExt)
{
    long long x = static_cast<long long>(width) * kHimetricPerInch / kDrawingUnitsPerInch;
    long long y = static_cast<long long>(height) * kHimetricPerInch / kDrawingUnitsPerInch;
    const long long larger = std::max(x, y);
    if (larger > kMaxMetafilePictExtent) {
        // A truncated whole factor can leave both sides above the limit.
        x = x * kMaxMetafilePictExtent / larger;
        y = y * kMaxMetafilePictExtent / larger;
    }
    *xExt = static_cast<LONG>(x);
    *yExt = static_cast<LONG>(y);
}

RECT WidenPreviewExtents(RECT extents, BOOL portrait)
{
    const int wide = portrait ? kPreviewShortSide : kPreviewLongSide;
    const int high = portrait ? kPreviewLongSide : kPreviewShortSide;
    if (extents.right - extents.left < wide)
        extents.left = extents.right - wide;
    if (extents.bottom - extents.top < high)
        extents.top = extents.bottom - high;
    if (extents.left < 0)
        OffsetRect(&extents, -extents.left, 0);
    if (extents.top < 0)
        OffsetRect(&extents, 0, -extents.top);
    return extents;
}

int PreviewZoom(const RECT& extents, SIZE box, int resolution)
{
    const int width = extents.right - extents.left;
    const int height = extents.bottom - extents.top;
    if (width <= 0 || height <= 0 || resolution <= 0)
        return 0;
    const int step = kDrawingUnitsPerInch / resolution;
    const double scale = std::min(static_cast<double>(box.cx) * step / width,
                                  static_cast<double>(box.cy) * step / height);
    if (scale >= 1.0)
        return 0;
    return static_cast<int>(scale * 1000);
}

HMETAFILE DrawingToMetafile(HGLOBAL drawing, HPALETTE palette, RECT* extents, BOOL selectedOnly,
                            BOOL emptyAllowed, BOOL storedBoundsOnly)
{
    DrawingFacts facts = ReadFacts(drawing, selectedOnly, storedBoundsOnly);
    *extents = facts.extents;
    if (!facts.valid || !SettleEmpty(extents, emptyAllowed))
        return nullptr;
    HDC dc = CreateMetaFileA(nullptr);
    if (!dc)
        return nullptr;
    RenderingMetafile = 1;
    SetZoomMapMode(dc, 0, kDrawingUnitsPerInch);
    SetWindowExtEx(dc, extents->right - extents->left, extents->bottom - extents->top, nullptr);
    PrepareForObjects(dc);
    SetWindowOrgEx(dc, extents->left, extents->top, nullptr);
    HPALETTE copy = CopyPalette(palette);
    if (copy) {
        SelectPalette(dc, copy, FALSE);
        RealizePalette(dc);
    }
    if (facts.background == kNoBackground) {
        SetBkColor(dc, MapOutputColor(dc, kWhite, 0));
    } else {
        SetBkColor(dc, facts.background);
        FillBackground(dc, *extents, facts.background);
    }
    PaintDrawingObjects(dc, drawing, extents, 0, 0, 0, selectedOnly);
    RenderingMetafile = 0;
    HMETAFILE metafile = CloseMetaFile(dc);
    if (copy)
        DeleteObject(copy);
    return metafile;
}

HGLOBAL MakeDrawingMetafilePict(HGLOBAL drawing, HPALETTE palette, BOOL selectedOnly, BOOL emptyAllowed,
                                BOOL storedBoundsOnly)
{
    RECT extents;
    HMETAFILE metafile = DrawingToMetafile(drawing, palette, &extents, selectedOnly, emptyAllowed, storedBoundsOnly);
    if (!metafile)
        return nullptr;
    return WrapMetafile(metafile, extents.right - extents.left, extents.bottom - extents.top);
}

HGLOBAL MakePictureMetafilePict(HGLOBAL drawingHandle, BOOL selectedOnly)
{
    LockedObjects locked(drawingHandle);
    if (!locked.drawing() || !locked.objects())
        return nullptr;
    const int index = LonePictureIndex(locked.drawing(), locked.objects(), selectedOnly);
    if (index < 0)
        return nullptr;
    const DrawingObject* object = ObjectAt(locked.objects(), index);
    HGLOBAL bits = nullptr;
    RECT bounds;
    int colourCount = 0;
    int scanFlags = 0;
    DWORD bytes = 0;
    if (LoadPicture(TableStoreSlot(locked.objects()), kMetafilePictureGroup, object->dataFirstId, object->dataCount,
                    &bits, &bounds, &colourCount, nullptr, &scanFlags, &bytes) != kErrNone)
        return nullptr;
    HMETAFILE metafile = nullptr;
    if (const auto* source = static_cast<const BYTE*>(GlobalLock(bits))) {
        metafile = SetMetaFileBitsEx(bytes, source);
        GlobalUnlock(bits);
    }
    GlobalFree(bits);
    if (!metafile)
        return nullptr;
    return WrapMetafile(metafile, object->inner.right - object->inner.left, object->inner.bottom - object->inner.top);
}

ErrorCode RenderDrawingToBitmap(HWND, int zoom, HPALETTE palette, HGLOBAL drawing, BOOL selectedOnly, RECT* rect,
                                BOOL useGivenRect, BOOL emptyAllowed)
{
    DrawingFacts facts = ReadFacts(drawing, selectedOnly, FALSE);
    if (!useGivenRect)
        *rect = facts.extents;
    if (!SettleEmpty(rect, emptyAllowed))
        return kErrNone;
    if (!BackBufferDC)
        return kErrNoMemory;
    // The buffer's mapping stands in for the window's: both are the screen's at this zoom.
    SetZoomMapMode(BackBufferDC, zoom, kDrawingUnitsPerInch);
    const SIZE pixels = PixelSize(*rect);
    if (!FitBackBuffer(pixels))
        return kErrNoMemory;
    PaintIntoBackBuffer(drawing, palette, *rect, pixels, facts.background, selectedOnly);
    return kErrNone;
}

HBITMAP MakeDrawingBitmap(HWND view, BOOL emptyAllowed)
{
    HGLOBAL recordHandle = GetViewRecordHandle(view);
    void* viewRecord = recordHandle ? GlobalLock(recordHandle) : nullptr;
    if (!viewRecord)
        return nullptr;
    ViewSettings settings = {};
    const int zoom = ReadViewSettings(view, &settings) ? settings.zoom : 0;
    RECT rect;
    ErrorCode code = RenderDrawingToBitmap(view, zoom, DocumentPalette(viewRecord), GetViewDrawingHandle(viewRecord),
                                           FALSE, &rect, FALSE, emptyAllowed);
    GlobalUnlock(recordHandle);
    HBITMAP picture = code == kErrNone && !IsRectEmpty(&rect) ? DetachBackBufferBitmap() : nullptr;
    ResizeBackBuffer();
    return picture;
}

ErrorCode StorePreviewBitmap(HWND view, void* viewRecord, SIZE box)
{
    const int store = ReadViewField(viewRecord, kViewStoreSlot);
    ErrorCode code = DeletePreviewRecord(store);
    if (code != kErrNone)
        return code;
    RECT extents;
    GetDrawingExtents(GetViewDrawingHandle(viewRecord), FALSE, &extents);
    if (IsRectEmpty(&extents))
        return kErrNone;
    const auto* record = static_cast<const ViewRecord*>(viewRecord);
    extents = WidenPreviewExtents(extents, record->pageWidth < record->pageHeight);
    HGLOBAL dib = nullptr;
    code = PaintPreview(view, viewRecord, extents, box, &dib);
    if (code == kErrNone && dib)
        code = WritePreviewRecord(store, dib);
    if (dib)
        GlobalFree(dib);
    ResizeBackBuffer();
    return code;
}
