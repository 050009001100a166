#include "frame/ruler_scale_entry.h"

#include <cmath>

namespace {

const double kLeastScale = 0.01;
const double kMostScale = 100.0;
const double kHundredths = 100.0;
const double kDecade = 10.0;
const double kHalfDecade = 5.0;
const double kHalf = 0.5;

// Two decimals, as the field shows it: what is computed is what is read.
double AsShown(double x)
{
    return std::round(x * kHundredths) / kHundredths;
}

double InRange(double x)
{
    if (!std::isfinite(x) || x == 0.0)
        return 1.0;
    x = std::fabs(x);
    if (x < kLeastScale)
        return kLeastScale;
    if (x > kMostScale)
        return kMostScale;
    return AsShown(x);
}

// A whole label step: 1 .. 10, or a multiple of ten up to 100.
double LabelSteps(double x)
{
    const double n = std::trunc(x);
    double q;
    if (n >= kDecade)
        q = (std::trunc(n / kDecade) + (std::fmod(x, kDecade) > kHalfDecade ? 1 : 0)) * kDecade;
    else
        q = n + (std::fmod(x, 1.0) > kHalf ? 1 : 0);
    // Never a step of nothing, whatever rounding did to a tiny x.
    return q < 1.0 ? 1.0 : q;
}

} // namespace

TypedRulerScale ScaleFromTyped(double typed)
{
    TypedRulerScale scale;
    scale.shown = InRange(typed);
    double x = scale.shown;
    double m = 1.0;
    for (int i = 0; i < 2 && x < 1.0; ++i) {
        x *= kDecade;
        m *= kDecade;
    }
    const double q = LabelSteps(x);
    scale.unitsPerMajor = x * kHundredths / q;
    scale.labelStep = q / m;
    return scale;
}

double ShownRulerScale(double labelStep, double unitsPerMajor)
{
    return labelStep * unitsPerMajor / kHundredths;
}
