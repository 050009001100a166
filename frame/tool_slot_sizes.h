// The preferred size of a shape tool as the Edit Toolbar Location dialog
// shows and takes it: in inches, or centimetres in metric, never above two
// inches a side; stored in 1/600 inch.
#pragma once

struct ShownSize {
    double width;
    double height;
};

ShownSize ShownSizeOfSlot(int widthUnits, int heightUnits, bool metric);
// A size typed into the width (or height) field. `keepProportion`: the
// shape is as wide as high, so the other side follows. False, with nothing
// changed, for a size that is not above 0.
bool ApplyTypedSize(ShownSize* shown, double typed, bool typedWidth, bool keepProportion, bool metric);
// A shown size as stored, cut toward zero to whole units.
int SlotUnits(double shown, bool metric);
// An adjustment brought into the shape type's range.
double ClampAdjustment(double value, double minimum, double maximum);
