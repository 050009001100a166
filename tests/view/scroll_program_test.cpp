// Scrolling the drawing view of the real program with the real mouse: the
// scroll-bar arrows, page clicks in the troughs and the wheel move the drawing
// and its rulers by the same amount, what shows is what a full repaint shows,
// and clicks and new shapes land on the drawing where the user sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/program_driver.h"
#include "support/real_input.h"
#include "support/scratch_drawing.h"
#include "support/screen_image.h"
#include "support/test_paths.h"

namespace {

const int kRectangleTool = 114;
const int kSelectTool = 108;
const DWORD kSplashMs = 2500;          // the start-up splash stays for two seconds of the clock
const COLORREF kShapeFill = RGB(255, 255, 0);   // the scratch drawing's fill colour
const int kLine = 16;                  // one arrow step, in pixels
const int kDefaultWheelLines = 3;
const int kHandleReach = 4;            // a handle's square reaches this far around a corner
const int kHandleDarkLeast = 20;       // dark pixels of a handle's square; an outline corner has about 9
const int kEdgeGap = 8;                // keeps a big shape clear of the view's edges

class ScrollEnvironment : public testing::Environment {
public:
    void SetUp() override { StartDrawingModel(); }
};
testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ScrollEnvironment);

// The bounding box of the shape's fill inside a rectangle of the screen; empty when none shows.
RECT FillBox(const ScreenImage& image, const RECT& area)
{
    RECT box = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image.At(x, y) != kShapeFill)
                continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    if (box.left >= box.right)
        SetRectEmpty(&box);
    return box;
}

// Pixels of `area` in `after` that differ from `before` moved by (dx, dy).
int MovedDifferences(const ScreenImage& before, const ScreenImage& after, const RECT& area, int dx, int dy)
{
    int differences = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            differences += after.At(x, y) != before.At(x - dx, y - dy);
    return differences;
}

int Differences(const ScreenImage& a, const ScreenImage& b, const RECT& area)
{
    return MovedDifferences(a, b, area, 0, 0);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class ScrollProgram : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string options = WriteQuietOptionsFile();
        ASSERT_FALSE(options.empty());
        file_ = ScratchPath("scroll-drawing.tyr");
        DeleteFileA(file_.c_str());
        {
            ScratchDrawing empty;
            ASSERT_EQ(0, empty.Write(file_, false));
        }
        ASSERT_TRUE(program_.Start(file_ + " /o " + options));
        Sleep(kSplashMs);
        ASSERT_TRUE(program_.Settle());
        palette_ = FindWindowExA(program_.MainWindow(), nullptr, "#32770", nullptr);
        ASSERT_NE(nullptr, palette_) << "the tool palette";
        HWND client = FindWindowExA(program_.MainWindow(), nullptr, "MDICLIENT", nullptr);
        ASSERT_NE(nullptr, client);
        document_ = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        ASSERT_NE(nullptr, document_) << "the drawing " << file_ << " did not open";
        view_ = FindWindowExA(document_, nullptr, "MDScrollClass", nullptr);
        horizontalRuler_ = FindWindowExA(document_, nullptr, "MDHRulerClass", nullptr);
        verticalRuler_ = FindWindowExA(document_, nullptr, "MDVRulerClass", nullptr);
        ASSERT_NE(nullptr, view_) << "the drawing view";
        ASSERT_NE(nullptr, verticalRuler_) << "the vertical ruler";
        ASSERT_NE(nullptr, horizontalRuler_) << "the horizontal ruler";
        client_ = ClientScreenRect(view_);
    }
    // The drawn shapes are not kept: the question about saving is answered No.
    void TearDown() override
    {
        PostMessageA(program_.MainWindow(), WM_CLOSE, 0, 0);
        program_.Settle();
        if (HWND question = program_.FindProgramWindow("#32770", nullptr))
            PostMessageA(question, WM_COMMAND, IDNO, 0);
        program_.Close();
    }

    void ClickTool(int id)
    {
        HWND button = GetDlgItem(palette_, id);
        ASSERT_NE(nullptr, button) << id;
        RealClick(Centre(ClientScreenRect(button)));
        ASSERT_TRUE(program_.Settle());
    }

    // A filled rectangle drawn with the real mouse from one screen point to another.
    RECT DrawShape(POINT from, POINT to, const std::string& step)
    {
        ClickTool(kRectangleTool);
        RealDrag(from, to);
        program_.Settle();
        const ScreenImage drawn = ScreenImage::Grab();
        drawn.Save(step);
        return FillBox(drawn, client_);
    }

    // The standard bars are no child windows and another process cannot ask
    // for their parts: they lie along the client area, arrows at both ends.
    RECT VerticalBar() const
    {
        return RECT{client_.right, client_.top, client_.right + GetSystemMetrics(SM_CXVSCROLL), client_.bottom};
    }
    RECT HorizontalBar() const
    {
        return RECT{client_.left, client_.bottom, client_.right, client_.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    }
    // Clicks on the down arrow; each a pixel apart, since the input tool
    // waits long for a move to the place where the pointer already is.
    void ClickDownArrow(int times)
    {
        const RECT bar = VerticalBar();
        const POINT centre = {(bar.left + bar.right) / 2, bar.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2};
        for (int i = 0; i < times; ++i) {
            RealClick(POINT{centre.x - 1 + i % 3, centre.y});
            program_.Settle();
        }
    }
    // Just above the down arrow: below the thumb, which sits at the top.
    POINT TroughBelowThumb() const
    {
        const RECT bar = VerticalBar();
        return POINT{(bar.left + bar.right) / 2, bar.bottom - GetSystemMetrics(SM_CYVSCROLL) - kLine};
    }
    POINT TroughRightOfThumb() const
    {
        const RECT bar = HorizontalBar();
        return POINT{bar.right - GetSystemMetrics(SM_CXHSCROLL) - kLine, (bar.top + bar.bottom) / 2};
    }

    // What the view and the rulers show when repainted whole.
    ScreenImage Repainted(const std::string& step)
    {
        RedrawWindow(document_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        program_.Settle();
        const ScreenImage image = ScreenImage::Grab();
        image.Save(step);
        return image;
    }

    // Checks the scrolled screen: the shape moved by (dx, dy) on the edges
    // that stay in sight, and the view and both rulers show what a full
    // repaint shows.
    void ExpectScrolled(const RECT& shape, const ScreenImage& scrolled, int dx, int dy, const std::string& step)
    {
        const RECT moved = FillBox(scrolled, client_);
        ASSERT_FALSE(IsRectEmpty(&moved)) << step << ": the shape left the view";
        if (moved.left > client_.left) {
            EXPECT_EQ(shape.left - dx, moved.left) << step << ": the shape's left edge";
        }
        if (moved.top > client_.top) {
            EXPECT_EQ(shape.top - dy, moved.top) << step << ": the shape's top edge";
        }
        EXPECT_EQ(shape.right - dx, moved.right) << step << ": the shape's right edge";
        EXPECT_EQ(shape.bottom - dy, moved.bottom) << step << ": the shape's bottom edge";
        const ScreenImage whole = Repainted(step + "_repainted");
        EXPECT_EQ(0, Differences(scrolled, whole, client_)) << step << ": the view differs from its repaint";
        EXPECT_EQ(0, Differences(scrolled, whole, ClientScreenRect(verticalRuler_)))
            << step << ": the vertical ruler differs from its repaint";
        EXPECT_EQ(0, Differences(scrolled, whole, ClientScreenRect(horizontalRuler_)))
            << step << ": the horizontal ruler differs from its repaint";
    }

    // A real click on the shape where it shows selects it with its handles at its corners.
    void ExpectSelectedWhereShown(const RECT& shape, const std::string& step)
    {
        ClickTool(kSelectTool);
        RealClick(POINT{client_.right - kEdgeGap * 4, client_.bottom - kEdgeGap * 4});   // nothing there
        program_.Settle();
        RealClick(Centre(shape));
        program_.Settle();
        const ScreenImage selected = ScreenImage::Grab();
        selected.Save(step);
        // The fill lies inside the outline; the handles sit on the outline's corners.
        const POINT corners[4] = {{shape.left - 1, shape.top - 1},
                                  {shape.right, shape.top - 1},
                                  {shape.left - 1, shape.bottom},
                                  {shape.right, shape.bottom}};
        for (const POINT& corner : corners) {
            const RECT square = {corner.x - kHandleReach, corner.y - kHandleReach, corner.x + kHandleReach + 1,
                                 corner.y + kHandleReach + 1};
            EXPECT_GE(selected.CountDark(square), kHandleDarkLeast)
                << step << ": no handle at the shape's corner " << corner.x << "," << corner.y;
        }
    }

    ProgramDriver program_;
    std::string file_;
    HWND palette_ = nullptr;
    HWND document_ = nullptr;
    HWND view_ = nullptr;
    HWND horizontalRuler_ = nullptr;
    HWND verticalRuler_ = nullptr;
    RECT client_ = {};
};

TEST_F(ScrollProgram, ThreeDownArrowClicksMoveTheDrawingAndTheRulerUpTogether)
{
    const RECT shape = DrawShape(POINT{client_.left + 80, client_.top + 120}, POINT{client_.left + 220, client_.top + 200},
                                 "arrows_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    const ScreenImage before = ScreenImage::Grab();
    ClickDownArrow(3);
    const ScreenImage scrolled = ScreenImage::Grab();
    scrolled.Save("arrows_scrolled_three_lines");
    const int dy = 3 * kLine;
    // The vertical ruler moved with the drawing; the horizontal one stayed.
    const RECT ruler = ClientScreenRect(verticalRuler_);
    EXPECT_EQ(0, MovedDifferences(before, scrolled, RECT{ruler.left, ruler.top, ruler.right, ruler.bottom - dy}, 0,
                                  -dy))
        << "the vertical ruler's marks moved up by the scrolled amount";
    EXPECT_EQ(0, Differences(before, scrolled, ClientScreenRect(horizontalRuler_)))
        << "the horizontal ruler did not move";
    ExpectScrolled(shape, scrolled, 0, dy, "arrows_scrolled");
    RECT moved = shape;
    OffsetRect(&moved, 0, -dy);
    ExpectSelectedWhereShown(moved, "arrows_shape_selected_where_shown");
}

TEST_F(ScrollProgram, APageClickInTheVerticalTroughScrollsAPageLessALine)
{
    // A tall shape whose bottom stays in sight after a page.
    const RECT shape = DrawShape(POINT{client_.left + 80, client_.top + 40},
                                 POINT{client_.left + 220, client_.bottom - kEdgeGap}, "page_down_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    RealClick(TroughBelowThumb());
    program_.Settle();
    const ScreenImage scrolled = ScreenImage::Grab();
    scrolled.Save("page_down_scrolled");
    ExpectScrolled(shape, scrolled, 0, (client_.bottom - client_.top) - kLine, "page_down");
}

TEST_F(ScrollProgram, APageClickInTheHorizontalTroughScrollsAPageLessALine)
{
    // A wide shape whose right end stays in sight after a page.
    const RECT shape = DrawShape(POINT{client_.left + 40, client_.top + 80},
                                 POINT{client_.right - kEdgeGap, client_.top + 200}, "page_right_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    RealClick(TroughRightOfThumb());
    program_.Settle();
    const ScreenImage scrolled = ScreenImage::Grab();
    scrolled.Save("page_right_scrolled");
    ExpectScrolled(shape, scrolled, (client_.right - client_.left) - kLine, 0, "page_right");
}

TEST_F(ScrollProgram, OneWheelNotchScrollsThreeLinesAndBack)
{
    const RECT shape = DrawShape(POINT{client_.left + 80, client_.top + 120}, POINT{client_.left + 220, client_.top + 200},
                                 "wheel_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    UINT lines = kDefaultWheelLines;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_EQ(static_cast<UINT>(kDefaultWheelLines), lines) << "the desktop's wheel setting";
    const POINT over = {client_.left + 400, client_.top + 300};
    RealWheel(over, -1);
    program_.Settle();
    const ScreenImage down = ScreenImage::Grab();
    down.Save("wheel_one_notch_down");
    ExpectScrolled(shape, down, 0, kDefaultWheelLines * kLine, "wheel_down");
    RealWheel(POINT{over.x + 1, over.y}, 1);   // a move the input tool need not wait for
    program_.Settle();
    const ScreenImage back = ScreenImage::Grab();
    back.Save("wheel_one_notch_back_up");
    ExpectScrolled(shape, back, 0, 0, "wheel_back_up");
}

TEST_F(ScrollProgram, AShapeDrawnBesideAnotherAfterScrollingLinesUpWithIt)
{
    const RECT first = DrawShape(POINT{client_.left + 80, client_.top + 120}, POINT{client_.left + 220, client_.top + 200},
                                 "beside_first_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&first)) << "the drawn shape shows no fill";
    ClickDownArrow(3);
    const ScreenImage scrolled = ScreenImage::Grab();
    scrolled.Save("beside_scrolled");
    const RECT firstShown = FillBox(scrolled, client_);
    ASSERT_FALSE(IsRectEmpty(&firstShown));
    // The second shape is dragged over the same rows as the first shows on,
    // to its right; a shape's fill lies two pixels inside the dragged corners.
    const int gap = 60;
    const int width = 140;
    const int fillInset = 2;
    const POINT from = {firstShown.right + gap, firstShown.top - fillInset};
    const POINT to = {firstShown.right + gap + width, firstShown.bottom + fillInset};
    DrawShape(from, to, "beside_second_shape_drawn");
    const ScreenImage whole = Repainted("beside_repainted");
    const RECT left = {client_.left, client_.top, firstShown.right + gap / 2, client_.bottom};
    const RECT right = {firstShown.right + gap / 2, client_.top, client_.right, client_.bottom};
    const RECT firstAfter = FillBox(whole, left);
    const RECT secondAfter = FillBox(whole, right);
    ASSERT_FALSE(IsRectEmpty(&secondAfter)) << "the second shape shows no fill";
    EXPECT_TRUE(EqualRect(&firstShown, &firstAfter)) << "the first shape stays where it showed";
    EXPECT_EQ(firstAfter.top, secondAfter.top) << "the shapes' tops line up";
    EXPECT_EQ(firstAfter.bottom, secondAfter.bottom) << "the shapes' bottoms line up";
    ExpectSelectedWhereShown(secondAfter, "beside_second_shape_selected");
}

TEST_F(ScrollProgram, TextOpenedAfterSavingAScrolledDrawingLeavesTheDrawingInPlace)
{
    const RECT shape = DrawShape(POINT{client_.left + 80, client_.top + 120}, POINT{client_.left + 220, client_.top + 200},
                                 "text_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    ClickDownArrow(3);
    // Saving keeps the scroll position in the drawing's view record.
    RealKey('S', false, true);
    program_.Settle();
    const ScreenImage saved = ScreenImage::Grab();
    saved.Save("text_scrolled_and_saved");
    const RECT shown = FillBox(saved, client_);
    ASSERT_FALSE(IsRectEmpty(&shown));
    ClickTool(kSelectTool);
    RealDoubleClick(Centre(shown));
    program_.Settle();
    RealType("Ab");
    program_.Settle();
    ScreenImage::Grab().Save("text_typed_on_shape");
    RealClick(POINT{client_.right - kEdgeGap * 4, client_.bottom - kEdgeGap * 4});   // ends the text
    program_.Settle();
    const ScreenImage whole = Repainted("text_ended_repainted");
    const RECT after = FillBox(whole, client_);
    EXPECT_TRUE(EqualRect(&shown, &after)) << "the shape moved from " << shown.left << "," << shown.top << " to "
                                           << after.left << "," << after.top;
    ExpectSelectedWhereShown(shown, "text_shape_selected");
}

} // namespace
