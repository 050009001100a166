#include "objects/freeform_outline.h"

#include "objects/geometry_math.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_outlines.h"

void BuildFreeformPoints(const RECT* rect, HGLOBAL freeform, POINT* points, int* count)
{
    *count = 0;
    if (!freeform)
        return;
    auto* record = static_cast<unsigned char*>(GlobalLock(freeform));
    if (!record)
        return;
    // The vertex count comes from a file: never read past the record.
    SIZE_T size = GlobalSize(freeform);
    auto* head = reinterpret_cast<FreeformHead*>(record);
    int n = 0;
    if (size >= sizeof(FreeformHead)) {
        SIZE_T room = (size - sizeof(FreeformHead)) / sizeof(FreeformVertex);
        n = head->vertexCount < 0 ? 0 : head->vertexCount;
        if (static_cast<SIZE_T>(n) > room)
            n = static_cast<int>(room);
    }
    double width = n > 0 && head->width >= 1 ? head->width : 1.0;
    double height = n > 0 && head->height >= 1 ? head->height : 1.0;
    double sx = (rect->right - rect->left) / width;
    double sy = (rect->bottom - rect->top) / height;

    for (int i = 0; i < n && *count < kFreeformPointLimit; ++i) {
        FreeformVertex* vertex = FreeformVertexAt(record, i);
        points[*count].x = vertex->x;
        points[*count].y = vertex->y;
        ++*count;
        if (i > 0) {
            FreeformVertex* previous = FreeformVertexAt(record, i - 1);
            // The kinds read both ends of the piece, as two points in a row.
            POINT ends[2] = {{previous->x, previous->y}, {vertex->x, vertex->y}};
            CallKind(vertex->kind, nullptr, ends, record, i, kMsgExpandArcPiece, 0,
                     reinterpret_cast<INT_PTR>(count), reinterpret_cast<INT_PTR>(points));
            if (*count > kFreeformPointLimit)
                *count = kFreeformPointLimit;
            if (*count < 0)
                *count = 0;
        }
    }
    for (int i = 0; i < *count; ++i) {
        points[i].x = TruncToInt(points[i].x * sx) + rect->left;
        points[i].y = TruncToInt(points[i].y * sy) + rect->top;
    }
    GlobalUnlock(freeform);
}
