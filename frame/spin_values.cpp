#include "frame/spin_values.h"

#include <cstdlib>

namespace {

const int kFullTurn = 3600;
const int kHalfTurn = 1800;
const double kTenthsPerDegree = 10.0;
// Typed degrees beyond this many turns either way are held there.
const double kMostTypedDegrees = 36000.0;
const int kPerMillePerCent = 10;
const long kMostTypedPercent = 100000;

} // namespace

int ShownAngleTenths(int stored)
{
    const int remainder = stored % kFullTurn;
    return remainder > 0 ? kFullTurn - remainder : -remainder;
}

int TypedAngleTenths(double degrees)
{
    if (!(degrees > -kMostTypedDegrees))
        degrees = -kMostTypedDegrees;  // also a NaN
    if (degrees > kMostTypedDegrees)
        degrees = kMostTypedDegrees;
    return static_cast<int>(degrees * kTenthsPerDegree);
}

int SpinAngle(int tenths, int step)
{
    const int remainder = tenths % kAngleSpinStep;
    int value = tenths - remainder;
    // Stepping down from between two multiples lands on the lower one.
    if (step > 0 || remainder == 0)
        value += step;
    if (value < 0)
        value += kFullTurn;
    else if (value > kFullTurn)
        value -= kFullTurn;
    return value % kFullTurn;
}

int StoredAngle(int tenths)
{
    const int angle = tenths % kFullTurn;
    if (angle >= kHalfTurn)
        return kFullTurn - angle;
    if (angle < -(kHalfTurn - 1))
        return -angle - kFullTurn;
    return -angle;
}

int TypedScale(const char* text)
{
    long percent = text ? std::strtol(text, nullptr, 10) : 0;
    if (percent > kMostTypedPercent)
        percent = kMostTypedPercent;
    if (percent < -kMostTypedPercent)
        percent = -kMostTypedPercent;
    return ScaleInRange(static_cast<int>(percent) * kPerMillePerCent);
}

int ScaleInRange(int zoom)
{
    if (zoom < kScaleLeast)
        return kScaleLeast;
    if (zoom > kScaleMost)
        return kScaleMost;
    return zoom;
}

int SpinScale(int value, int step)
{
    const int base = value / kScaleSpinStep * kScaleSpinStep;
    const bool between = value % kScaleSpinStep != 0;
    return ScaleInRange(step < 0 && between ? base : base + step);
}
