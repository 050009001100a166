// The drawing's ruler scale as the rulers and the grid use it, and the
// positions of its divisions in ruler units (1/100 inch).
#pragma once
#include <windows.h>

struct RulerScaleValues {
    int shown;
    int inchFlag;
    double spacing;       // per major division, hundredths of the unit
    int subdivisions;
    double labelStep;     // label value per major division
};

// The 32 stored bytes, checked: a scale that would divide by zero or run
// away (no subdivisions, a spacing that is not a positive number of
// reasonable size) gives the default one inch in twelve.
RulerScaleValues ReadRulerScaleBytes(const unsigned char* bytes);
RulerScaleValues DefaultRulerScale();
bool IsRulerScaleSound(const RulerScaleValues& scale);
// The major spacing in hundredths of an inch.
double RulerSpacingHundredths(const RulerScaleValues& scale);
int RulerPosition(const RulerScaleValues& scale, int major, int subdivision, int zoom);
int HorizontalLabelStep(const RulerScaleValues& scale, int zoom);
int VerticalLabelStep(const RulerScaleValues& scale, int zoom);
// The scale of the drawing in a view, the default without one.
RulerScaleValues ViewRulerScale(HWND view);
