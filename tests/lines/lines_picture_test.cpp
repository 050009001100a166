// Paints a drawing with every line type, every arrowhead kind in each size,
// dashed styles and connectors of each route shape, and writes the picture
// as a PNG into the test output folder to be looked at.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "lines/connector_create.h"
#include "lines/connector_route.h"
#include "objects/drawing_fixture.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/paint_drawing.h"
#include "objects/view_record.h"
#include "support/paint_canvas.h"

namespace {

const int kScale = 10;   // drawing units per pixel
const int kWidth = 2400;
const int kHeight = 1800;

class LinesPicture : public DrawingFixture {
protected:
    int Line(RECT frame, int direction)
    {
        EXPECT_EQ(0, CreateObject(view_, kKindLine, &frame, direction, 1, 0, 0, 1, 0, 0));
        return Count() - 1;
    }
    void Send(int index, int message, INT_PTR a, INT_PTR c)
    {
        CallObjectKind(nullptr, Drawing(), Objects(), index, message, a, 0, c);
    }
    void Arrows(int index, int start, int end, int size)
    {
        int32_t value[3] = {start, size, end};
        Send(index, kMsgArrowheads, 0, reinterpret_cast<INT_PTR>(value));
    }
    void LineType(int index, int code)
    {
        int32_t value[2] = {0, code};
        Send(index, kMsgLineType, 0, reinterpret_cast<INT_PTR>(value));
    }
    int Box(int x, int y)
    {
        EXPECT_EQ(0, Create({x, y, x + 500, y + 300}, 2, 0, 1));
        return Count() - 1;
    }
    int Connect(int a, POINT aBox, int b, POINT bBox, int corners)
    {
        int index = -1;
        EXPECT_EQ(0, CreateConnector(view_, {a, aBox, {0, 0}}, {b, bBox, {0, 0}}, corners, 1, &index));
        return index;
    }
};

TEST_F(LinesPicture, EveryLineTypeArrowheadAndRoute)
{
    // Line types: plain, comm, digital and arc, each horizontal, vertical
    // and sloped both ways, width 12.
    for (int type = 1; type <= 4; ++type) {
        int x = 600 + (type - 1) * 2400;
        int h = Line({x, 900, x + 1800, 900}, 0);
        int v = Line({x + 300, 1200, x + 300, 3000}, 2);
        int down = Line({x + 600, 1300, x + 1800, 2200}, 1);
        int up = Line({x + 600, 2400, x + 1800, 3300}, 1);
        Object(up)->stateFlags |= kStateOtherDiagonal;
        for (int index : {h, v, down, up}) {
            LineType(index, type);
            Send(index, kMsgRecompute, 0, 0);
        }
        Arrows(down, 1, 1, 1);
        Arrows(up, 5, 2, 1);
    }
    // Every arrowhead kind at both ends, in the three sizes.
    for (int kind = 1; kind <= 23; ++kind) {
        for (int size = 0; size < 3; ++size) {
            int x = 600 + size * 1700;
            int y = 4000 + (kind - 1) * 450;
            int index = Line({x, y, x + 1300, y}, 0);
            int32_t width[2] = {0, 6};
            Send(index, kMsgSetLineWidth, 0, reinterpret_cast<INT_PTR>(width));
            Arrows(index, kind, kind, size);
        }
    }
    // Dashed styles, a displaced arrowhead and middle markers on a slope.
    for (int style = 2; style <= 5; ++style) {
        int y = 4000 + (style - 2) * 500;
        int index = Line({6000, y, 8400, y}, 0);
        int32_t value[2] = {0, style};
        Send(index, kMsgSetLineStyle, 0, reinterpret_cast<INT_PTR>(value));
        Arrows(index, 0x101, 3, 1);
    }
    int middle = Line({6000, 6200, 8400, 7400}, 1);
    Arrows(middle, 18, 17, 2);
    int arcMiddle = Line({6000, 7800, 8400, 7800}, 0);
    LineType(arcMiddle, 4);
    Arrows(arcMiddle, 17, 17, 1);

    // Connectors: straight, Z, U, L, four and five segments, square corners
    // on the left and arc corners on the right.
    for (int corners = 0; corners < 2; ++corners) {
        int ox = 10000 + corners * 7000;
        int a = Box(ox, 1000);
        int b = Box(ox + 1500, 1000);
        Connect(a, {600, 300}, b, {0, 300}, corners);                  // straight
        a = Box(ox, 2300);
        b = Box(ox + 1600, 2900);
        Connect(a, {600, 300}, b, {0, 300}, corners);                  // Z
        a = Box(ox, 4400);
        b = Box(ox + 1400, 4900);
        Connect(a, {300, 0}, b, {300, 0}, corners);                    // U
        a = Box(ox, 6300);
        b = Box(ox + 1600, 7000);
        Connect(a, {600, 300}, b, {300, 0}, corners);                  // L
        a = Box(ox + 1800, 8600);
        b = Box(ox + 800, 9600);
        Connect(a, {300, 600}, b, {600, 300}, corners);                // bottom to right: an L
        a = Box(ox + 2200, 11000);
        b = Box(ox, 11900);
        int five = Connect(a, {600, 300}, b, {0, 300}, corners);       // five
        Arrows(five, 1, 3, 1);
    }

    PaintCanvas canvas(kWidth, kHeight);
    canvas.ScaleDown(kScale);
    PaintDrawingObjects(canvas.Dc(), GetViewDrawingHandle(ViewRecord()), nullptr, 0, 0, 0, 0);
    EXPECT_NE("", canvas.WritePng("lines_every_kind.png"));
    EXPECT_GT(canvas.Inked(), 20000u);
}
} // namespace
