// The pieces of a tracking the mode files share: the records in hand during
// one mouse message, the feedback, and the per-mode set-up, step and end.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"
#include "view/tracking_state.h"

// The view record and drawing of a view locked for one mouse message.
class TrackScope {
public:
    explicit TrackScope(HWND view);
    ~TrackScope();
    TrackScope(const TrackScope&) = delete;
    TrackScope& operator=(const TrackScope&) = delete;
    // Lets go of the drawing before an edit that may swap its records.
    void ReleaseDrawing();
    void RelockDrawing();

    HWND view;
    HGLOBAL viewHandle = nullptr;
    void* viewRecord = nullptr;
    HGLOBAL drawingHandle = nullptr;
    DrawingRecord* drawing = nullptr;
};

inline INT_PTR PackPoint(POINT p)
{
    return static_cast<INT_PTR>(static_cast<uint32_t>(p.x & 0xFFFF) | (static_cast<uint32_t>(p.y & 0xFFFF) << 16));
}
inline RECT SpanRect(POINT a, POINT b)
{
    RECT r = {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
    return r;
}

// A device point of the view in drawing units (window origin 0,0).
POINT ViewPointToDrawing(HWND view, POINT device);
HBRUSH GetFeedbackBrush(const DrawingRecord* drawing);
// Draws (or, drawn again, erases) the feedback of the current mode.
void DrawModeFeedback(HWND view, DrawingRecord* drawing);
void DrawRotatedFrame(HDC dc, const RECT* rect, const RECT* centreRect, int rotation);
void RepaintObjectOnce(DrawingRecord* drawing, void* objectTable, int index);
void ResetTrackingFields(POINT point, int drawingWidth, int drawingHeight, int parameter);
void FreeTrackingLists(DrawingRecord* drawing);

// Hooking.
int FindHookTarget(DrawingRecord* drawing, POINT* point, BOOL arraysOnly);
int CanHookAt(void* objectTable, int index, int hitCode, int x, int y, BOOL arraysOnly);
void ToggleHookMarkers(DrawingRecord* drawing, void* objectTable, int index);
void UpdateHookMarkers(DrawingRecord* drawing);
void EraseHookMarkers(DrawingRecord* drawing);

// Per-hit-code set-up: 43 a new object, 40..45 a move, the rest the handles.
ErrorCode PrepareTrackingFromHit(DrawingRecord* drawing, int hitCode, int index, const SIZE* defaultSize,
                                 BOOL shift, RECT* bounds, POINT raw);
ErrorCode PrepareNewObject(DrawingRecord* drawing, const SIZE* defaultSize, POINT raw);
ErrorCode PrepareMove(DrawingRecord* drawing, int hitCode, int index, RECT* bounds);
ErrorCode PrepareHandleDrag(DrawingRecord* drawing, int hitCode, int index, BOOL shift);
void ClampMoveAndWait(HWND view, DrawingRecord* drawing, const RECT* bounds, POINT press);
int WaitForDragStart(HWND view);

// Per-mode steps: the point is hooked, snapped and clamped.
void StepNewObject(DrawingRecord* drawing, POINT point);
void StepPlace(DrawingRecord* drawing, POINT point);
void StepMove(DrawingRecord* drawing, POINT point);
void StepResize(DrawingRecord* drawing, POINT point);
void StepAdjust(POINT point);
void StepRotate(HWND view, DrawingRecord* drawing, POINT point);
void MakeSquare(RECT* rect, POINT anchor, POINT* point);
void KeepAspectRect(RECT* rect, POINT anchor, POINT* point);

// Per-mode ends, after the feedback is erased; an error goes to the roll-back.
ErrorCode EndNewObject(TrackScope& scope, bool cancelled);
ErrorCode EndMove(TrackScope& scope, bool cancelled, WPARAM keys);
ErrorCode EndResize(TrackScope& scope, bool cancelled);
ErrorCode EndAdjust(TrackScope& scope, bool cancelled);
ErrorCode EndRotate(TrackScope& scope, bool cancelled);

// Whether a move whose wait was cut short may start now.
bool StepMoveStarted();
// The rotation limit: the angle (tenths of a degree) a frame may turn to in a
// drawing of the given size without a corner leaving it.
int LimitRotation(int angle, const RECT& frame, int width, int height);
