// The one mouse drag shared by all drawing views: its mode and its state,
// read by the kinds and the library windows while a drag runs.
#pragma once
#include <windows.h>

#include "common/tracking_mode.h"

// ToolCode: what a press asks the tracking to start.
enum ToolCodeValue : int {
    kToolCodeShape = 0,
    kToolCodeLine = 1,
    kToolCodeConnector = 2,
    kToolCodeArray = 3,
    kToolCodePointer = 10,
    kToolCodeMeasureVertical = 14,
    kToolCodeMeasureHorizontal = 15,
    kToolCodeMeasureBoth = 16,
    kToolCodeText = 17,
    kToolCodeRotate = 100,
};

// HookingState values.
enum HookingStateValue : int {
    kHookingArraysOnly = -1,
    kHookingAny = 0,
    kHookingOff = 1,
};

struct TrackingState {
    HWND view;               // the view the drag runs in
    int trackIndex;          // object, group row, or the new object's kind
    int hitKind;             // kind of the hit object, -1 a group or nothing
    int hitCode;
    int param;               // shape type or symbol flag; 2 when several move
    POINT anchor;
    POINT locked;
    int axisLock;            // 99 free, 1 keep y, 2 keep x
    POINT current;
    POINT last;
    int startRotation;
    RECT trackRect;
    RECT clampRect;
    double aspectRatio;
    int keepAspect;
    int rotateHandle;
    int endHost;
    int endSide;
    int startHost;
    int startHostMarked;     // the copy held for erasing its markers
    POINT hookOffset;
    POINT startHookOffset;
    POINT markedHookOffset;
    int draggedSlot;
    int originalHost;
    int hookMarkedObject;
    int hookingState;
    int textSnapOffset;
    HGLOBAL draggedObjects;  // ObjectIndexList
    HGLOBAL attachedLines;   // ObjectIndexList
    double startParameter;
    int feedbackShown;
    int moveNotStarted;
    DWORD moveStartTime;
    int startCursor;
    int draggedOut;
    double zoomScale;        // ruler mark factor
    int newLineConnected;    // a new line's ends were hooked: links follow at the end
    WPARAM keys;             // the key flags of the last mouse message
};

extern TrackingState Tracking;
// The right-button menu's choice: -1 none, 0 object, 1 line, 2 empty drawing.
extern int RightMenuKind;

// Ends a running tracking of the view without any edit: the feedback and hook
// markers are erased, the pending step forgotten and the capture released.
// For a view that loses the mouse capture (WM_CAPTURECHANGED).
void CancelTracking(HWND view);
