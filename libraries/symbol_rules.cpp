#include "libraries/symbol_rules.h"

#include "objects/selection_geometry.h"

namespace {

const int kLastGrowMode = 3;
const int kSolidFill = 1;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

double Limit(bool metric) { return metric ? kMaxSymbolInches * kCentimetresPerInch : kMaxSymbolInches; }

} // namespace

int16_t GrowModeFromHint(int hint, bool frameKnown)
{
    if (hint >= kGrowFree && hint <= kLastGrowMode)
        return static_cast<int16_t>(hint);
    return static_cast<int16_t>(frameKnown ? kGrowFree : kGrowProportional);
}

bool SymbolPictureFits(DWORD bytes, int colors)
{
    const DWORD colorBytes = static_cast<DWORD>(GetPaletteEntryBytes(colors));
    return bytes <= kMaxSymbolPictureBytes && colorBytes <= kMaxSymbolPictureBytes - bytes;
}

double ShownFromUnits(int units, bool metric)
{
    const double inches = static_cast<double>(units) / kUnitsPerInch;
    return metric ? inches * kCentimetresPerInch : inches;
}

int UnitsFromShown(double shown, bool metric)
{
    const double inches = metric ? shown / kCentimetresPerInch : shown;
    // A hair added so that 2.54 cm gives 600 units, not 599.
    const double kRoundingSlack = 1e-9;
    return static_cast<int>(inches * kUnitsPerInch + kRoundingSlack);
}

ShownSize ApplyTypedSide(ShownSize shown, bool widthTyped, double typed, bool proportional, double aspect,
                         bool metric)
{
    if (!(typed > 0))
        return shown;
    if (widthTyped) {
        shown.width = typed;
        if (proportional && aspect > 0)
            shown.height = typed * aspect;
    } else {
        shown.height = typed;
        if (proportional && aspect > 0)
            shown.width = typed / aspect;
    }
    const double limit = Limit(metric);
    if (proportional) {
        const double over = shown.width / limit > shown.height / limit ? shown.width / limit : shown.height / limit;
        if (over > 1) {
            shown.width /= over;
            shown.height /= over;
        }
    } else {
        if (shown.width > limit)
            shown.width = limit;
        if (shown.height > limit)
            shown.height = limit;
    }
    return shown;
}

void AdaptSymbolColors(DrawingObject* object, int shapeLineWidth)
{
    object->lineWidth = shapeLineWidth > 0 ? shapeLineWidth : 1;
    object->fillMode = kSolidFill;
    if (object->fillColor == kBlack)
        object->fillColor = kWhite;
    if (object->lineColor == kWhite)
        object->lineColor = kBlack;
}

namespace {

const COLORREF kNoFillColor = 0xFFFFFFFF;
const int kThinOutline = 1;

COLORREF NoneAsWhite(COLORREF color) { return color == kNoFillColor ? kWhite : color; }

} // namespace

void RestyleSymbolObject(DrawingObject* object, const DrawingRecord& drawing)
{
    if (object->fillColor != kNoFillColor)
        object->fillColor = drawing.style.fillColor;
    object->lineColor = drawing.style.borderColor;
    if (object->kind != kKindShape)
        object->lineWidth = drawing.lineWidth;
    else if (object->lineWidth != 0)
        object->lineWidth = drawing.outlineWidth;
    if (object->fillMode == 0)
        object->fillColor = kNoFillColor;
    else
        object->fillMode = drawing.fillMode;
    const bool invisible = NoneAsWhite(object->fillColor) == NoneAsWhite(drawing.style.backgroundColor) &&
                           object->lineWidth == 0 && object->textRecordId < 0 &&
                           !(object->stateFlags & kStateTextBox);
    if (invisible)
        object->lineWidth = kThinOutline;
}
