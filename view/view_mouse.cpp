#include "view/view_mouse.h"

#include "common/info_dialog.h"
#include "common/results.h"
#include "common/app_globals.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"
#include "common/edit_errors.h"
#include "view/end_text_edit.h"
#include "view/hit_test_drawing.h"
#include "view/object_text_edit.h"
#include "view/palette_slots.h"
#include "view/palette_state.h"
#include "view/selection_access.h"
#include "view/tool_palette.h"
#include "view/tracking_entry.h"
#include "view/tracking_state.h"
#include "view/tracking_steps.h"
#include "documents/document_window_hooks.h"
#include "documents/view_children.h"
#include "view/view_layout.h"
#include "objects/view_record_word.h"

namespace {

const int kKeepsProportions = 2;
const int kOpenAttachedFile = 740;
const int kTakesText = 4;
int SelectHintShown = 0;

bool ZoomToggleKeys(WPARAM keys)
{
    return (keys & MK_CONTROL) && (keys & MK_SHIFT);
}

void* LockedViewRecord(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    void* record = handle ? GlobalLock(handle) : nullptr;
    if (record)
        GlobalUnlock(handle);   // movable in name only: the view keeps the block
    return record;
}

void CaptureForPointer(HWND view)
{
    TrackingMode = kTrackingRubberBand;
    SetCapture(view);
}

} // namespace

void ViewButtonDown(HWND view, WPARAM keyFlags, POINT point, BOOL rightButton)
{
    RightMenuKind = -1;
    if (TrackingMode != kTrackingNone)
        return;
    void* viewRecord = LockedViewRecord(view);
    if (!viewRecord)
        return;
    int code = kToolCodePointer;
    int slot = -1;
    int parameter = 0;
    SIZE size = {0, 0};
    const SIZE* defaultSize = nullptr;
    if (rightButton) {
        CaptureForPointer(view);
        RightMenuKind = 2;
    } else if (ZoomToggleKeys(keyFlags)) {
        ToggleFitZoomAt(view, point.x, point.y);
        return;
    } else if (CurrentPaletteTool == kToolSelect) {
        CaptureForPointer(view);
    } else if (CurrentPaletteTool == kToolText) {
        code = kToolCodeText;
    } else if (CurrentPaletteTool >= kToolStraightLine && CurrentPaletteTool <= kToolLastShape) {
        slot = PaletteSlotOfTool(CurrentPaletteTool);
        PaletteSlot values;
        if (!ReadPaletteSlot(slot, &values))
            return;
        code = values.kind;
        parameter = values.shapeType;
        int sizing = CallKind(values.kind, nullptr, nullptr, nullptr, -1, kMsgSizingDefault, parameter);
        if (sizing & kKeepsProportions) {
            size = {values.width, values.height};
            defaultSize = &size;
        }
    } else {
        // A library symbol follows the pointer at its preferred size until
        // the button comes up.
        if (CurrentPaletteTool == kToolPlacingSymbol && FrameCalls.placingSymbolSize &&
            FrameCalls.placingSymbolSize(&size))
            BeginPlaceTracking(view, viewRecord, point.x, point.y, kKindShape, -1, kShapePicture, size);
        return;
    }
    StartTracking(view, viewRecord, code, slot, parameter, point.x, point.y, keyFlags, defaultSize);
}

void ViewMouseMove(HWND view, WPARAM keyFlags, POINT point)
{
    if (TrackingMode == kTrackingNone)
        return;
    Tracking.keys = keyFlags;
    TrackMouse(view, LockedViewRecord(view), point.x, point.y);
}

void ViewButtonUp(HWND view, WPARAM keyFlags, POINT point)
{
    if (TrackingMode == kTrackingNone)
        return;
    EndTracking(view, LockedViewRecord(view), point.x, point.y, keyFlags);
    if (CurrentPaletteTool == kToolSelect && !SelectHintShown && PaletteHintsOn()) {
        HGLOBAL drawingHandle = ViewDrawingHandle(view);
        auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
        bool selected = drawing && drawing->selectedCount > 0;
        if (drawing)
            GlobalUnlock(drawingHandle);
        if (selected) {
            SelectHintShown = 1;
            ShowInfoDialog("HINT_SELECT", 106);
        }
    }
    SelectPaletteTool(kToolUseOver);
    TrackingMode = kTrackingNone;
    if (GetCapture() == view)
        ReleaseCapture();
}

void ViewDoubleClick(HWND view, WPARAM keyFlags, POINT point)
{
    if (CurrentPaletteTool != kToolSelect)
        return;
    if (ZoomToggleKeys(keyFlags)) {
        ToggleFitZoomAt(view, point.x, point.y);
        return;
    }
    DoubleClickObject(view, point);
}

void DoubleClickObject(HWND view, POINT device)
{
    POINT point = ViewPointToDrawing(view, device);
    if (ViewEditorOf(view) && EndTextEdit(view, 0) != 0)
        return;
    HGLOBAL drawingHandle = ViewDrawingHandle(view);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return;
    int index = -1;
    int kind = -1;
    int code = HitTestDrawingRecord(drawing, point.x, point.y, kToolCodePointer, nullptr, &index, &kind, FALSE);
    if (code == kHitAttachmentMarker) {
        GlobalUnlock(drawingHandle);
        if (MainWindow)
            PostMessageA(MainWindow, WM_COMMAND, kOpenAttachedFile, 0);
        return;
    }
    int bits = 0;
    if (code != kHitNone && index >= 0 && kind >= 0) {
        HGLOBAL table = DrawingTableHandle(drawing, kTableObjects);
        void* objects = table ? GlobalLock(table) : nullptr;
        if (objects && index < TableCount(objects))
            bits = CallObjectKind(nullptr, drawing, objects, index, kMsgCommandBits);
        if (objects)
            GlobalUnlock(table);
    }
    GlobalUnlock(drawingHandle);
    if (bits & kTakesText)
        ReportEditError(BeginObjectText(view, LockedViewRecord(view), index, point.x, point.y, 0));
}

void RulerButtonDown(HWND ruler, WPARAM keyFlags, POINT point, int toolCode)
{
    if (TrackingMode != kTrackingNone)
        return;
    HWND view = RulerViewOf(ruler);
    void* viewRecord = LockedViewRecord(view);
    if (!viewRecord || !ViewDrawingHandle(view))
        return;
    StartTracking(view, viewRecord, toolCode, 0, 0, point.x, point.y, keyFlags, nullptr);
}
