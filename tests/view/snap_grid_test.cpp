#include <gtest/gtest.h>

#include "view/snap_grid.h"

namespace {

TEST(SnapGrid, InchGridTable)
{
    struct Case {
        const char* name;
        int value;
        int snapped;
    } cases[] = {
        {"on a major line", 600, 600},
        {"first subdivision is 8 hundredths", 50, 48},
        {"second is 16 hundredths", 100, 96},
        {"third is 25 hundredths", 148, 150},
        {"fourth is 33 hundredths", 200, 198},
        {"10 below a major line snaps up onto it", 590, 600},
        {"exactly half a subdivision rounds down", 25, 0},
        {"just above half rounds up", 26, 48},
        {"zero stays", 0, 0},
        {"far out", 6010, 6000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.snapped, SnapCoordinate(c.value, 1, 100.0, 12)) << c.name;
}

TEST(SnapGrid, CentimetreMajorsAreOneCentimetreApartBeforeTruncation)
{
    // 100 / 2.54 = 39.37 hundredths of an inch, truncated to 39: 234 units.
    EXPECT_EQ(234, SnapCoordinate(236, 0, 100.0, 10));
    // Two centimetres: 78.74 truncated to 78.
    EXPECT_EQ(468, SnapCoordinate(472, 0, 100.0, 10));
}

// A ruler scale from a damaged file with no subdivisions or spacing divided
// by zero.
TEST(SnapGrid, DamagedScaleDoesNotDivideByZero)
{
    EXPECT_EQ(600, SnapCoordinate(590, 1, 100.0, 0));
    EXPECT_EQ(600, SnapCoordinate(590, 1, 0.0, 1));
}

} // namespace
