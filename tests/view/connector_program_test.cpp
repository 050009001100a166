// Connectors drawn in the real program: two rectangles joined with the
// connector tool, one moved, the saved connector still joining their sides
// with a right-angle route.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "lines/connector_route.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "resources/menu_ids.h"
#include "support/program_driver.h"
#include "support/view_mouse.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "view/tool_palette.h"

namespace {

const int kSave = 104;

struct SavedConnector {
    std::vector<DrawingObject> objects;
    SegLineRoute route = {};
    bool found = false;
};

class ConnectorProgram : public testing::Test {
protected:
    void SetUp() override
    {
        options_ = WriteQuietOptionsFile();
        ASSERT_FALSE(options_.empty());
        file_ = ScratchPath("connector-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            // Lines may hook onto shapes, as the default options make drawings.
            ASSERT_EQ(0, empty.Write(file_, false, nullptr, kDrawingLinesLink | kDrawingShapesLink));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options_));
        for (int i = 0; i < 100 && program_.FindProgramWindow("#32770", "About Tessary Plus"); ++i)
            Sleep(50);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_);
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document) << "the drawing did not open";
        view_ = FindWindowExA(document, nullptr, "MDScrollClass", nullptr);
        ASSERT_NE(nullptr, view_);
    }
    void TearDown() override { program_.Close(); }

    void ClickTool(int id) { ASSERT_TRUE(ClickPaletteTool(program_, palette_, id)) << id; }
    void Mouse(UINT message, POINT p, WPARAM keys) { ViewMouse(program_, view_).Send(message, p, keys); }
    void Drag(POINT from, POINT to, WPARAM keys = 0) { ViewMouse(program_, view_).Drag(from, to, keys); }
    SavedConnector Saved()
    {
        program_.PostCommand(kSave);
        program_.Settle();
        SavedConnector saved;
        ScratchDrawing reader;
        EXPECT_EQ(0, reader.Inspect(file_, [&](DrawingRecord* drawing) {
            LockedTable table(drawing, kTableObjects);
            for (int i = 0; i < table.Count(); ++i) {
                const DrawingObject* object = ObjectAt(table.Get(), i);
                saved.objects.push_back(*object);
                RouteRecord route;
                if (object->kind == kKindConnector && route.Find(drawing, object) == kErrNone) {
                    saved.route = *route.Get();
                    saved.found = true;
                }
            }
        }));
        return saved;
    }
    // The route's two ends in drawing units.
    static void Ends(const SavedConnector& saved, const DrawingObject& connector, POINT* start, POINT* end)
    {
        const RouteSegment& first = saved.route.segments[0];
        const RouteSegment& last = saved.route.segments[saved.route.count - 1];
        *start = {connector.inner.left + first.x0, connector.inner.top + first.y0};
        *end = {connector.inner.left + last.x1, connector.inner.top + last.y1};
    }
    static bool OnOutline(const RECT& r, POINT p)
    {
        const int slack = 30;
        bool insideX = p.x >= r.left - slack && p.x <= r.right + slack;
        bool insideY = p.y >= r.top - slack && p.y <= r.bottom + slack;
        bool onVertical = insideY && (std::abs(p.x - r.left) <= slack || std::abs(p.x - r.right) <= slack);
        bool onHorizontal = insideX && (std::abs(p.y - r.top) <= slack || std::abs(p.y - r.bottom) <= slack);
        return onVertical || onHorizontal;
    }
    void ExpectJoined(const SavedConnector& saved, const char* when)
    {
        ASSERT_EQ(3u, saved.objects.size()) << when;
        ASSERT_TRUE(saved.found) << when << ": no connector route";
        const DrawingObject* connector = nullptr;
        std::vector<RECT> shapes;
        for (const DrawingObject& object : saved.objects) {
            if (object.kind == kKindConnector)
                connector = &object;
            else
                shapes.push_back(object.frame);
        }
        ASSERT_NE(nullptr, connector) << when;
        ASSERT_EQ(2u, shapes.size()) << when;
        EXPECT_EQ(2, connector->linkCount) << when << ": both ends hooked";
        ASSERT_GE(saved.route.count, 1) << when;
        ASSERT_LE(saved.route.count, 5) << when;
        for (int i = 0; i < saved.route.count; ++i) {
            const RouteSegment& s = saved.route.segments[i];
            EXPECT_TRUE(s.x0 == s.x1 || s.y0 == s.y1) << when << ": segment " << i << " is sloped";
            if (i > 0) {
                const RouteSegment& p = saved.route.segments[i - 1];
                EXPECT_TRUE(p.x1 == s.x0 && p.y1 == s.y0) << when << ": segments " << i - 1 << " and " << i
                                                          << " do not meet";
            }
        }
        POINT start;
        POINT end;
        Ends(saved, *connector, &start, &end);
        bool direct = OnOutline(shapes[0], start) && OnOutline(shapes[1], end);
        bool reversed = OnOutline(shapes[1], start) && OnOutline(shapes[0], end);
        EXPECT_TRUE(direct || reversed) << when << ": the route's ends are not on the two shapes' sides";
    }

    ProgramDriver program_;
    std::string options_;
    std::string file_;
    HWND palette_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(ConnectorProgram, ConnectorKeepsJoiningTwoShapesWhenOneMoves)
{
    ClickTool(kToolFirstShape);
    Drag({60, 80}, {160, 140});
    ClickTool(kToolFirstShape);
    Drag({360, 260}, {460, 320});
    // From the first rectangle's right side to the second's left side.
    ClickTool(kToolSegmentedLine);
    Drag({160, 110}, {360, 290});
    SavedConnector drawn = Saved();
    ExpectJoined(drawn, "drawn");
    program_.Screenshot("connector_drawn");

    // The second rectangle dragged down and to the left by its middle.
    ClickTool(kToolSelect);
    Drag({410, 290}, {330, 420});
    SavedConnector moved = Saved();
    ExpectJoined(moved, "after the move");
    ASSERT_EQ(3u, moved.objects.size());
    int movedShapes = 0;
    for (size_t i = 0; i < moved.objects.size(); ++i)
        if (moved.objects[i].kind != kKindConnector && !EqualRect(&moved.objects[i].frame, &drawn.objects[i].frame))
            ++movedShapes;
    EXPECT_EQ(1, movedShapes) << "one rectangle moved";
    program_.Screenshot("connector_after_move");
}

} // namespace

namespace {

TEST_F(ConnectorProgram, ArrayToolDrawsAnArray)
{
    ClickTool(kToolAutoConnector);   // the fourth line tool: arrays
    Drag({100, 200}, {400, 260});
    SavedConnector saved = Saved();
    ASSERT_EQ(1u, saved.objects.size());
    EXPECT_EQ(kKindArray, saved.objects[0].kind);
    EXPECT_GT(saved.objects[0].frame.right - saved.objects[0].frame.left, 1500) << "the array's dragged width";
    program_.Screenshot("array_drawn");
}

} // namespace

namespace {

TEST_F(ConnectorProgram, ShapesDroppedOnAnArrayMoveWithIt)
{
    ClickTool(kToolAutoConnector);
    Drag({100, 200}, {400, 260});
    for (int i = 0; i < 3; ++i) {
        ClickTool(kToolFirstShape);
        Drag({100 + 110 * i, 450}, {160 + 110 * i, 490});
    }
    // Each box carried by its middle onto the trunk.
    ClickTool(kToolSelect);
    for (int i = 0; i < 3; ++i)
        Drag({130 + 110 * i, 470}, {150 + 100 * i, 230});
    SavedConnector hung = Saved();
    program_.Screenshot("array_with_shapes");
    ASSERT_EQ(4u, hung.objects.size());
    int hanging = 0;
    for (const DrawingObject& object : hung.objects)
        if (object.kind == kKindShape && object.linkCount == 1)
            ++hanging;
    EXPECT_EQ(3, hanging) << "shapes dropped on the trunk do not hang on the array";

    // The array dragged down by its trunk: the shapes come along.
    Drag({120, 200}, {120, 300});
    SavedConnector moved = Saved();
    program_.Screenshot("array_moved_with_shapes");
    ASSERT_EQ(4u, moved.objects.size());
    for (size_t i = 0; i < moved.objects.size(); ++i) {
        EXPECT_EQ(hung.objects[i].frame.top + 600, moved.objects[i].frame.top) << "object " << i;
        EXPECT_EQ(hung.objects[i].frame.left, moved.objects[i].frame.left) << "object " << i;
    }
}

} // namespace

namespace {

class ConnectorProgramDraggingAnEnd : public ConnectorProgram, public testing::WithParamInterface<POINT> {};

// Pressed on the shape at the connector's start, then on the one at its end.
INSTANTIATE_TEST_SUITE_P(EachEnd, ConnectorProgramDraggingAnEnd, testing::Values(POINT{110, 110}, POINT{410, 290}));

TEST_P(ConnectorProgramDraggingAnEnd, DraggingOneOfAllSelectedMovesTheShapesAndTheirConnectorAlike)
{
    ClickTool(kToolFirstShape);
    Drag({60, 80}, {160, 140});
    ClickTool(kToolFirstShape);
    Drag({360, 260}, {460, 320});
    ClickTool(kToolSegmentedLine);
    Drag({160, 110}, {360, 290});
    const SavedConnector drawn = Saved();
    ASSERT_EQ(3u, drawn.objects.size());

    ClickTool(kToolSelect);
    program_.PostCommand(IDM_EDIT_SELECT_ALL);
    program_.Settle();
    const POINT press = GetParam();
    Drag(press, {press.x + 60, press.y + 90});
    const SavedConnector moved = Saved();
    program_.Screenshot("connector_all_moved");
    ASSERT_EQ(3u, moved.objects.size());
    const LONG dx = moved.objects[0].frame.left - drawn.objects[0].frame.left;
    const LONG dy = moved.objects[0].frame.top - drawn.objects[0].frame.top;
    EXPECT_GT(dx, 0);
    EXPECT_GT(dy, 0);
    for (size_t i = 0; i < moved.objects.size(); ++i) {
        EXPECT_EQ(dx, moved.objects[i].frame.left - drawn.objects[i].frame.left) << "object " << i;
        EXPECT_EQ(dy, moved.objects[i].frame.top - drawn.objects[i].frame.top) << "object " << i;
    }
    ExpectJoined(moved, "after moving everything");
}

} // namespace
