// The mode of the one mouse drag shared by all drawing views; the kinds read
// it while a drag runs and a warning ends the drag by clearing it.
#pragma once

extern int TrackingMode;

// TrackingMode values (0 none).
enum TrackingModeValue : int {
    kTrackingNone = 0,
    kTrackingRubberBand = 1,
    kTrackingNewObject = 11,
    kTrackingResize = 12,
    kTrackingMove = 13,
    kTrackingMeasureVertical = 14,
    kTrackingMeasureHorizontal = 15,
    kTrackingMeasureBoth = 16,
    kTrackingPlace = 18,
    kTrackingAdjust = 19,
    kTrackingRotate = 100,
};
