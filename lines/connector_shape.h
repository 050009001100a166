// Changing a connector's side pair or corners (message 61) and giving a new
// connector its route (message 11).
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// `value`'s second word is the LineShapeCode; `keepRoute` (the flip) keeps
// the route already laid.
ErrorCode SetSegLineShape(DrawingRecord* drawing, void* table, int index, const int32_t* value, int keepRoute);
// Message 11: the route record, default or laid between the tracking hosts.
ErrorCode InitSegLine(DrawingRecord* drawing, void* table, int index, int corner);

// The hosts of the line being drawn, as the view's tracking keeps them: -1
// when an end is free. The view sets them before it creates a connector.
struct ConnectorTrackHosts {
    int startHost = -1;
    int endHost = -1;
    POINT startPoint = {0, 0};   // box point on the start host
    POINT endPoint = {0, 0};
    int endSide = 0;             // 1 when the meeting end is the start
};
extern ConnectorTrackHosts ConnectorTracking;

// A label that turns with the line re-turned to the text angle at its code.
void RefreshLabelAngle(DrawingRecord* drawing, void* table, int index, int label, int oldRotation);
// The label object of a line (its own +221 bit 0x20 clear), or -1.
int FindLineLabel(void* table, int index);
