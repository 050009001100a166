#include "objects/shape_paint.h"

#include <algorithm>

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/handle_words.h"
#include "objects/color_table.h"
#include "objects/attachment_marker.h"
#include "objects/kind_messages.h"
#include "objects/object_picture.h"
#include "objects/shape_frames.h"
#include "objects/shape_rotation.h"
#include "objects/styled_figure.h"
#include "objects/object_text_hooks.h"

ViewZoomCall ViewZoomOf = nullptr;

namespace {

const COLORREF kNoColor = 0xFFFFFFFF;

struct ShapePaint {
    HDC dc;
    int message;
    DrawingRecord* drawing;
    void* table;
    int index;
    DrawingObject* object;
    HGLOBAL freeform;
    RECT rect;
    int ringMode;
    INT_PTR a, b, c;
    PlaybackState playback;
};

bool HasPicture(const DrawingObject* object)
{
    return object->dataCount > 0 &&
           (object->dataGroup == kBitmapPictureGroup || object->dataGroup == kMetafilePictureGroup);
}

bool IsFramedMetafile(const DrawingObject* object)
{
    return HasPicture(object) && object->dataGroup == kMetafilePictureGroup &&
           !(object->optionFlags & kOptionFrameless);
}

int Store(const ShapePaint& p)
{
    return p.drawing ? p.drawing->storeSlot : -1;
}

void Picture(ShapePaint& p, const RECT* rect)
{
    if (!p.drawing)
        return;
    const DrawingObject* o = p.object;
    DiscardError(DrawObjectPicture(p.dc, Store(p), o->dataGroup, o->dataFirstId, o->dataCount, rect, &p.playback),
                 "painting goes on: a picture that cannot be read is left blank");
}

void Figure(ShapePaint& p, COLORREF line, COLORREF fill, int lineWidth, int fillMode)
{
    const DrawingObject* o = p.object;
    DrawStyledFigure(p.dc, o->shapeType, o->rotation, line, lineWidth, o->lineStyle, fill, fillMode, o->adjust,
                     p.freeform, p.ringMode, &p.rect, o->optionFlags);
}

void Text(ShapePaint& p)
{
    if (p.index != -1 && p.object->textRecordId >= 0)
        ObjectTextCalls.draw(p.dc, p.message, p.drawing, p.table, p.index, p.a, p.b, p.c);
}

void ShadowText(ShapePaint& p)
{
    if (p.drawing && (p.drawing->style.flags & kStyleShadowOnText) && !(p.object->optionFlags & kOptionHideTextShadow))
        Text(p);
}

void AttachmentMarker(ShapePaint& p)
{
    if (RenderingMetafile || p.a != 0 || !p.drawing || !HasAttachment(p.drawing->storeSlot, p.object))
        return;
    RECT marker;
    GetAttachmentMarkerRect(p.object, &marker);
    DrawAttachmentMarker(p.dc, &marker);
}

// In the fit-to-window view a metafile picture that would look small (or
// always, by the option) is only outlined in black.
bool DrawPlaceholder(ShapePaint& p)
{
    if (p.object->dataGroup != kMetafilePictureGroup || !p.drawing || RenderingMetafile || p.a != 0)
        return false;
    int option = GetQuickPreviewOption();
    if (option == 0)
        return false;
    int fit = 0;
    int zoom = ViewZoomOf ? ViewZoomOf(WordToHandle<HWND>(static_cast<int32_t>(p.drawing->viewWindow)), &fit) : 0;
    if (!fit)
        return false;
    if (zoom <= 0)
        zoom = 1000;
    long long width = static_cast<long long>(p.rect.right - p.rect.left) * zoom / 1000;
    long long height = static_cast<long long>(p.rect.bottom - p.rect.top) * zoom / 1000;
    if (option >= 0 && !(option > width && option > height))
        return false;
    int saved = SaveDC(p.dc);
    SelectObject(p.dc, GetStockObject(NULL_BRUSH));
    SelectObject(p.dc, GetStockObject(BLACK_PEN));
    Rectangle(p.dc, p.rect.left, p.rect.top, p.rect.right, p.rect.bottom);
    RestoreDC(p.dc, saved);
    return true;
}

void Paint(ShapePaint& p)
{
    DrawingObject* o = p.object;
    if (HasPicture(o)) {
        bool placeholder = DrawPlaceholder(p);
        bool drawn = placeholder;
        if (IsFramedMetafile(o)) {
            if (!placeholder)
                CreatePicturePens(p.dc, &p.playback, o->fillColor, o->lineColor, o, o->lineWidth);
            drawn = true;
        }
        if (!placeholder)
            Picture(p, &o->inner);
        if (!drawn)
            Figure(p, o->lineColor, o->fillColor, o->lineWidth, 0);
    } else {
        Figure(p, o->lineColor, o->fillColor, o->lineWidth, o->fillMode);
    }
    Text(p);
    AttachmentMarker(p);
}

void ShadowCopy(ShapePaint& p, bool outlineOnly)
{
    DrawingObject* o = p.object;
    const auto* shadow = reinterpret_cast<const ShadowPass*>(p.b);
    if (!shadow)
        return;
    bool casts = ObjectHasShadow(p.drawing, o) != 0;
    if (outlineOnly ? (!casts && (shadow->dx != 0 || shadow->dy != 0)) : !casts)
        return;
    OffsetRect(&p.rect, shadow->dx, shadow->dy);
    if (IsFramedMetafile(o)) {
        CreatePicturePens(p.dc, &p.playback, outlineOnly ? kNoColor : shadow->color, shadow->color, o, o->lineWidth);
        RECT inner = o->inner;
        OffsetRect(&inner, shadow->dx, shadow->dy);
        Picture(p, &inner);
    } else {
        Figure(p, shadow->color, shadow->color, o->lineWidth, outlineOnly ? 0 : o->fillMode);
    }
    ShadowText(p);
}

void FillOnly(ShapePaint& p)
{
    DrawingObject* o = p.object;
    if (IsFramedMetafile(o)) {
        CreatePicturePens(p.dc, &p.playback, o->fillColor, o->lineColor, o, 0);
        Picture(p, &o->inner);
    } else {
        Figure(p, o->lineColor, o->fillColor, 0, o->fillMode);
        if (p.index != -1 && HasPicture(o))
            Picture(p, &o->inner);
    }
    Text(p);
    AttachmentMarker(p);
}

void DeleteUnlessStock(HGDIOBJ object)
{
    if (object && object != GetStockObject(NULL_PEN) && object != GetStockObject(NULL_BRUSH))
        DeleteObject(object);
}

} // namespace

void CreatePicturePens(HDC dc, PlaybackState* state, COLORREF fillColor, COLORREF lineColor,
                       const DrawingObject* object, int lineWidth)
{
    DeletePicturePens(state);
    const COLORREF line = MapOutputColor(dc, lineColor, 1);
    state->textColor = line;
    state->fillBrush = fillColor == kNoColor ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                             : CreateSolidBrush(MapOutputColor(dc, fillColor, 0));
    int style = lineWidth != 0 ? object->lineStyle : 0;
    if (style == 0) {
        state->pen = static_cast<HPEN>(GetStockObject(NULL_PEN));
        state->lineBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    } else if (style == 2 || style == 3) {
        state->pen = CreatePen(style == 2 ? PS_DOT : PS_DASH, 0, line);
        state->lineBrush = CreateSolidBrush(line);
    } else {
        state->pen = CreatePen(PS_INSIDEFRAME, lineWidth == 1 ? 0 : lineWidth, line);
        state->lineBrush = CreateSolidBrush(line);
    }
}

void DeletePicturePens(PlaybackState* state)
{
    DeleteUnlessStock(state->lineBrush);
    DeleteUnlessStock(state->fillBrush);
    DeleteUnlessStock(state->pen);
    state->lineBrush = nullptr;
    state->fillBrush = nullptr;
    state->pen = nullptr;
}

void GetAttachmentMarkerRect(const DrawingObject* object, RECT* rect)
{
    const RECT& bounds = object->bounds;
    *rect = bounds;
    OffsetRect(rect, -60, -60);
    rect->left = rect->right - 54;
    rect->top = rect->bottom - 54;
    if (rect->top < bounds.top)
        OffsetRect(rect, 0, std::min<LONG>(bounds.top - rect->top, 54));
    if (rect->left < bounds.left)
        OffsetRect(rect, std::min<LONG>(bounds.left - rect->left, 54), 0);
    rect->top = std::max(rect->top, bounds.top);
    rect->left = std::max(rect->left, bounds.left);
}

void PaintShape(HDC dc, int message, DrawingRecord* drawing, void* table, int index, const RECT* rect, int useRect,
                INT_PTR a, INT_PTR b, INT_PTR c)
{
    if (!dc || !table)
        return;
    ShapePaint p{};
    p.dc = dc;
    p.message = message;
    p.drawing = drawing;
    p.table = table;
    p.index = index;
    p.object = KindObject(table, index);
    p.freeform = drawing ? LoadFreeformOutline(drawing->storeSlot, p.object) : nullptr;
    p.rect = useRect && rect ? *rect : p.object->frame;
    p.ringMode = (p.object->stateFlags & kStateRingOutline) && p.object->rotation == 0;
    p.a = a;
    p.b = b;
    p.c = c;
    p.playback.flipFlags = p.object->optionFlags;
    p.playback.rotation = p.object->rotation;
    p.playback.selectPalettes = 0;
    switch (message) {
    case kMsgDraw:
        Paint(p);
        break;
    case kMsgShadowSilhouette:
        ShadowCopy(p, false);
        break;
    case kMsgShadowOutline:
        ShadowCopy(p, true);
        break;
    case kMsgFillOnly:
        FillOnly(p);
        break;
    default:
        break;
    }
    DeletePicturePens(&p.playback);
    ReleaseFreeformOutline(p.freeform);
}
