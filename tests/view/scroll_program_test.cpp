// Scrolling the drawing view of the real program with the real mouse: the
// scroll-bar arrows, page clicks in the troughs and the wheel move the drawing
// and its rulers by the same amount, what shows is what a full repaint shows,
// and clicks and new shapes land on the drawing where the user sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
const DWORD kAwaitMs = 8000;           // real input may reach a busy program well after Settle
const DWORD kAwaitPollMs = 50;

class ScrollEnvironment : public testing::Environment {
public:
    void SetUp() override { StartDrawingModel(); }
};
testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ScrollEnvironment);

// The bounding box of the shape's fill inside a rectangle of the screen; empty when none shows.
RECT FillBox(const ScreenImage& image, const RECT& area)
{
    return image.ColorBox(area, kShapeFill);
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

    // Real input goes through the X server and can reach a busy program after
    // the probe that Settle posts has come back: the screen is grabbed until
    // it shows what the step should do, or the wait runs out, and once more
    // when the program has settled after it.
    ScreenImage Await(const std::function<bool(const ScreenImage&)>& done, const std::string& step)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            program_.Settle();
            if (done(ScreenImage::Grab()) || GetTickCount() - start > kAwaitMs)
                break;
            Sleep(kAwaitPollMs);
        }
        program_.Settle();
        const ScreenImage image = ScreenImage::Grab();
        image.Save(step);
        return image;
    }
    // Waits for the shape's fill to show with the given edges; edges outside
    // the view are not asked for.
    ScreenImage AwaitShapeAt(const RECT& expected, const std::string& step)
    {
        return Await(
            [&](const ScreenImage& image) {
                const RECT box = FillBox(image, client_);
                return box.right == expected.right && box.bottom == expected.bottom &&
                       (expected.left <= client_.left || box.left == expected.left) &&
                       (expected.top <= client_.top || box.top == expected.top);
            },
            step);
    }

    // A filled rectangle drawn with the real mouse from one screen point to
    // another; the box of the fill that shows in `area` afterwards.
    RECT DrawShape(POINT from, POINT to, const std::string& step, const RECT* area = nullptr)
    {
        const RECT where = area ? *area : client_;
        ClickTool(kRectangleTool);
        RealDrag(from, to);
        const ScreenImage drawn = Await(
            [&](const ScreenImage& image) {
                const RECT box = FillBox(image, where);
                return !IsRectEmpty(&box);
            },
            step);
        return FillBox(drawn, where);
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
    // Clicks on the down arrow, each awaited by the shape a line higher;
    // each a pixel apart, since the input tool waits long for a move to the
    // place where the pointer already is. The last screen.
    ScreenImage ClickDownArrow(int times, const RECT& shape, const std::string& step)
    {
        const RECT bar = VerticalBar();
        const POINT centre = {(bar.left + bar.right) / 2, bar.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2};
        ScreenImage image;
        for (int i = 0; i < times; ++i) {
            RealClick(POINT{centre.x - 1 + i % 3, centre.y});
            RECT expected = shape;
            OffsetRect(&expected, 0, -kLine * (i + 1));
            image = AwaitShapeAt(expected, step + "_" + std::to_string(i + 1));
        }
        return image;
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
        RealClick(Centre(shape));
        // The fill lies inside the outline; the handles sit on the outline's corners.
        const POINT corners[4] = {{shape.left - 1, shape.top - 1},
                                  {shape.right, shape.top - 1},
                                  {shape.left - 1, shape.bottom},
                                  {shape.right, shape.bottom}};
        auto handleAt = [](const ScreenImage& image, POINT corner) {
            const RECT square = {corner.x - kHandleReach, corner.y - kHandleReach, corner.x + kHandleReach + 1,
                                 corner.y + kHandleReach + 1};
            return image.CountDark(square) >= kHandleDarkLeast;
        };
        const ScreenImage selected = Await(
            [&](const ScreenImage& image) {
                return std::all_of(std::begin(corners), std::end(corners),
                                   [&](POINT corner) { return handleAt(image, corner); });
            },
            step);
        for (const POINT& corner : corners)
            EXPECT_TRUE(handleAt(selected, corner))
                << step << ": no handle at the shape's corner " << corner.x << "," << corner.y;
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
    const ScreenImage scrolled = ClickDownArrow(3, shape, "arrows_scrolled_line");
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
    const int dy = (client_.bottom - client_.top) - kLine;
    RealClick(TroughBelowThumb());
    RECT expected = shape;
    OffsetRect(&expected, 0, -dy);
    const ScreenImage scrolled = AwaitShapeAt(expected, "page_down_scrolled");
    ExpectScrolled(shape, scrolled, 0, dy, "page_down");
}

TEST_F(ScrollProgram, APageClickInTheHorizontalTroughScrollsAPageLessALine)
{
    // A wide shape whose right end stays in sight after a page.
    const RECT shape = DrawShape(POINT{client_.left + 40, client_.top + 80},
                                 POINT{client_.right - kEdgeGap, client_.top + 200}, "page_right_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&shape)) << "the drawn shape shows no fill";
    const int dx = (client_.right - client_.left) - kLine;
    RealClick(TroughRightOfThumb());
    RECT expected = shape;
    OffsetRect(&expected, -dx, 0);
    const ScreenImage scrolled = AwaitShapeAt(expected, "page_right_scrolled");
    ExpectScrolled(shape, scrolled, dx, 0, "page_right");
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
    const int dy = kDefaultWheelLines * kLine;
    RealWheel(over, -1);
    RECT expected = shape;
    OffsetRect(&expected, 0, -dy);
    const ScreenImage down = AwaitShapeAt(expected, "wheel_one_notch_down");
    ExpectScrolled(shape, down, 0, dy, "wheel_down");
    RealWheel(POINT{over.x + 1, over.y}, 1);   // a move the input tool need not wait for
    const ScreenImage back = AwaitShapeAt(shape, "wheel_one_notch_back_up");
    ExpectScrolled(shape, back, 0, 0, "wheel_back_up");
}

TEST_F(ScrollProgram, AShapeDrawnBesideAnotherAfterScrollingLinesUpWithIt)
{
    const RECT first = DrawShape(POINT{client_.left + 80, client_.top + 120}, POINT{client_.left + 220, client_.top + 200},
                                 "beside_first_shape_drawn");
    ASSERT_FALSE(IsRectEmpty(&first)) << "the drawn shape shows no fill";
    const ScreenImage scrolled = ClickDownArrow(3, first, "beside_scrolled_line");
    const RECT firstShown = FillBox(scrolled, client_);
    ASSERT_FALSE(IsRectEmpty(&firstShown));
    // The second shape is dragged over the same rows as the first shows on,
    // to its right; a shape's fill lies two pixels inside the dragged corners.
    const int gap = 60;
    const int width = 140;
    const int fillInset = 2;
    const POINT from = {firstShown.right + gap, firstShown.top - fillInset};
    const POINT to = {firstShown.right + gap + width, firstShown.bottom + fillInset};
    const RECT left = {client_.left, client_.top, firstShown.right + gap / 2, client_.bottom};
    const RECT right = {firstShown.right + gap / 2, client_.top, client_.right, client_.bottom};
    DrawShape(from, to, "beside_second_shape_drawn", &right);
    const ScreenImage whole = Repainted("beside_repainted");
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
    const ScreenImage scrolled = ClickDownArrow(3, shape, "text_scrolled_line");
    const RECT shown = FillBox(scrolled, client_);
    ASSERT_FALSE(IsRectEmpty(&shown));
    // Saving keeps the scroll position in the drawing's view record.
    RealKey('S', false, true);
    program_.Settle();
    ClickTool(kSelectTool);
    RealDoubleClick(Centre(shown));
    RealType("Ab");
    RealClick(POINT{client_.right - kEdgeGap * 4, client_.bottom - kEdgeGap * 4});   // ends the text
    // The text shows in the shape, wherever the shape now is.
    Await(
        [&](const ScreenImage& image) {
            const RECT box = FillBox(image, client_);
            return !IsRectEmpty(&box) && image.CountDark(box) > 0;
        },
        "text_typed_and_ended");
    const ScreenImage whole = Repainted("text_ended_repainted");
    const RECT after = FillBox(whole, client_);
    EXPECT_TRUE(EqualRect(&shown, &after)) << "the shape moved from " << shown.left << "," << shown.top << " to "
                                           << after.left << "," << after.top;
    ExpectSelectedWhereShown(shown, "text_shape_selected");
}

} // namespace
