#include "view/snap_grid.h"

#include <cstdint>
#include <cstring>

namespace {

const int kScaleInchFlag = 4;
const int kScaleMajorSpacing = 8;
const int kScaleSubdivisions = 16;

} // namespace

int SnapCoordinate(int value, int inchFlag, double majorSpacing, int subdivisions)
{
    // A scale read from a damaged file must not divide by zero.
    if (subdivisions < 1)
        subdivisions = 1;
    if (!(majorSpacing > 0.0))
        majorSpacing = 100.0;
    const double major = inchFlag ? majorSpacing : majorSpacing / 2.54;
    const double grid = major * 6.0;
    const double half = grid / (2.0 * subdivisions);
    long long i = static_cast<long long>(value / grid);
    double rest = value - i * grid;
    if (rest >= (2 * subdivisions - 1) * half) {
        ++i;
        rest = 0.0;
    }
    long long k = static_cast<long long>(subdivisions * rest / grid);
    if (rest - 2.0 * half * static_cast<double>(k) > half)
        ++k;
    long long hundredths = static_cast<long long>(static_cast<double>(i) * major +
                                                  static_cast<double>(k) * major / subdivisions);
    return static_cast<int>(hundredths * 6);
}

void SnapPointToGrid(const DrawingRecord* drawing, POINT* point)
{
    if (!drawing || !point)
        return;
    int32_t inchFlag;
    double major;
    int32_t subdivisions;
    std::memcpy(&inchFlag, drawing->rulerScale + kScaleInchFlag, sizeof(inchFlag));
    std::memcpy(&major, drawing->rulerScale + kScaleMajorSpacing, sizeof(major));
    std::memcpy(&subdivisions, drawing->rulerScale + kScaleSubdivisions, sizeof(subdivisions));
    point->x = SnapCoordinate(point->x, inchFlag, major, subdivisions);
    point->y = SnapCoordinate(point->y, inchFlag, major, subdivisions);
}
