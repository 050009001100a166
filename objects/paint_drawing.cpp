#include "objects/paint_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/display_flags.h"
#include "common/float_control.h"
#include "common/gray_out_rect.h"
#include "common/handle_words.h"
#include "common/mapping.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/shape_outlines.h"
#include "objects/shape_paint.h"

namespace {

const int kHookPointRoom = 1024;

// How the drawing's shadow effect is painted: the kind, the stacked outline
// count n (device pixels of the larger offset, at least 1) and the context
// the pixel steps are measured on.
struct EffectPlan {
    int kind;
    int steps;
    int dx, dy;
    COLORREF shadow;
    COLORREF highlight;
    HDC reference;
};

EffectPlan MakePlan(const DrawingRecord* drawing, HDC reference)
{
    EffectPlan plan;
    const ColorStyle& style = drawing->style;
    plan.kind = style.shadowKind >= 1 && style.shadowKind <= 5 ? style.shadowKind : 0;
    plan.dx = style.shadowDx;
    plan.dy = style.shadowDy;
    plan.shadow = style.shadowColor;
    plan.highlight = style.highlightColor;
    plan.reference = reference;
    SIZE size = {std::abs(plan.dx), std::abs(plan.dy)};
    LogicalToDeviceSize(reference, &size);
    plan.steps = std::max<int>(1, std::max(std::abs(size.cx), std::abs(size.cy)));
    return plan;
}

// A pixel offset in logical units of the reference context.
SIZE PixelStep(const EffectPlan& plan, int x, int y)
{
    SIZE size = {x, y};
    DeviceToLogicalExtent(plan.reference, &size);
    return size;
}

int Sign(int v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

struct PaintContext {
    HDC dc;
    DrawingRecord* drawing;
    LockedTable* objects;
    const RECT* clip;
    int printing;
};

int32_t Send(PaintContext& p, int index, int message, INT_PTR a = 0, INT_PTR b = 0, INT_PTR c = 0)
{
    int32_t result = CallObjectKind(p.dc, p.drawing, p.objects->Get(), index, message, a, b, c);
    p.objects->Refresh();
    return result;
}

void SendCopy(PaintContext& p, int index, int message, int dx, int dy, COLORREF color)
{
    ShadowPass pass = {dx, dy, color};
    Send(p, index, message, p.printing, reinterpret_cast<INT_PTR>(&pass), reinterpret_cast<INT_PTR>(p.clip));
}

// The stacked outlines of the extruded effects (kinds 1 and 2).
void SendStack(PaintContext& p, int index, const EffectPlan& plan, COLORREF first, COLORREF second)
{
    for (int j = 1; j <= plan.steps; ++j) {
        SIZE step = PixelStep(plan, j, j);
        SendCopy(p, index, kMsgShadowOutline, step.cx, step.cy, first);
    }
    for (int j = 1; j <= plan.steps; ++j) {
        SIZE step = PixelStep(plan, -j, -j);
        SendCopy(p, index, kMsgShadowOutline, step.cx, step.cy, second);
    }
    COLORREF own = KindObject(p.objects->Get(), index)->lineColor;
    SendCopy(p, index, kMsgShadowOutline, 0, 0, own);
}

// The effect before an object; whether message 1 is still to come.
bool SendEffect(PaintContext& p, int index, const EffectPlan& plan)
{
    switch (plan.kind) {
    case 1:
    case 2:
        Send(p, index, kMsgFillOnly, p.printing, 0, reinterpret_cast<INT_PTR>(p.clip));
        if (plan.kind == 1)
            SendStack(p, index, plan, plan.shadow, plan.highlight);
        else
            SendStack(p, index, plan, plan.highlight, plan.shadow);
        return false;
    case 3:
        for (int j = 1; j <= plan.steps; ++j) {
            SIZE step = PixelStep(plan, j * Sign(plan.dx), j * Sign(plan.dy));
            SendCopy(p, index, kMsgShadowOutline, step.cx, step.cy, plan.shadow);
        }
        return true;
    case 4:
        SendCopy(p, index, kMsgShadowSilhouette, plan.dx, plan.dy, plan.shadow);
        return true;
    case 5:
        SendCopy(p, index, kMsgShadowOutline, plan.dx, plan.dy, plan.shadow);
        return true;
    default:
        return true;
    }
}

bool MeetsClip(const RECT& bounds, const RECT* clip)
{
    if (!clip)
        return true;
    RECT meet;
    return IntersectRect(&meet, &bounds, clip) != 0;
}

// An object whose text is open in the editor and which is turned is greyed
// over its turned outline instead of painted.
void GreyObject(PaintContext& p, int index)
{
    RECT box = {0, 0, 0, 0};
    Send(p, index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&box));
    POINT outline[kOutlineBufferPoints];
    int count = 0;
    Send(p, index, kMsgOutlinePolygon, 0, reinterpret_cast<INT_PTR>(outline), reinterpret_cast<INT_PTR>(&count));
    int saved = SaveDC(p.dc);
    if (count >= 3 && count <= kOutlineBufferPoints) {
        LPtoDP(p.dc, outline, count);
        if (HRGN region = CreatePolygonRgn(outline, count, ALTERNATE)) {
            ExtSelectClipRgn(p.dc, region, RGN_AND);
            DeleteObject(region);
        }
    }
    GrayOutRect(p.dc, &box);
    RestoreDC(p.dc, saved);
}

void DrawHookMarkers(PaintContext& p, int index)
{
    static POINT points[kHookPointRoom];
    int count = 0;
    Send(p, index, kMsgHookPoints, 0, reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(points));
    if (count <= 0 || count > kHookPointRoom)
        return;
    Send(p, index, kMsgMapBoxPoints, count, 0, reinterpret_cast<INT_PTR>(points));
    Send(p, index, kMsgDrawHookMarkers, count, 0, reinterpret_cast<INT_PTR>(points));
}

int PrimaryGroupRow(const DrawingRecord* drawing, void* objects, void* groups)
{
    int primary = drawing->primarySelected;
    if (!objects || !groups || primary < 0 || primary >= TableCount(objects))
        return -1;
    const DrawingObject* object = ObjectAt(objects, primary);
    if (object->groupIndex < 0)
        return -1;
    return FindGroupInTable(groups, object->groupKey, object->groupIndex, 0);
}

void DrawGroupHandles(PaintContext& p, LockedTable& groups)
{
    int primary = PrimaryGroupRow(p.drawing, p.objects->Get(), groups.Get());
    for (int row = 0; row < groups.Count(); ++row) {
        const GroupEntry* entry = GroupEntryAt(groups.Get(), row);
        if (!(entry->flags & kGroupSelected) || !MeetsClip(entry->bounds, p.clip))
            continue;
        DrawingObject shape;
        std::memset(&shape, 0, sizeof(shape));
        shape.kind = kKindShape;
        shape.shapeType = 2;
        shape.bounds = entry->bounds;
        shape.frame = entry->frame;
        shape.inner = entry->frame;
        shape.rotation = entry->rotation;
        shape.sizingConstraint = entry->sizingConstraint;
        shape.optionFlags = (entry->flags & kGroupNoTransform) ? static_cast<uint32_t>(kOptionNoTransform) : 0u;
        shape.textRecordId = -1;
        shape.dataGroup = -1;
        shape.dataFirstId = -1;
        shape.groupIndex = -1;
        shape.labelPartnerId = kNoObjectId;
        CallKind(kKindShape, p.dc, p.drawing, &shape, row == primary ? -1 : -2, kMsgDrawHandles);
        groups.Refresh();
    }
}

} // namespace

void PaintDrawingObjects(HDC dc, HGLOBAL drawingHandle, const RECT* clip, int, int drawHandles, int printing,
                         int selectedOnly)
{
    if (!dc || !drawingHandle)
        return;
    SetFloatControl();
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (!drawing)
        return;
    {
        LockedTable objects(drawing, kTableObjects);
        LockedTable order(drawing, kTableDrawOrder);
        LockedTable groups(drawing, kTableGroups);

        // In a metafile there are no pixels: the steps are measured on the
        // view's own context at 100 per cent.
        HWND view = WordToHandle<HWND>(static_cast<int32_t>(drawing->viewWindow));
        HDC reference = dc;
        HDC viewDc = nullptr;
        int viewSaved = 0;
        if (RenderingMetafile && view && (viewDc = GetDC(view)) != nullptr) {
            viewSaved = SaveDC(viewDc);
            SetZoomMapMode(viewDc, 0, 600);
            reference = viewDc;
        }
        const EffectPlan plan = MakePlan(drawing, reference);
        const bool screen = !printing && !RenderingMetafile;
        int saved = SaveDC(dc);
        PaintContext p = {dc, drawing, &objects, clip, printing};

        for (int position = 0; objects.Get() && position < order.Count(); ++position) {
            int index = DrawOrderEntries(order.Get())[position];
            if (index < 0 || index >= objects.Count())
                continue;
            const DrawingObject* object = ObjectAt(objects.Get(), index);
            if (selectedOnly && !(object->stateFlags & kStateSelected) && FindHostObject(objects.Get(), index, 1) < 0)
                continue;
            bool textOpen = (object->stateFlags & kStateTextOpen) != 0;
            bool visible = !textOpen || !screen;
            bool greyed = textOpen && screen && object->rotation != 0;
            if ((!visible && !greyed) || !MeetsClip(object->bounds, clip))
                continue;
            if (greyed) {
                GreyObject(p, index);
                continue;
            }
            if (SendEffect(p, index, plan))
                Send(p, index, kMsgDraw, printing, 0, reinterpret_cast<INT_PTR>(clip));
        }

        if (screen && !selectedOnly) {
            for (int position = 0; objects.Get() && position < order.Count(); ++position) {
                int index = DrawOrderEntries(order.Get())[position];
                if (index < 0 || index >= objects.Count())
                    continue;
                const DrawingObject* object = ObjectAt(objects.Get(), index);
                bool visible = !(object->stateFlags & kStateTextOpen);
                if (drawHandles && (object->stateFlags & kStateSelected) && object->groupIndex < 0 && visible &&
                    MeetsClip(object->bounds, clip))
                    Send(p, index, kMsgDrawHandles);
                if (ObjectAt(objects.Get(), index)->stateFlags & kStateHookMarkers)
                    DrawHookMarkers(p, index);
            }
            if (drawHandles)
                DrawGroupHandles(p, groups);
        }

        RestoreDC(dc, saved);
        if (viewDc) {
            RestoreDC(viewDc, viewSaved);
            ReleaseDC(view, viewDc);
        }
    }
    GlobalUnlock(drawingHandle);
}

void DrawSampleObjects(HDC dc, HGLOBAL drawingHandle, DrawingObject* records, int count)
{
    if (!dc || !drawingHandle || !records || count <= 0)
        return;
    SetFloatControl();
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (!drawing)
        return;
    const EffectPlan plan = MakePlan(drawing, dc);
    int saved = SaveDC(dc);
    // Each pass over every record, so no record's effect lies over another.
    auto each = [&](auto&& paint) {
        for (int i = 0; i < count; ++i) {
            DrawingObject* record = &records[i];
            int rotation = record->rotation;
            record->rotation = 0;
            paint(record);
            record->rotation = rotation;
        }
    };
    auto send = [&](DrawingObject* record, int message, INT_PTR b) {
        CallObjectKind(dc, drawing, record, -1, message, 0, b, 0);
    };
    auto copy = [&](DrawingObject* record, int message, int dx, int dy, COLORREF color) {
        ShadowPass pass = {dx, dy, color};
        send(record, message, reinterpret_cast<INT_PTR>(&pass));
    };
    each([&](DrawingObject* record) {
        switch (plan.kind) {
        case 1:
        case 2:
            send(record, kMsgFillOnly, 0);
            break;
        case 3:
            for (int j = 1; j <= plan.steps; ++j) {
                SIZE step = PixelStep(plan, j * Sign(plan.dx), j * Sign(plan.dy));
                copy(record, kMsgShadowOutline, step.cx, step.cy, plan.shadow);
            }
            break;
        case 4:
            copy(record, kMsgShadowSilhouette, plan.dx, plan.dy, plan.shadow);
            break;
        case 5:
            copy(record, kMsgShadowOutline, plan.dx, plan.dy, plan.shadow);
            break;
        default:
            break;
        }
    });
    if (plan.kind == 1 || plan.kind == 2) {
        COLORREF first = plan.kind == 1 ? plan.shadow : plan.highlight;
        COLORREF second = plan.kind == 1 ? plan.highlight : plan.shadow;
        each([&](DrawingObject* record) {
            for (int j = 1; j <= plan.steps; ++j) {
                SIZE step = PixelStep(plan, j, j);
                copy(record, kMsgShadowOutline, step.cx, step.cy, first);
            }
            for (int j = 1; j <= plan.steps; ++j) {
                SIZE step = PixelStep(plan, -j, -j);
                copy(record, kMsgShadowOutline, step.cx, step.cy, second);
            }
            copy(record, kMsgShadowOutline, 0, 0, record->lineColor);
        });
    } else {
        each([&](DrawingObject* record) { send(record, kMsgDraw, 0); });
    }
    RestoreDC(dc, saved);
    GlobalUnlock(drawingHandle);
}
