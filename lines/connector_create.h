// Making a connector from one point to another, each end optionally hooked
// to a shape: the entry point the palette's connector tool and the
// libraries use.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

struct ConnectorEnd {
    int host;        // object index, or -1 for a free end
    POINT box;       // with a host: the point of its 600 x 600 box
    POINT point;     // without a host: the point in drawing units
};

// Creates the connector inside the caller's undo step (or its own when
// `insideStep` is 0), hooks both ends and routes it between the hosts'
// sides. `created` gets the new object's index (or -1).
ErrorCode CreateConnector(HWND view, const ConnectorEnd& from, const ConnectorEnd& to, int cornerStyle,
                          int insideStep, int* created);
