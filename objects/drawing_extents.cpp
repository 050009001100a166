#include "objects/drawing_extents.h"

#include "common/rect_helpers.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"

namespace {

// What the kind message for painted bounds is asked with.
const INT_PTR kWholeFigure = 1;

RECT PaintedRect(DrawingRecord* drawing, void* objects, int index)
{
    RECT rect = {0, 0, 0, 0};
    CallObjectKind(nullptr, drawing, objects, index, kMsgLayoutRect, kWholeFigure, kWholeFigure,
                   reinterpret_cast<INT_PTR>(&rect));
    const DrawingObject* object = ObjectAt(objects, index);
    if (drawing->style.shadowKind != 0 && ObjectHasShadow(drawing, object)) {
        RECT shadow;
        // Lines, connectors and arrays cast the shadow only when the style says so.
        GetShadowExtent(drawing, &shadow, object->kind == kKindShape ? 0u : static_cast<unsigned>(kStyleShadowOnLines));
        ExpandRect(&rect, &shadow);
    }
    // Line kinds answer the part beyond the figure (arrowheads, length labels).
    RECT beyond = rect;
    CallObjectKind(nullptr, drawing, objects, index, kMsgLineBounds, 0, 0, reinterpret_cast<INT_PTR>(&beyond));
    UnionRect(&rect, &rect, &beyond);
    return rect;
}

bool Counts(void* objects, int index, BOOL selectedOnly)
{
    if (!selectedOnly)
        return true;
    if (ObjectAt(objects, index)->stateFlags & kStateSelected)
        return true;
    return FindHostObject(objects, index, 1) >= 0;
}

} // namespace

void GetDrawingExtents(DrawingRecord* drawing, void* objectTable, RECT* extents, BOOL selectedOnly,
                       BOOL storedBoundsOnly)
{
    *extents = {0, 0, 0, 0};
    if (!drawing || !objectTable)
        return;
    const int count = TableCount(objectTable);
    for (int i = 0; i < count; ++i) {
        if (!Counts(objectTable, i, selectedOnly))
            continue;
        RECT rect = storedBoundsOnly ? ObjectAt(objectTable, i)->bounds : PaintedRect(drawing, objectTable, i);
        if (rect.right == rect.left)
            ++rect.right;
        if (rect.bottom == rect.top)
            ++rect.bottom;
        UnionRect(extents, extents, &rect);
    }
}

void GetDrawingExtents(HGLOBAL drawingHandle, BOOL selectedOnly, RECT* extents)
{
    SetRectEmpty(extents);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return;
    {
        LockedTable objects(drawing, kTableObjects);
        GetDrawingExtents(drawing, objects.Get(), extents, selectedOnly, TRUE);
    }
    GlobalUnlock(drawingHandle);
}
