#include "view/tracking_state.h"

TrackingState Tracking = {};
int RightMenuKind = -1;
