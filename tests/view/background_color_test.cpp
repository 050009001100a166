// Background Color: labels that blanked the page out follow the new page
// colour, and a change that fails half-way leaves the drawing as it was.
#include <gtest/gtest.h>

#include <string>

#include "common/io_seam.h"
#include "edit_fixture.h"
#include "objects/document_undo.h"
#include "view/arrange_commands.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kNone = CLR_INVALID;
const int kExplicit = -1;
const int kPastTheTable = 48;
const long kMostRequests = 2000;

class BackgroundColor : public EditFixture {
protected:
    // A shape filled solid; attached to a host it counts as a label.
    void AddFilled(COLORREF fill, bool label)
    {
        ASSERT_EQ(kErrNone, Create(RECT{1200, 1200 + 900 * Count(), 2400, 1800 + 900 * Count()}));
        DrawingObject* object = Object(Count() - 1);
        object->fillMode = 1;
        object->fillColor = fill;
        if (label)
            object->stateFlags |= kStateAttached;
        ClearDocumentUndo(view_);
    }
    void TearDown() override
    {
        SeamDisarm();
        EditFixture::TearDown();
    }
};

} // namespace

TEST_F(BackgroundColor, LabelsFilledWithThePageColourFollowIt)
{
    AddFilled(kWhite, true);
    AddFilled(kRed, true);
    AddFilled(kWhite, false);
    ASSERT_EQ(kErrNone, SetViewBackground(view_, kExplicit, kBlue, 0));
    EXPECT_EQ(kBlue, Drawing()->style.backgroundColor);
    EXPECT_EQ(kBlue, Object(0)->fillColor) << "a white label on a page without background";
    EXPECT_EQ(kRed, Object(1)->fillColor) << "a red label keeps its colour";
    EXPECT_EQ(kWhite, Object(2)->fillColor) << "a shape that is no label keeps its colour";
    EXPECT_EQ(kUndoStepBackground, UndoKind());

    ASSERT_EQ(kErrNone, SetViewBackground(view_, kPastTheTable, 0, 0));
    EXPECT_EQ(kNone, Drawing()->style.backgroundColor) << "an index past the table clears the background";
    EXPECT_EQ(kWhite, Object(0)->fillColor) << "no background counts as white";
}

TEST_F(BackgroundColor, AChangeThatFailsAtAnyMemoryRequestIsRolledBackWhole)
{
    AddFilled(kWhite, true);
    AddFilled(kWhite, true);
    int refused = 0;
    for (long nth = 1; nth <= kMostRequests; ++nth) {
        SCOPED_TRACE("failed memory request " + std::to_string(nth));
        SeamArmFault(kSeamAlloc | kSeamAllFile, nth, false);
        const ErrorCode code = SetViewBackground(view_, kExplicit, kBlue, 0);
        const bool fired = SeamFaultFired();
        SeamDisarm();
        const COLORREF page = Drawing()->style.backgroundColor;
        const COLORREF first = Object(0)->fillColor;
        const COLORREF second = Object(1)->fillColor;
        if (code != kErrNone) {
            ++refused;
            EXPECT_EQ(kNone, page) << "the page keeps its colour";
            EXPECT_EQ(kWhite, first);
            EXPECT_EQ(kWhite, second) << "no label changed alone";
            EXPECT_EQ(0, UndoKind()) << "no step is left open";
        } else {
            ASSERT_EQ(kBlue, page);
            ASSERT_EQ(kBlue, first);
            ASSERT_EQ(kBlue, second);
            ASSERT_EQ(kErrNone, SwapDocumentUndo(view_, 0));
        }
        if (!fired)
            break;
    }
    EXPECT_GT(refused, 0) << "some failed requests must refuse the change";
}

// Colors and Shadows gives the page the style's background last, so labels
// that blanked out the old page blank out the new one; other fills stay
// when the style's colours are not to reach the fills.
TEST_F(BackgroundColor, AColourStyleMovesPageBlankingLabelsToItsBackground)
{
    AddFilled(kWhite, true);
    AddFilled(kRed, true);
    AddFilled(kWhite, false);
    ColorStyle style = Drawing()->style;
    style.backgroundColor = kBlue;
    style.fillColor = kRed;
    ASSERT_EQ(kErrNone, ApplyColorStyle(view_, style, false, false));
    EXPECT_EQ(kBlue, Drawing()->style.backgroundColor);
    EXPECT_EQ(kBlue, Object(0)->fillColor) << "a white label on a page without background";
    EXPECT_EQ(kRed, Object(1)->fillColor) << "a red label keeps its colour";
    EXPECT_EQ(kWhite, Object(2)->fillColor) << "fills are not to take the style's colour";

    ASSERT_EQ(kErrNone, SwapDocumentUndo(view_, 1));
    EXPECT_EQ(kNone, Drawing()->style.backgroundColor) << "one step takes the page back";
    EXPECT_EQ(kWhite, Object(0)->fillColor);
}
