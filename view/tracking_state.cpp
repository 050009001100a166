#include "view/tracking_state.h"

int TrackingMode = kTrackingNone;
TrackingState Tracking = {};
int RightMenuKind = -1;
