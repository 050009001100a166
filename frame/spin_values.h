// The numbers of the rotation-angle and window-scale dialogs: how a stored
// value is shown, how the spin buttons step a typed one and how a typed value
// is stored again. Angles are stored in tenths of a degree counter-clockwise
// and shown in degrees clockwise; zooms are stored per mille, shown per cent.
#pragma once

const int kAngleSpinStep = 150;   // 15 degrees
const int kScaleSpinStep = 250;   // 25 per cent
const int kScaleLeast = 50;       // 5 per cent
const int kScaleMost = 4000;      // 400 per cent
const int kScaleHundred = 1000;   // what the caller's 0 stands for

// Tenths of a degree as shown for a stored angle (0 .. 3599).
int ShownAngleTenths(int stored);
// Typed degrees as whole tenths, cut toward zero; absurd sizes are held to
// a few full turns so that no conversion overflows.
int TypedAngleTenths(double degrees);
// A spin press from typed tenths; step +150 or -150. The tenths to show.
int SpinAngle(int tenths, int step);
// The stored angle (-1800 .. 1800) for typed tenths.
int StoredAngle(int tenths);

// The typed per-cent text as per mille, brought into 50 .. 4000; text that
// is no number counts as 0 and so becomes 50.
int TypedScale(const char* text);
// A per-mille zoom brought into 50 .. 4000.
int ScaleInRange(int zoom);
// A spin press from a per-mille value; step +250 or -250.
int SpinScale(int value, int step);
