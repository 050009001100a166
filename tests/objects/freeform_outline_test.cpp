// The outline of a freeform shape read from its record.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/freeform_outline.h"
#include "objects/object_kind_table.h"
#include "objects/shape_outlines.h"

namespace {

// A connector's arc piece is laid out between both of its ends: the one
// before it in the record and its own.
TEST(BuildFreeformPoints, ArcPieceWasLaidOutFromOneEndOnly)
{
    const int kArcForm = 1;
    const int kQuadrantFromLeftToBottom = 1;
    HGLOBAL record = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FreeformHead) + 2 * sizeof(FreeformVertex));
    auto* bytes = static_cast<unsigned char*>(GlobalLock(record));
    auto* head = reinterpret_cast<FreeformHead*>(bytes);
    head->vertexCount = 2;
    head->width = 1000;
    head->height = 1000;
    FreeformVertexAt(bytes, 0)->kind = kKindConnector;
    FreeformVertex* arc = FreeformVertexAt(bytes, 1);
    arc->kind = kKindConnector;
    arc->segmentWord = kArcForm;
    arc->lineType = kQuadrantFromLeftToBottom;
    arc->x = 1000;
    arc->y = 1000;
    GlobalUnlock(record);

    RECT rect = {0, 0, 1000, 1000};
    POINT points[kOutlineBufferPoints];
    int count = 0;
    BuildFreeformPoints(&rect, record, points, &count);
    GlobalFree(record);

    // A quarter of the circle of radius 1000 about (1000, 0).
    ASSERT_GT(count, 3);
    EXPECT_EQ(1000, points[count - 1].x);
    EXPECT_EQ(1000, points[count - 1].y);
    for (int i = 0; i < count; ++i) {
        double radius = std::hypot(points[i].x - 1000.0, points[i].y);
        EXPECT_NEAR(1000.0, radius, 5.0) << i << ": " << points[i].x << ", " << points[i].y;
    }
}

} // namespace
