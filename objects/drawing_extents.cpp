#include "objects/drawing_extents.h"

#include "objects/drawing_tables.h"

void GetDrawingExtents(HGLOBAL drawingHandle, BOOL selectedOnly, RECT* extents)
{
    SetRectEmpty(extents);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            const DrawingObject* object = ObjectAt(objects.Get(), i);
            if (selectedOnly && !(object->stateFlags & kStateSelected))
                continue;
            UnionRect(extents, extents, &object->bounds);
        }
    }
    GlobalUnlock(drawingHandle);
}
