#include "common/tracking_mode.h"

int TrackingMode = kTrackingNone;
