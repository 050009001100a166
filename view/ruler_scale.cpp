#include "view/ruler_scale.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "documents/view_children.h"

namespace {

const double kCentimetresPerInch = 2.54;
// Narrower than a hundredth of a unit or wider than a drawing area makes no ruler.
const double kLeastSpacing = 1.0;
const double kMostSpacing = 100000.0;
const int kMostSubdivisions = 100;

int LabelBase(int subdivisions)
{
    if (subdivisions == 10)
        return 5;
    if (subdivisions == 12)
        return 3;
    return 4;
}

int MajorWidth(const RulerScaleValues& scale, int zoom)
{
    const int m = RulerPosition(scale, 1, 0, zoom) - RulerPosition(scale, 0, 0, zoom);
    return m < 1 ? 1 : m;
}

} // namespace

RulerScaleValues DefaultRulerScale() { return RulerScaleValues{1, 1, 100.0, 12, 1.0}; }

bool IsRulerScaleSound(const RulerScaleValues& scale)
{
    return std::isfinite(scale.spacing) && scale.spacing >= kLeastSpacing && scale.spacing <= kMostSpacing &&
           scale.subdivisions >= 1 && scale.subdivisions <= kMostSubdivisions && std::isfinite(scale.labelStep);
}

RulerScaleValues ReadRulerScaleBytes(const unsigned char* bytes)
{
    RulerScaleValues scale = DefaultRulerScale();
    int32_t shown = 1;
    int32_t inch = 1;
    int32_t subdivisions = 12;
    std::memcpy(&shown, bytes + 0, sizeof(shown));
    std::memcpy(&inch, bytes + 4, sizeof(inch));
    std::memcpy(&scale.spacing, bytes + 8, sizeof(scale.spacing));
    std::memcpy(&subdivisions, bytes + 16, sizeof(subdivisions));
    std::memcpy(&scale.labelStep, bytes + 20, sizeof(scale.labelStep));
    scale.shown = shown;
    scale.inchFlag = inch;
    scale.subdivisions = subdivisions;
    if (!IsRulerScaleSound(scale)) {
        RulerScaleValues fallback = DefaultRulerScale();
        fallback.shown = shown;
        return fallback;
    }
    return scale;
}

double RulerSpacingHundredths(const RulerScaleValues& scale)
{
    return scale.inchFlag ? scale.spacing : scale.spacing / kCentimetresPerInch;
}

int RulerPosition(const RulerScaleValues& scale, int major, int subdivision, int zoom)
{
    const double u = RulerSpacingHundredths(scale);
    double value = subdivision * u / scale.subdivisions + major * u;
    if (zoom >= 75)
        value = value * zoom / 1000.0;
    return static_cast<int>(value);
}

int VerticalLabelStep(const RulerScaleValues& scale, int zoom)
{
    const int m = MajorWidth(scale, zoom);
    const int least = 4 * scale.subdivisions - 1;
    return m >= least ? 1 : (least + m - 1) / m;
}

int HorizontalLabelStep(const RulerScaleValues& scale, int zoom)
{
    const int k = VerticalLabelStep(scale, zoom);
    if (k <= 2)
        return k;
    int base = LabelBase(scale.subdivisions);
    while (base < k)
        base *= 2;
    return base;
}

RulerScaleValues ViewRulerScale(HWND view)
{
    RulerScaleValues scale = DefaultRulerScale();
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return scale;
    HGLOBAL drawingHandle = GetViewDrawingHandle(record);
    ReleaseViewRecord(view);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (drawing) {
        scale = ReadRulerScaleBytes(drawing->rulerScale);
        GlobalUnlock(drawingHandle);
    }
    return scale;
}
