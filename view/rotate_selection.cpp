// The Rotate menu: the selected groups turn as units (moved back inside the
// drawing first when their turned corners would leave it), then the other
// selected objects, all in one undo step.
#include "common/edit_errors.h"
#include "common/window_helpers.h"
#include "common/info_dialog.h"
#include "documents/document_window_hooks.h"
#include "documents/view_children.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_offset.h"
#include "objects/point_transforms.h"
#include "objects/view_record.h"
#include "view/arrange_selection.h"
#include "view/command_routing.h"
#include "view/selection_access.h"
#include "view/selection_command_report.h"

namespace {

const int kHandleBottomRight = 4;
const int kNoRotateHelp = 30052;
const int kCorners = 4;

// The drawing of a view, locked for the length of a scope.
class ViewDrawing {
public:
    explicit ViewDrawing(HWND view) : handle_(ViewDrawingHandle(view))
    {
        drawing_ = handle_ ? static_cast<DrawingRecord*>(GlobalLock(handle_)) : nullptr;
    }
    ~ViewDrawing()
    {
        if (drawing_)
            GlobalUnlock(handle_);
    }
    ViewDrawing(const ViewDrawing&) = delete;
    ViewDrawing& operator=(const ViewDrawing&) = delete;
    DrawingRecord* get() const { return drawing_; }

private:
    HGLOBAL handle_;
    DrawingRecord* drawing_ = nullptr;
};

HWND ActiveView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

// How far the turned frame's corners stick out of the drawing area.
POINT Overflow(const RECT& frame, int angle, int areaWidth, int areaHeight)
{
    POINT corners[kCorners] = {{frame.left, frame.top}, {frame.right, frame.top}, {frame.right, frame.bottom},
                               {frame.left, frame.bottom}};
    RotatePointsCopy(&frame, angle, corners, kCorners);
    POINT over = {0, 0};
    for (const POINT& corner : corners) {
        if (corner.x < 0 && corner.x < over.x)
            over.x = corner.x;
        else if (corner.x - areaWidth > over.x)
            over.x = corner.x - areaWidth;
        if (corner.y < 0 && corner.y < over.y)
            over.y = corner.y;
        else if (corner.y - areaHeight > over.y)
            over.y = corner.y - areaHeight;
    }
    return over;
}

int FirstMember(DrawingRecord* drawing, int32_t key)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i)
        if (ObjectAt(objects.Get(), i)->groupKey == key && ObjectAt(objects.Get(), i)->groupIndex >= 0)
            return i;
    return -1;
}

ErrorCode MoveGroupBack(HWND view, int32_t key, POINT over, int insideStep)
{
    HGLOBAL list = nullptr;
    {
        ViewDrawing drawing(view);
        const int member = drawing.get() ? FirstMember(drawing.get(), key) : -1;
        if (member < 0)
            return kErrNone;
        ErrorCode code = CollectObjectsToMove(drawing.get(), member, 0, 1, 0, &list, nullptr);
        if (code != kErrNone)
            return code;
    }
    ErrorCode code = MoveObjects(view, -over.x, -over.y, list, insideStep);
    ViewDrawing drawing(view);
    LockedTable objects(drawing.get(), kTableObjects);
    FreeLinkedObjects(list, objects.Get());
    return code;
}

bool ReadRow(HWND view, int row, GroupEntry* entry)
{
    ViewDrawing drawing(view);
    LockedTable groups(drawing.get(), kTableGroups);
    if (!groups.Get() || row >= groups.Count())
        return false;
    *entry = *GroupEntryAt(groups.Get(), row);
    return true;
}

ErrorCode TurnGroup(HWND view, int row, int angle, int* insideStep)
{
    GroupEntry entry;
    if (!ReadRow(view, row, &entry) || !(entry.flags & kGroupSelected))
        return kErrNone;
    if (entry.flags & kGroupNoTransform) {
        TransformRefused = 1;
        return kErrNone;
    }
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return kErrNoMemory;
    const POINT over = Overflow(entry.frame, angle, record->drawingWidth, record->drawingHeight);
    ErrorCode code = kErrNone;
    if (over.x != 0 || over.y != 0) {
        code = MoveGroupBack(view, entry.key, over, *insideStep);
        *insideStep = 1;
        if (code == kErrNone && !ReadRow(view, row, &entry))
            code = kErrNoMemory;
    }
    if (code == kErrNone) {
        POINT handle = {entry.frame.right, entry.frame.bottom};
        RotatePointsCopy(&entry.frame, angle, &handle, 1);
        code = RotateGroup(record, row, kHandleBottomRight, handle.x, handle.y, *insideStep);
        *insideStep = 1;
    }
    ReleaseViewRecord(view);
    return code;
}

int RowCount(HWND view)
{
    ViewDrawing drawing(view);
    LockedTable groups(drawing.get(), kTableGroups);
    return groups.Count();
}

bool SelectionMayTurn(HWND view)
{
    ViewDrawing drawing(view);
    return drawing.get() && CanFlipSelection(drawing.get());
}

const int kAskForAngle = -1;
const int kHalfTurnTenths = 1800;
const int kFullTurnTenths = 3600;

// The angle the Set Angle dialog starts from: the primary's group turn when
// it is grouped, else its own rotation as its kind reports it; 0 without one.
int PrimaryAngle(HGLOBAL drawingHandle)
{
    DrawingRecord* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    if (!drawing)
        return 0;
    int angle = 0;
    {
        LockedTable objects(drawing, kTableObjects);
        const int primary = drawing->primarySelected;
        if (objects.Get() && primary >= 0 && primary < objects.Count()) {
            const int row = GetSelectedGroup(drawing, objects.Get());
            LockedTable groups(drawing, kTableGroups);
            if (row >= 0 && row < groups.Count()) {
                angle = GroupEntryAt(groups.Get(), row)->rotation;
            } else {
                angle = ObjectAt(objects.Get(), primary)->rotation;
                CallObjectKind(nullptr, drawing, objects.Get(), primary, kMsgLineAngle, 0, 0,
                               reinterpret_cast<INT_PTR>(&angle));
            }
        }
    }
    GlobalUnlock(drawingHandle);
    return angle;
}

} // namespace

int RotateSelection(int angle)
{
    HWND view = ActiveView();
    // Nothing while an editor is open over the drawing.
    if (!view || !ViewDrawingHandle(view) || ViewEditorOf(view))
        return 0;
    if (angle == kAskForAngle) {
        angle = PrimaryAngle(ViewDrawingHandle(view));
        if (!FrameCalls.editAngle(&angle))
            return 0;
    }
    if (angle < -kHalfTurnTenths || angle > kFullTurnTenths)
        return 0;
    TransformRefused = 0;
    if (!SelectionMayTurn(view))
        return 0;
    int insideStep = 0;
    ErrorCode code = kErrNone;
    for (int row = 0; code == kErrNone && row < RowCount(view); ++row)
        code = TurnGroup(view, row, angle, &insideStep);
    if (code == kErrNone)
        code = ApplyToSelectionWarning(view, kMsgSetRotation, angle, 0, insideStep);
    ReportEditError(code);
    if (TransformRefused)
        ShowInfoDialog("INFO_NOROTATE", kNoRotateHelp);
    return 0;
}
