// The rules a new or edited symbol follows: its grow mode, the size limit
// of its picture, the sizes the symbol dialog shows, and the colours a
// placed picture takes from the drawing.
#pragma once
#include <windows.h>

#include <cstdint>

#include "objects/drawing_layout.h"

const int kGrowFree = 0;
const int kGrowProportional = 3;
// A picture with its colours may hold at most this many bytes.
const DWORD kMaxSymbolPictureBytes = 1000000;
// Option flags of a symbol item.
const uint16_t kSymbolColorsFixed = 1;
const uint16_t kSymbolAutomatic = 2;
const uint16_t kSymbolSizeFromPicture = 4;
// Text placement bits of a symbol item.
const int16_t kSymbolTextBelow = 4;
const int16_t kSymbolTextAbove = 8;
const int16_t kSymbolTextNone = 0x10;
// The largest side the dialog lets a symbol have, in inches.
const double kMaxSymbolInches = 50.0;
const double kCentimetresPerInch = 2.54;
const int kUnitsPerInch = 600;

// The grow mode a symbol stores for the sizing hint of its objects. A hint
// outside the four modes (the objects gave no frame, -1) would leave the
// dialog without a radio and placing with stray bits: it becomes "no
// restrictions" when the frame is known, else "proportionally".
int16_t GrowModeFromHint(int hint, bool frameKnown);

// Whether a picture of `bytes` bytes and `colors` colours may be stored.
bool SymbolPictureFits(DWORD bytes, int colors);

// Units of 1/600 inch shown as inches or centimetres, and back (truncated).
double ShownFromUnits(int units, bool metric);
int UnitsFromShown(double shown, bool metric);

// The shown sizes after the user typed `typed` into one side: the other side
// keeps its value, or follows the picture's aspect (height over width) when
// growing proportionally; then both are brought to at most 50 inches (127
// cm), proportionally or each alone. A typed value of 0 or below changes
// nothing.
struct ShownSize {
    double width;
    double height;
};
ShownSize ApplyTypedSide(ShownSize shown, bool widthTyped, double typed, bool proportional, double aspect,
                         bool metric);

// A placed picture symbol whose colours are not fixed takes the drawing's
// look: solid fill, black fill to white, white line to black, the drawing's
// shape line width (1 when that is 0).
void AdaptSymbolColors(DrawingObject* object, int shapeLineWidth);

// An automatic symbol's object placed in a drawing whose symbol colours may
// change takes the drawing's current style: fill and border colours, line
// widths and fill mode; a shape that would vanish against the background
// (no outline, no text, not a text box) keeps a thin outline.
void RestyleSymbolObject(DrawingObject* object, const DrawingRecord& drawing);
