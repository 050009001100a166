#include "view/drag_out.h"

#include <initializer_list>

#include "common/app_globals.h"
#include "common/edit_errors.h"
#include "objects/document_undo.h"
#include "objects/drawing_tables.h"
#include "objects/linked_objects.h"
#include "objects/object_delete.h"
#include "view/tracking_steps.h"

DragOutHooks DragOutCalls = {nullptr};

namespace {

// OLE holds the mouse while the drag runs: the move must not take that
// loss of capture for a cancel, or its lists would be gone when the drop
// target asks for the objects.
bool Running = false;

// Pixels the pointer must be beyond the main window's client area, so that
// brushing its edge does not start a drag.
const int kDragOutMargin = 20;

void SelectExactly(DrawingRecord* drawing, HGLOBAL list)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    for (int i = 0; i < objects.Count(); ++i)
        ObjectAt(objects.Get(), i)->stateFlags &= ~kStateSelected;
    for (int row = 0; row < groups.Count(); ++row)
        GroupEntryAt(groups.Get(), row)->flags &= ~kGroupSelected;
    int selected = 0;
    for (int position = 0; position < ListCount(list); ++position) {
        const int index = ListIndex(list, position);
        if (index >= 0 && index < objects.Count()) {
            ObjectAt(objects.Get(), index)->stateFlags |= kStateSelected;
            ++selected;
        }
    }
    drawing->selectedCount = selected;
    drawing->primarySelected = -1;
}

ErrorCode DeleteListed(DrawingRecord* drawing, HGLOBAL list)
{
    ErrorCode code = kErrNone;
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups})
        if (code == kErrNone)
            code = SetDrawingTableDirty(drawing, table);
    if (code == kErrNone) {
        SelectExactly(drawing, list);
        code = DeleteObjects(drawing, 1, -1);
    }
    return code;
}

// The objects a drop moved away leave the drawing as one undoable Move.
ErrorCode DeleteDraggedObjects(HWND view)
{
    ErrorCode code = BeginDocumentUndo(view, kUndoStepMove);
    if (code != kErrNone)
        return code;
    {
        TrackScope scope(view);
        code = scope.drawing ? DeleteListed(scope.drawing, Tracking.draggedObjects) : kErrNoMemory;
    }
    if (code != kErrNone) {
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
        return code;
    }
    Tracking.draggedOut = 1;
    // Their indices name other objects now: the list goes without touching them.
    FreeLinkedObjects(Tracking.draggedObjects, nullptr);
    Tracking.draggedObjects = nullptr;
    return kErrNone;
}

} // namespace

bool DragOutRunning()
{
    return Running;
}

bool PointerLeftMainWindow(HWND view, POINT device)
{
    // Only a view shown in the main window can be dragged out of it.
    if (!MainWindow || !IsChild(MainWindow, view) || !IsWindowVisible(MainWindow))
        return false;
    POINT screen = device;
    ClientToScreen(view, &screen);
    RECT client;
    GetClientRect(MainWindow, &client);
    MapWindowPoints(MainWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
    InflateRect(&client, kDragOutMargin, kDragOutMargin);
    return !PtInRect(&client, screen);
}

void DragObjectsOut(HWND view, POINT device)
{
    DWORD effect = DROPEFFECT_NONE;
    Running = true;
    const bool dropped =
        DragOutCalls.run && Tracking.draggedObjects && DragOutCalls.run(view, Tracking.draggedObjects, &effect);
    Running = false;
    if (!dropped) {
        SetCapture(view);
        return;
    }
    if (effect & DROPEFFECT_MOVE)
        ReportEditError(DeleteDraggedObjects(view));
    // The release ends the tracking as a move that never started.
    Tracking.moveNotStarted = 1;
    PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(device.x, device.y));
}
