// A picture of every array style with shapes hanging on it, painted into a
// memory DC and written as a PNG for people to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "array_fixture.h"
#include "objects/view_record.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/paint_drawing.h"
#include "support/paint_canvas.h"

namespace {

const int kScale = 10;
const int kColumns = 4;
const int kCellWidth = 4500;
const int kCellHeight = 3800;
const int kStyles[] = {1626, 1646, 1651, 1681, 1618, 1631, 1652, 1673, 1622, 1630,
                       1650, 1671, 1612, 1633, 1656, 1677, 1616, 1637, 1662, 1683};

class ArrayGallery : public ArrayDrawing {};

TEST_F(ArrayGallery, EveryStyleWithHangingShapes)
{
    int cell = 0;
    for (int style : kStyles) {
        int x = 600 + (cell % kColumns) * kCellWidth;
        int y = 1200 + (cell / kColumns) * kCellHeight;
        int array = MakeArray({x, y, x + 1500, y + 300});
        Style(array, style);
        int32_t ends[3] = {1, 1, 3};
        Send(array, kMsgArrowheads, 0, 0, reinterpret_cast<INT_PTR>(ends));
        for (int i = 0; i < 3; ++i) {
            int box = MakeBox(x + 600 * i, y + 1500, 500, 250);
            Object(box)->fillColor = RGB(200, 230, 255);
            Hang(box, array, i);
        }
        ++cell;
    }
    const int width = kColumns * kCellWidth / kScale;
    const int height = (cell / kColumns + 1) * kCellHeight / kScale;
    PaintCanvas canvas(width, height);
    canvas.ScaleDown(kScale);
    PaintDrawingObjects(canvas.Dc(), GetViewDrawingHandle(ViewRecord()), nullptr, 0, 0, 0, 0);
    EXPECT_NE("", canvas.WritePng("array_styles.png"));
    EXPECT_GT(canvas.Inked(), 10000u);
}

// Inked pixels of one array drawn alone (a = 1 while printing).
size_t InkOf(ArrayDrawing* fixture, DrawingRecord* drawing, void* objects, int array, int printing)
{
    (void)fixture;
    const int width = 400;
    const int height = 100;
    PaintCanvas canvas(width, height);
    canvas.ScaleDown(kScale);
    SetWindowOrgEx(canvas.Dc(), 800, 800, nullptr);
    CallObjectKind(canvas.Dc(), drawing, objects, array, kMsgDraw, printing, 0, 0);
    return canvas.Inked();
}

TEST_F(ArrayGallery, EmptyMarkerOnScreenNotInPrint)
{
    int array = MakeArray({1000, 1000, 3000, 1300});
    size_t screen = InkOf(this, Drawing(), Objects(), array, 0);
    size_t print = InkOf(this, Drawing(), Objects(), array, 1);
    EXPECT_GT(print, 100u);            // the line itself
    EXPECT_GT(screen, print + 10);     // and the boxed cross at its middle
}

} // namespace
