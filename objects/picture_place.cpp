#include "objects/picture_place.h"

#include <cstring>

#include "common/right_click_point.h"
#include "objects/object_create.h"
#include "objects/packed_dib.h"
#include "objects/picture_chunks.h"
#include "objects/shape_init.h"
#include "objects/shape_types.h"
#include "objects/paste_position.h"

// The last right-button menu point in drawing units, when there is one.
bool RightClickDrawingPoint(HWND view, POINT* point)
{
    if (RightClickPoint.x <= 0 || !view)
        return false;
    POINT p = RightClickPoint;
    ScreenToClient(view, &p);
    if (HDC dc = GetDC(view)) {
        DPtoLP(dc, &p, 1);
        ReleaseDC(view, dc);
    }
    *point = p;
    return true;
}

namespace {

POINT PlacementPoint(HWND view, const DrawingRecord* drawing, const RECT* size, const POINT* given)
{
    POINT point;
    if (given)
        return *given;
    if (!RightClickDrawingPoint(view, &point))
        GetPastePosition(drawing, size, &point);
    return point;
}

} // namespace

ErrorCode CreatePictureObject(HWND view, DrawingRecord* drawing, int group, HGLOBAL block, DWORD bytes,
                              POINT topLeft, const RECT* size, const RECT* bounds, int colorCount,
                              const COLORREF* colors, int scanFlags)
{
    PictureCreationBlock creation;
    std::memset(&creation, 0, sizeof(creation));
    creation.bounds = *bounds;
    if (colorCount < 0)
        colorCount = 0;
    if (colorCount > kMaxPictureColors)
        colorCount = kMaxPictureColors;
    creation.colorCount = colorCount;
    if (colors && colorCount > 0)
        std::memcpy(creation.colors, colors, sizeof(COLORREF) * colorCount);
    creation.scanFlags = scanFlags;
    SIZE_T available = GlobalSize(block);
    if (bytes > available)
        bytes = static_cast<DWORD>(available);
    creation.byteSize = bytes > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(bytes);
    drawing->toolSlot = -1;
    RECT frame = {topLeft.x, topLeft.y, topLeft.x + (size->right - size->left),
                  topLeft.y + (size->bottom - size->top)};
    return CreateObject(view, kKindShape, &frame, kShapePicture, group, reinterpret_cast<INT_PTR>(block), 1, 0,
                        reinterpret_cast<INT_PTR>(&creation), 1);
}

ErrorCode PlaceMetafilePicture(HWND view, DrawingRecord* drawing, HGLOBAL block, const RECT* size,
                               const RECT* bounds, int colorCount, const COLORREF* colors, int scanFlags)
{
    if (!block)
        return kErrBadPicture;
    POINT topLeft = PlacementPoint(view, drawing, size, nullptr);
    ErrorCode code = CreatePictureObject(view, drawing, kMetafilePictureGroup, block,
                                         static_cast<DWORD>(GlobalSize(block)), topLeft, size, bounds, colorCount,
                                         colors, scanFlags);
    GlobalFree(block);
    return code;
}

ErrorCode PlaceDibPicture(HWND view, DrawingRecord* drawing, HGLOBAL dib, const POINT* point)
{
    if (!dib)
        return kErrBadPicture;
    DibLayout layout;
    SIZE_T bytes = GlobalSize(dib);
    bool usable = false;
    if (auto* bits = static_cast<const uint8_t*>(GlobalLock(dib))) {
        usable = bytes <= 0xFFFFFFFFu && CheckPackedDib(bits, static_cast<DWORD>(bytes), DIB_RGB_COLORS, 0, &layout);
        GlobalUnlock(dib);
    }
    if (!usable) {
        GlobalFree(dib);
        return kErrBadPicture;
    }
    // 100 pixels per inch; a picture larger than the drawing keeps its
    // proportions at the drawing's size less 300 units.
    double width = 6.0 * layout.width;
    double height = 6.0 * layout.height;
    if (drawing->width < width && drawing->width > 300) {
        height = static_cast<int>(height * (drawing->width - 300) / width);
        width = drawing->width - 300;
    }
    if (drawing->height < height && drawing->height > 300) {
        width = static_cast<int>(width * (drawing->height - 300) / height);
        height = drawing->height - 300;
    }
    RECT size = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    POINT topLeft = PlacementPoint(view, drawing, &size, point);
    ErrorCode code = CreatePictureObject(view, drawing, kBitmapPictureGroup, dib, static_cast<DWORD>(bytes), topLeft,
                                         &size, &size, 0, nullptr, 0);
    GlobalFree(dib);
    return code;
}
