#include "view/tracking_state.h"

int TrackingMode = 0;
