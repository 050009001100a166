// The one mouse drag shared by all drawing views.
#pragma once

extern int TrackingMode;
