// Center Drawing on Page: every object moves so that their extent sits in
// the middle of the pages it needs.
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/view_record.h"
#include "view/arrange_selection.h"
#include "view/snap_grid.h"

namespace {

int PagesFor(int extent, int page)
{
    return page > 0 ? (extent + page - 1) / page : 1;
}

int CentringOffset(int low, int high, int page)
{
    const int extent = high - low;
    return (PagesFor(extent, page) * page - extent) / 2 - low;
}

} // namespace

bool DrawingObjectsExtent(DrawingRecord* drawing, RECT* extent)
{
    LockedTable objects(drawing, kTableObjects);
    SetRectEmpty(extent);
    bool any = false;
    for (int i = 0; i < objects.Count(); ++i) {
        const RECT& bounds = ObjectAt(objects.Get(), i)->bounds;
        if (!any)
            *extent = bounds;
        else
            UnionRect(extent, extent, &bounds);
        any = true;
    }
    return any;
}

ErrorCode CenterDrawingOnPage(HWND view, void* viewRecord, DrawingRecord* drawing, const RECT& extent)
{
    const auto* record = static_cast<const ViewRecord*>(viewRecord);
    POINT offset = {CentringOffset(extent.left, extent.right, record->printableWidth),
                    CentringOffset(extent.top, extent.bottom, record->printableHeight)};
    if (drawing->flags & kDrawingSnap)
        SnapPointToGrid(drawing, &offset);
    if (offset.x == 0 && offset.y == 0)
        return kErrNone;
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = 0; i < objects.Count(); ++i) {
            if (SlotsInUse(ObjectAt(objects.Refresh(), i)) > 0)
                continue;   // hooked objects follow their hosts
            ErrorCode code = OffsetObject(drawing, objects.Refresh(), i, offset.x, offset.y);
            if (code != kErrNone)
                return code;
            DrawingObject* object = ObjectAt(objects.Refresh(), i);
            if (object->groupKey != 0)
                OffsetRect(&object->referenceFrame, offset.x, offset.y);
        }
        LockedTable groups(drawing, kTableGroups);
        for (int row = 0; row < groups.Count(); ++row) {
            OffsetRect(&GroupEntryAt(groups.Get(), row)->bounds, offset.x, offset.y);
            OffsetRect(&GroupEntryAt(groups.Get(), row)->frame, offset.x, offset.y);
            OffsetRect(&GroupEntryAt(groups.Get(), row)->groupingFrame, offset.x, offset.y);
        }
    }
    MarkDrawingEdited(view, viewRecord, 0);
    return kErrNone;
}
