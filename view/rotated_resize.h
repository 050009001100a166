// The rectangle a resize handle gives for a pointer position, and the limit
// that stops a turned shape where its turned corner touches the drawing's edge.
#pragma once
#include <windows.h>

// The resize rectangle (in the tracked frame's unturned orientation) for a
// point given in that orientation: axis lock, the span from the anchor, then
// the aspect or square rules. The point is corrected in place.
RECT ComputeResizeRect(POINT* point);

// For a frame turned by the tracking's start rotation: the point (unturned
// orientation) pulled back, one axis after the other, until every turned
// corner of the resulting rectangle lies inside `area`. A start that is
// already outside the area is left alone.
POINT LimitTurnedResize(const RECT& frame, POINT point, const RECT& area);
