#include "objects/object_ids.h"

#include <vector>

#include "objects/drawing_tables.h"

namespace {

int32_t LowestFreeId(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    std::vector<char> used(static_cast<size_t>(kMaxObjectId) + 1, 0);
    for (int i = 0; i < objects.Count(); ++i) {
        int32_t id = ObjectAt(objects.Get(), i)->objectId;
        if (id >= 1 && id <= kMaxObjectId)
            used[id] = 1;
    }
    for (int32_t id = 1; id <= kMaxObjectId; ++id) {
        if (!used[id])
            return id;
    }
    return 0;
}

} // namespace

int32_t NewObjectId(DrawingRecord* drawing)
{
    if (drawing->lastObjectId < 0)
        drawing->lastObjectId = 0;
    if (drawing->lastObjectId < kMaxObjectId)
        return ++drawing->lastObjectId;
    return LowestFreeId(drawing);
}
