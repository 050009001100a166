// A free text moved with snapping on lines its first line up on the grid,
// not its frame, so texts moved one under another share their baselines.
#include <gtest/gtest.h>

#include "objects/drawing_tables.h"
#include "objects/text_line_offset.h"
#include "text/ten_messages.h"
#include "view/end_text_edit.h"
#include "view/object_text_edit.h"
#include "view/selection_access.h"
#include "view/snap_grid.h"
#include "view/view_mouse.h"
#include "object_text_document.h"

namespace {

POINT DevicePoint(HWND view, POINT drawing)
{
    ViewDrawingDC viewDC(view);
    LPtoDP(viewDC.dc(), &drawing, 1);
    return drawing;
}

// The test view draws one unit to a pixel; the grid lines lie well within
// a quarter inch of each other.
const int kUnitsPerPixel = 1;
const int kGridReach = 150;

bool OnGrid(const DrawingRecord* drawing, int y)
{
    POINT snapped = {0, y};
    SnapPointToGrid(drawing, &snapped);
    return snapped.y == y;
}

TEST(TextSnapping, AMovedFreeTextSnapsByItsFirstLine)
{
    struct Case {
        const char* name;
        POINT by;  // pixels
    } cases[] = {
        {"right and down", {370, 230}},
        {"left and up", {-290, -410}},
    };
    for (const Case& c : cases) {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok());
        ASSERT_EQ(0, BeginNewText(doc.view(), 2000, 3000));
        TypeInto(doc.Editor(), "Label");
        ASSERT_EQ(0, EndTextEdit(doc.view(), 0));
        ASSERT_EQ(1, doc.Count());
        doc.Drawing()->flags |= kDrawingSnap;
        const RECT frame = doc.Object(0)->frame;
        const POINT from = DevicePoint(doc.view(), {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
        const POINT to = {from.x + c.by.x, from.y + c.by.y};
        ViewButtonDown(doc.view(), MK_LBUTTON, from, FALSE);
        ViewMouseMove(doc.view(), MK_LBUTTON, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        ViewMouseMove(doc.view(), MK_LBUTTON, to);
        ViewButtonUp(doc.view(), 0, to);
        const DrawingObject* moved = doc.Object(0);
        ASSERT_NE(frame.top, moved->frame.top) << c.name << ": the text did not move";
        const int offset = GetTextLineOffset(doc.Drawing(), doc.Objects(), 0);
        EXPECT_TRUE(OnGrid(doc.Drawing(), moved->frame.top + offset))
            << c.name << ": first line at " << moved->frame.top + offset;
        EXPECT_NEAR(frame.top + c.by.y * kUnitsPerPixel, moved->frame.top, kGridReach) << c.name;
    }
}

} // namespace
