// A turned rectangle resized with the real mouse by its top handle, pulled
// past the drawing's top edge: the shape stops where its turned corner meets
// the edge and its opposite side stays where it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/rect_handle_point.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "objects/point_transforms.h"
#include "objects/shape_rotation.h"
#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

const COLORREF kShapeFill = RGB(255, 255, 0);   // the scratch drawing's fill colour
const RECT kFrame = {1800, 600, 3600, 1500};
const int kTurn = 300;                          // 30 degrees
const int kTopSide = 5;
const int kBottomSide = 6;
const int kPastTheEdge = 8;                     // pixels above the view, short of hiding the feedback
const int kRounding = 12;                       // units the turned resize may round by
const int kTouching = 40;                       // units: the corner reaches the edge, not short of it

POINT TurnedSide(const RECT& frame, int rotation, int side)
{
    POINT p;
    GetRectHandlePoint(&frame, side, &p);
    RotatePoints(&frame, rotation, &p, 1);
    return p;
}

LONG TopmostTurnedCorner(const RECT& f, int rotation)
{
    POINT corners[] = {{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}};
    RotatePoints(&f, rotation, corners, 4);
    LONG top = corners[0].y;
    for (const POINT& c : corners)
        top = std::min(top, c.y);
    return top;
}

void AddTurnedRectangle(HWND view)
{
    RECT frame = kFrame;
    ASSERT_EQ(kErrNone, CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0));
    HGLOBAL record = GetViewRecordHandle(view);
    void* locked = GlobalLock(record);
    HGLOBAL drawingHandle = GetViewDrawingHandle(locked);
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    ASSERT_NE(nullptr, drawing);
    {
        LockedTable objects(drawing, kTableObjects);
        SetShapeRotation(drawing, objects.Get(), 0, kTurn);
    }
    GlobalUnlock(drawingHandle);
    GlobalUnlock(record);
}

class TurnedResizeProgram : public DesktopProgram {
protected:
    void SetUp() override
    {
        file_ = ScratchPath("turned_resize.tyr");
        {
            ScratchDrawing drawing;
            ASSERT_EQ(0, drawing.Write(file_, false, AddTurnedRectangle));
        }
        StartWith(file_);
    }
    DrawingObject Saved()
    {
        Command(desktop_ids::kSave);
        ScratchDrawing reader;
        const std::vector<DrawingObject> objects = reader.ReadObjects(file_);
        EXPECT_EQ(1u, objects.size());
        return objects.empty() ? DrawingObject{} : objects.front();
    }
    std::string file_;
};

TEST_F(TurnedResizeProgram, TopHandlePulledPastTheEdgeStopsAtTheTurnedCornerAndTheBottomStays)
{
    const DrawingObject before = Saved();
    ASSERT_EQ(kTurn, before.rotation);
    ASSERT_GT(TopmostTurnedCorner(before.frame, kTurn), kTouching) << "starts clear of the edge";

    // The screen mapping from the fill: its box is the turned bounds.
    const RECT client = ClientScreenRect(view_);
    const RECT fill = ScreenImage::Grab().ColorBox(client, kShapeFill);
    ASSERT_FALSE(IsRectEmpty(&fill)) << "the shape shows";
    const RECT& b = before.bounds;
    const double pixelsPerUnit = static_cast<double>(fill.right - fill.left) / (b.right - b.left);
    auto onScreen = [&](POINT p) {
        return POINT{fill.left + static_cast<LONG>((p.x - b.left) * pixelsPerUnit),
                     fill.top + static_cast<LONG>((p.y - b.top) * pixelsPerUnit)};
    };

    const POINT centre = onScreen(TurnedSide(before.frame, kTurn, kTopSide));
    RealClick(onScreen({(b.left + b.right) / 2, (b.top + b.bottom) / 2}));
    ASSERT_TRUE(program_.Settle());
    Screenshot("turned_resize_selected");
    RealDrag(centre, {centre.x, client.top - kPastTheEdge});
    ASSERT_TRUE(program_.Settle());
    Screenshot("turned_resize_pulled_past_the_edge");

    const DrawingObject after = Saved();
    EXPECT_EQ(kTurn, after.rotation);
    EXPECT_GT(after.frame.bottom - after.frame.top, before.frame.bottom - before.frame.top) << "it grew";
    const LONG top = TopmostTurnedCorner(after.frame, kTurn);
    EXPECT_GE(top, -kRounding / 6) << "no turned corner left the drawing";
    EXPECT_LE(top, kTouching) << "it grew until the corner met the edge";
    const POINT fixed = TurnedSide(before.frame, kTurn, kBottomSide);
    const POINT stayed = TurnedSide(after.frame, kTurn, kBottomSide);
    EXPECT_NEAR(fixed.x, stayed.x, kRounding) << "the opposite side stays put";
    EXPECT_NEAR(fixed.y, stayed.y, kRounding) << "the opposite side stays put";
}

} // namespace
