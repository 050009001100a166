// Typing into a shape with the real keyboard: the letters must show inside
// the shape while its editor is still open, the way a person sees them, not
// only once the editing ends. Each step leaves a screenshot.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/desktop_program.h"
#include "support/real_input.h"
#include "support/screen_image.h"

namespace {

const int kScaleUp = 509;

// A new drawing centres a shape's text; this band across the middle holds
// "Hello" at the default size and stays clear of the outline, the selection
// handles and the connect marker near the right edge.
const int kBandLeftInset = 20;
const int kBandRightInset = 24;
const int kBandHalfHeight = 14;
const int kNewTextWidth = 90;
// "Hello" in the default face leaves well over this many dark pixels; a caret
// alone leaves at most its 2 x 16.
const int kTextPixels = 60;
// The caret is 2/100 inch wide (2 pixels) and as high as the line.
const int kCaretPixels = 20;
// Grabs spread over more than two of the caret's half-second blinks.
const int kCaretGrabs = 8;
const DWORD kCaretGrabPauseMs = 150;

// The selection handles reach this far out of a shape's frame.
const int kHandleReach = 6;
// A shape's outline lies within this many pixels of its box's edge.
const int kOutlineBand = 3;

enum class Opening { DoubleClick, SelectThenType, TextTool, ZoomedDoubleClick };

using TypingProgram = DesktopProgram;

RECT TextBand(const RECT& frame)
{
    const int middle = (frame.top + frame.bottom) / 2;
    return RECT{frame.left + kBandLeftInset, middle - kBandHalfHeight, frame.right - kBandRightInset,
                middle + kBandHalfHeight};
}

// Dark pixels on and around a shape's outline, where its selection handles
// stand, leaving out the text inside.
int DarkAroundFrame(const ScreenImage& image, const RECT& frame)
{
    RECT outer = frame;
    InflateRect(&outer, kHandleReach, kHandleReach);
    RECT inner = frame;
    InflateRect(&inner, -kHandleReach, -kHandleReach);
    return image.CountDark(outer) - image.CountDark(inner);
}

int Area(const RECT& r)
{
    return (r.right - r.left) * (r.bottom - r.top);
}

TEST_F(TypingProgram, TypedTextShowsWhileTheEditorIsOpen)
{
    struct Case {
        const char* step;
        Opening opening;
        POINT from;
        POINT to;
    };
    const Case cases[] = {
        {"typing_double_clicked_shape", Opening::DoubleClick, {60, 40}, {200, 140}},
        {"typing_selected_shape", Opening::SelectThenType, {260, 40}, {400, 140}},
        {"typing_text_tool", Opening::TextTool, {60, 220}, {200, 300}},
        // Last: the zoom stays. Clear of the earlier objects at the larger scale.
        {"typing_zoomed_shape", Opening::ZoomedDoubleClick, {640, 300}, {820, 440}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        const std::string step = c.step;
        RECT band;
        RECT frame = {0, 0, 0, 0};
        if (c.opening == Opening::TextTool) {
            // A new text starts at the click, its first baseline there.
            ClickTool(desktop_ids::kTextTool);
            const POINT at = ClientToScreenPoint(view_, c.from);
            RealClick(at);
            band = RECT{at.x - 2, at.y - 20, at.x + kNewTextWidth, at.y + 8};
        } else {
            if (c.opening == Opening::ZoomedDoubleClick)
                ClickTool(kScaleUp);
            frame = DrawRectangle(c.from, c.to);
            const POINT centre = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
            if (c.opening != Opening::SelectThenType)
                RealDoubleClick(centre);
            else
                RealClick(centre);
            band = TextBand(frame);
        }
        ASSERT_TRUE(program_.Settle());
        ScreenImage::Grab().Save(step + "_opened");

        RealType("Hello");
        ASSERT_TRUE(program_.Settle());
        ASSERT_NE(nullptr, Editor()) << "the editor is still open";
        const ScreenImage typed = ScreenImage::Grab();
        typed.Save(step + "_typed");
        const int dark = typed.CountDark(band);
        EXPECT_GT(dark, kTextPixels) << "the letters show while they are typed";
        EXPECT_LT(dark, Area(band) / 3) << "no dark box over the text";
        // The caret blinks beside the text: some grabs show it and some do not.
        int least = dark;
        int most = dark;
        for (int i = 0; i < kCaretGrabs; ++i) {
            Sleep(kCaretGrabPauseMs);
            const int seen = ScreenImage::Grab().CountDark(band);
            least = std::min(least, seen);
            most = std::max(most, seen);
        }
        EXPECT_GE(most - least, kCaretPixels) << "the caret shows at the end of the text";

        RealClick(ClientToScreenPoint(view_, POINT{600, 400}));   // elsewhere: the editing ends
        ASSERT_TRUE(program_.Settle());
        EXPECT_EQ(nullptr, Editor());
        const ScreenImage closed = ScreenImage::Grab();
        closed.Save(step + "_closed");
        EXPECT_GT(closed.CountDark(band), kTextPixels) << "the text stays once stored";
        // Ended with nothing selected: what lies around the outline now is
        // the outline alone, and so it was while the text was edited.
        if (!IsRectEmpty(&frame)) {
            EXPECT_EQ(DarkAroundFrame(closed, frame), DarkAroundFrame(typed, frame))
                << "no selection handles while the text is edited";
        }
    }
}

// Lines typed grow the editor's box and deleting them shrinks it again: the
// box then shows the shape's outline along its new edges, not the fill of
// the larger box it was.
TEST_F(TypingProgram, AShrinkingBoxShowsTheOutlineAtItsNewEdges)
{
    const RECT frame = DrawRectangle(POINT{60, 40}, POINT{200, 140});
    RealDoubleClick(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
    ASSERT_NE(nullptr, Editor());

    const int lines = 8;
    RealType("Hello");
    for (int i = 0; i < lines; ++i)
        RealKey(VK_RETURN);
    ASSERT_TRUE(program_.Settle());
    ScreenImage::Grab().Save("shrinking_box_grown");
    RECT grown;
    GetWindowRect(Editor(), &grown);
    ASSERT_GT(grown.bottom, frame.bottom) << "the box grew with the lines";

    for (int i = 0; i < lines; ++i)
        RealKey(VK_BACK);
    ASSERT_TRUE(program_.Settle());
    const ScreenImage shrunk = ScreenImage::Grab();
    shrunk.Save("shrinking_box_shrunk");
    RECT box;
    GetWindowRect(Editor(), &box);
    ASSERT_LT(box.bottom, grown.bottom) << "the box shrank";
    // Each edge's band holds at least one whole dark line: the outline.
    const RECT bottom = {box.left + kHandleReach, box.bottom - kOutlineBand, box.right - kHandleReach, box.bottom};
    const RECT right = {box.right - kOutlineBand, box.top + kHandleReach, box.right, box.bottom - kHandleReach};
    EXPECT_GE(shrunk.CountDark(bottom), bottom.right - bottom.left) << "the outline along the bottom";
    EXPECT_GE(shrunk.CountDark(right), right.bottom - right.top) << "the outline along the right";
}

} // namespace

namespace {

// With its text aligned to the bottom, a shape's editor grows upward as lines
// are added, its bottom edge staying where it was.
TEST_F(TypingProgram, ABottomAlignedBoxGrowsUpward)
{
    const int alignLeftBottom = 630;
    const RECT frame = DrawRectangle(POINT{60, 200}, POINT{200, 300});
    RealDoubleClick(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    ASSERT_TRUE(program_.Settle());
    ASSERT_NE(nullptr, Editor());
    Command(alignLeftBottom);
    RECT opened;
    GetWindowRect(Editor(), &opened);
    RealType("Up");
    for (int i = 0; i < 8; ++i)
        RealKey(VK_RETURN);
    ASSERT_TRUE(program_.Settle());
    Screenshot("bottom_aligned_box_grown");
    RECT grown;
    GetWindowRect(Editor(), &grown);
    EXPECT_LT(grown.top, opened.top) << "grew upward";
    EXPECT_LE(grown.bottom, opened.bottom + 1) << "the bottom stays";
}

} // namespace
