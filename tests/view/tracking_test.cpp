#include <gtest/gtest.h>

#include <algorithm>

#include "common/rect_handle_point.h"
#include "objects/point_transforms.h"

#include "objects/view_record.h"
#include "edit_fixture.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_handles.h"
#include "objects/document_undo.h"
#include "view/selection_changes.h"
#include "view/tool_palette.h"
#include "view/tracking_entry.h"
#include "view/tracking_state.h"
#include "view/tracking_steps.h"

namespace {

const int kRectangleTool = 114;
// Whole units lost to rounding when a turned frame is resized.
const int kTouchTolerance = 12;
const int kDrawingEdgeFar = 1000000;

class TrackingTest : public EditFixture {
protected:
    RECT Frame(int index) { return Object(index)->frame; }
    POINT HandlePixel(int index, int code)
    {
        RECT rects[8];
        int codes[8];
        int count = GetShapeHandleRects(Drawing(), Object(index), rects, codes);
        for (int i = 0; i < count; ++i)
            if (codes[i] == code)
                return Pixel((rects[i].left + rects[i].right) / 2, (rects[i].top + rects[i].bottom) / 2);
        ADD_FAILURE() << "no handle " << code;
        return POINT{0, 0};
    }
};

TEST_F(TrackingTest, DrawingWithTheRectangleToolTable)
{
    struct Case {
        const char* name;
        POINT from, to;
        WPARAM keys;
        int objects;
        RECT frame;
    } cases[] = {
        {"a drag makes the dragged rectangle", {100, 100}, {300, 200}, 0, 1, {600, 600, 1800, 1200}},
        {"dragged up and left from the corner", {300, 200}, {100, 100}, 0, 1, {600, 600, 1800, 1200}},
        {"Ctrl squares to the larger extent", {100, 100}, {300, 150}, MK_CONTROL, 1, {600, 600, 1800, 1800}},
        {"3 x 3 pixels make nothing", {100, 100}, {103, 103}, 0, 0, {0, 0, 0, 0}},
        {"a click makes nothing", {100, 100}, {100, 100}, 0, 0, {0, 0, 0, 0}},
        {"the drawing's edge clamps the drag", {10, 10}, {-20, -30}, 0, 1, {0, 0, 60, 60}},
        {"pulled far beyond the edge the feedback hides and nothing is made", {10, 10}, {-50, -80}, 0, 0, {}},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        CurrentPaletteTool = kRectangleTool;
        DragFromTo(c.from, c.to, c.keys);
        ASSERT_EQ(c.objects, Count()) << c.name;
        if (c.objects) {
            RECT f = Frame(0);
            EXPECT_EQ(c.frame.left, f.left) << c.name;
            EXPECT_EQ(c.frame.top, f.top) << c.name;
            EXPECT_EQ(c.frame.right, f.right) << c.name;
            EXPECT_EQ(c.frame.bottom, f.bottom) << c.name;
            EXPECT_EQ(2540, UndoTextId()) << c.name;
        }
        EXPECT_EQ(kTrackingNone, TrackingMode) << c.name;
        EXPECT_EQ(kToolSelect, CurrentPaletteTool) << c.name << ": the tool returns to the pointer";
    }
}

TEST_F(TrackingTest, StickyToolStaysAfterDrawing)
{
    SelectPaletteTool(kRectangleTool);
    SetPaletteSticky(TRUE);
    DragFromTo({100, 100}, {200, 200});
    DragFromTo({300, 100}, {400, 200});
    EXPECT_EQ(2, Count());
    EXPECT_EQ(kRectangleTool, CurrentPaletteTool);
}

TEST_F(TrackingTest, SnappingPutsTheCornersOnTheGrid)
{
    Drawing()->flags |= kDrawingSnap;
    CurrentPaletteTool = kRectangleTool;
    DragFromTo({101, 99}, {299, 203});   // 606,594 .. 1794,1218
    ASSERT_EQ(1, Count());
    RECT f = Frame(0);
    EXPECT_EQ(600, f.left);
    EXPECT_EQ(600, f.top);
    EXPECT_EQ(1800, f.right);
    EXPECT_EQ(1200, f.bottom);
}

TEST_F(TrackingTest, MoveUndoAndRedo)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    DragFromTo({300, 250}, {400, 300});
    RECT moved = Frame(0);
    EXPECT_EQ(1800, moved.left);
    EXPECT_EQ(1500, moved.top);
    EXPECT_EQ(2530, UndoTextId()) << "Un&do Move";
    EXPECT_TRUE(Object(0)->stateFlags & kStateSelected);
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(1200, Frame(0).left);
    EXPECT_EQ(2531, UndoTextId());
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(1800, Frame(0).left);
}

TEST_F(TrackingTest, ShiftLocksTheMoveToTheLargerAxis)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    DragFromTo({300, 250}, {400, 270}, MK_SHIFT);
    EXPECT_EQ(1800, Frame(0).left);
    EXPECT_EQ(1200, Frame(0).top);
}

TEST_F(TrackingTest, ClickWithoutMovingSelectsAndForgetsTheStep)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    DragFromTo({300, 250}, {300, 250});
    EXPECT_EQ(1200, Frame(0).left);
    EXPECT_TRUE(Object(0)->stateFlags & kStateSelected);
    EXPECT_EQ(0, UndoKind());
}

TEST_F(TrackingTest, MoveStopsAtTheLeftEdge)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    DragFromTo({300, 250}, {60, 250});
    EXPECT_EQ(0, Frame(0).left);
    EXPECT_EQ(1200, Frame(0).right - Frame(0).left);
}

TEST_F(TrackingTest, ResizeByTheBottomRightHandle)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    POINT handle = HandlePixel(0, 4);
    DragFromTo(handle, {handle.x + 100, handle.y + 50});
    RECT f = Frame(0);
    EXPECT_EQ(1200, f.left);
    EXPECT_EQ(1200, f.top);
    EXPECT_NEAR(3000, f.right, 12);
    EXPECT_NEAR(2100, f.bottom, 12);
    EXPECT_EQ(2538, UndoTextId()) << "Un&do Re-Size";
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(2400, Frame(0).right);
}

TEST_F(TrackingTest, EdgeHandleChangesOneDimension)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    POINT handle = HandlePixel(0, 8);   // right edge
    DragFromTo(handle, {handle.x + 100, handle.y + 80});
    RECT f = Frame(0);
    EXPECT_EQ(1200, f.top);
    EXPECT_EQ(1800, f.bottom);
    EXPECT_GT(f.right, 2400);
}

// The turned corners of an object's frame.
void TurnedCorners(const DrawingObject* object, POINT corners[4])
{
    const RECT& f = object->frame;
    corners[0] = {f.left, f.top};
    corners[1] = {f.right, f.top};
    corners[2] = {f.right, f.bottom};
    corners[3] = {f.left, f.bottom};
    RotatePoints(&f, object->rotation, corners, 4);
}

POINT TurnedSidePoint(const DrawingObject* object, int side)
{
    POINT p;
    GetRectHandlePoint(&object->frame, side, &p);
    RotatePoints(&object->frame, object->rotation, &p, 1);
    return p;
}

TEST_F(TrackingTest, TurnedShapeResizedAgainstTheEdgeStopsWhereItsCornerTouches)
{
    struct Case {
        const char* name;
        RECT frame;
        int rotation;
        int handle;
        POINT pull;   // pixels, short of the overshoot that hides the feedback
    } cases[] = {
        {"top edge pulled above the drawing", {1200, 300, 2400, 900}, 300, 5, {0, -90} },
        {"top edge, turned the other way", {1200, 300, 2400, 900}, -300, 5, {0, -90} },
        {"left edge pulled past the drawing", {700, 1200, 1300, 2400}, 450, 7, {-150, 0} },
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        ASSERT_EQ(0, Create(c.frame)) << c.name;
        Object(0)->rotation = c.rotation;
        SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
        const POINT fixed = TurnedSidePoint(Object(0), GetOppositeSide(c.handle));
        POINT handle = HandlePixel(0, c.handle);
        DragFromTo(handle, {handle.x + c.pull.x, handle.y + c.pull.y}, 0, 8);
        ASSERT_EQ(c.rotation, Object(0)->rotation) << c.name;
        POINT corners[4];
        TurnedCorners(Object(0), corners);
        LONG nearest = kDrawingEdgeFar;
        for (const POINT& p : corners) {
            EXPECT_GE(p.x, 0) << c.name;
            EXPECT_GE(p.y, 0) << c.name;
            nearest = std::min(nearest, std::min(p.x, p.y));
        }
        EXPECT_LE(nearest, kTouchTolerance) << c.name << ": stops where the corner touches, not before";
        const POINT after = TurnedSidePoint(Object(0), GetOppositeSide(c.handle));
        EXPECT_NEAR(fixed.x, after.x, kTouchTolerance) << c.name << ": the opposite side stays put";
        EXPECT_NEAR(fixed.y, after.y, kTouchTolerance) << c.name << ": the opposite side stays put";
    }
}

// Each corner handle of a turned shape, pulled outward along the shape's own
// diagonal: the shape grows, keeps its turn, and the opposite corner stays.
TEST_F(TrackingTest, TurnedShapeGrowsByEachCornerHandle)
{
    struct Case {
        const char* name;
        int handle;
        int opposite;  // the turned corner that must stay, 0..3 from the top left clockwise
    } cases[] = {
        {"top left", 1, 2},
        {"top right", 2, 3},
        {"bottom right", 4, 0},
        {"bottom left", 3, 1},
    };
    const int rotation = 200;
    const RECT start = {2400, 2400, 3600, 3000};
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        ASSERT_EQ(0, Create(start)) << c.name;
        // Turned through the kind, so its bounds take in the turned corners
        // and their handles (a press off the bounds hits nothing).
        CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgSetRotation, rotation);
        SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
        POINT before[4];
        TurnedCorners(Object(0), before);
        const POINT centre = Pixel((start.left + start.right) / 2, (start.top + start.bottom) / 2);
        const POINT handle = HandlePixel(0, c.handle);
        const POINT outward = {handle.x + (handle.x - centre.x) / 4, handle.y + (handle.y - centre.y) / 4};
        DragFromTo(handle, outward, 0, 8);
        const RECT f = Frame(0);
        EXPECT_EQ(rotation, Object(0)->rotation) << c.name;
        EXPECT_GT(f.right - f.left, start.right - start.left) << c.name << ": no wider";
        EXPECT_GT(f.bottom - f.top, start.bottom - start.top) << c.name << ": no taller";
        POINT after[4];
        TurnedCorners(Object(0), after);
        EXPECT_NEAR(before[c.opposite].x, after[c.opposite].x, kTouchTolerance) << c.name;
        EXPECT_NEAR(before[c.opposite].y, after[c.opposite].y, kTouchTolerance) << c.name;
    }
}

TEST_F(TrackingTest, RubberBandSelectsAndCtrlReleaseSelectsNothing)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 1800, 1800}));
    ASSERT_EQ(0, Create(RECT{2400, 1200, 3000, 1800}));
    DragFromTo({150, 150}, {350, 350}, MK_CONTROL);
    EXPECT_EQ(0, Drawing()->selectedCount);
    DragFromTo({150, 150}, {350, 350});
    EXPECT_EQ(1, Drawing()->selectedCount);
    EXPECT_TRUE(Object(0)->stateFlags & kStateSelected);
    DragFromTo({150, 150}, {550, 350});
    EXPECT_EQ(2, Drawing()->selectedCount);
}

TEST_F(TrackingTest, RotateByTheRotationHandle)
{
    ASSERT_EQ(0, Create(RECT{3000, 3000, 4200, 3600}));
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    POINT handle = {0, 0};
    RECT box = {};
    CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgRotateHandle, 140, reinterpret_cast<INT_PTR>(&handle),
                   reinterpret_cast<INT_PTR>(&box));
    if (handle.x == 0 && handle.y == 0)
        GTEST_SKIP() << "the shape shows no rotation handle";
    POINT from = Pixel(handle.x, handle.y);
    DragFromTo(from, {from.x, from.y + 100});
    EXPECT_NE(0, Object(0)->rotation);
    EXPECT_EQ(2558, UndoTextId()) << "Un&do Rotate";
    ASSERT_EQ(0, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(0, Object(0)->rotation);
}

TEST_F(TrackingTest, SlightTurnNearTheTopEdgeLeftTheShapeUpsideDown)
{
    ASSERT_EQ(0, Create(RECT{3000, 100, 4200, 700}));
    SelectDrawingObject(DrawingHandle(), 0, FALSE, FALSE, TRUE);
    POINT handle = {0, 0};
    RECT box = {};
    CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgRotateHandle, 140, reinterpret_cast<INT_PTR>(&handle),
                   reinterpret_cast<INT_PTR>(&box));
    ASSERT_FALSE(handle.x == 0 && handle.y == 0) << "the shape shows no rotation handle";
    // The right-hand handle pulled down 30 pixels: a negative turn of about 17
    // degrees, past the 10 the top edge allows.
    POINT from = Pixel(handle.x, handle.y);
    DragFromTo(from, {from.x, from.y + 30});
    const int rotation = Object(0)->rotation;
    EXPECT_LT(rotation, 0) << "turned the way it was dragged";
    EXPECT_GE(rotation, -150) << "stopped near the unturned frame, not half a turn away";
}

// Each frame's touching angle t1 and end of the forbidden range t2 are worked
// out by hand from its centre distance d to the edge, its half extent e towards
// it and its half diagonal r: t1 = trunc((asin(d/r) - asin(e/r)) * 1800 / pi),
// t2 = trunc(2 * (900 - asin(d/r) * 1800 / pi)) + t1, 1800 past 900.
TEST(LimitRotation, NegativeTurnStopsAtTheNearBoundNotTheFar)
{
    const RECT nearTop = {9000, 100, 10200, 700};          // d 400, e 300, r 670.8: t1 100, t2 1800
    const RECT nearBottom = {9000, 18850, 10000, 19850};   // d 650, e 500, r 707.1: t1 218, t2 681
    const RECT nearLeft = {200, 9000, 800, 10200};         // d 500, e 300, r 670.8: t1 216, t2 1800
    const RECT nearRight = {19300, 9000, 19900, 9800};     // d 400, e 300, r 500: t1 162, t2 899
    const RECT middle = {9000, 9000, 10200, 9600};
    struct Case {
        const char* name;
        RECT frame;
        int angle;
        int limited;
    };
    const Case cases[] = {
        {"top, slight positive turn", nearTop, 150, 100},
        {"top, slight negative turn", nearTop, -150, -100},
        {"top, large negative turn", nearTop, -600, -100},
        {"top, past 90 through the mirror", nearTop, 1650, 1700},
        {"top, past -90 through the mirror", nearTop, -1650, -1700},
        {"bottom, before the range", nearBottom, 150, 150},
        {"bottom, near t1", nearBottom, 300, 218},
        {"bottom, near -t1", nearBottom, -300, -218},
        {"bottom, below the middle", nearBottom, 449, 218},
        {"bottom, above the middle", nearBottom, 450, 681},
        {"bottom, near -t2", nearBottom, -600, -681},
        {"bottom, just past the negative middle", nearBottom, -449, -218},
        {"left, near t1", nearLeft, 600, 216},
        {"left, near -t1", nearLeft, -600, -216},
        {"right, near t1", nearRight, 300, 162},
        {"right, near -t1", nearRight, -300, -162},
        {"right, near t2", nearRight, 600, 899},
        {"right, near -t2", nearRight, -600, -899},
        {"middle, no limit", middle, 450, 450},
        {"middle, no limit negative", middle, -450, -450},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.limited, LimitRotation(c.angle, c.frame, 20000, 20000)) << c.name;
}

TEST_F(TrackingTest, MeasuringLinesFollowTheMouseAndChangeNothing)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    const int kinds[] = {kTrackingMeasureVertical, kTrackingMeasureHorizontal, kTrackingMeasureBoth};
    for (int code : kinds) {
        StartTracking(view_, ViewRecord(), code, 0, 0, 100, 100, 0, nullptr);
        EXPECT_EQ(code, TrackingMode) << code;
        Drag(150, 120);
        EXPECT_EQ(900, Tracking.current.x) << code;
        EXPECT_EQ(720, Tracking.current.y) << code;
        Release(150, 120);
        EXPECT_EQ(kTrackingNone, TrackingMode) << code;
        EXPECT_EQ(1, Count()) << code;
        EXPECT_EQ(kUndoStepAddObject, UndoKind()) << code << ": the step before stays";
    }
}

TEST_F(TrackingTest, SnappingOnAndOffForAMove)
{
    ASSERT_EQ(0, Create(RECT{1200, 1200, 2400, 1800}));
    DragFromTo({300, 250}, {317, 261});   // by 102, 66 units
    EXPECT_EQ(1302, Frame(0).left) << "without snapping the move is exact";
    Drawing()->flags |= kDrawingSnap;
    DragFromTo({300, 250}, {317, 261});
    EXPECT_EQ(0, Frame(0).left % 6) << "snapped corners lie on whole hundredths";
    EXPECT_NE(1404, Frame(0).left);
}

TEST_F(TrackingTest, TextToolStartsNoTracking)
{
    CurrentPaletteTool = kToolText;
    Press(100, 100);
    EXPECT_EQ(kTrackingNone, TrackingMode);
    Release(100, 100);
    EXPECT_EQ(kToolText, CurrentPaletteTool) << "no release ends a text tool's use";
}

// A tracking had no cancel when another window took the mouse: it now ends
// cleanly, with nothing made at the next release.
TEST_F(TrackingTest, LostCaptureCancelsTheTracking)
{
    CurrentPaletteTool = kRectangleTool;
    Press(100, 100);
    Drag(200, 200);
    ASSERT_EQ(kTrackingNewObject, TrackingMode);
    CancelTracking(view_);
    EXPECT_EQ(kTrackingNone, TrackingMode);
    EXPECT_NE(view_, GetCapture());
    Release(200, 200);
    EXPECT_EQ(0, Count());
}

} // namespace
