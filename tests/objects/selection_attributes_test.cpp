// What the selection has in common, and attributes applied to all of it.
#include <gtest/gtest.h>

#include <vector>

#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/kind_messages.h"
#include "objects/selection_attributes.h"
#include "objects/view_record_word.h"

namespace {

class SelectionSummary : public DrawingFixture {
protected:
    HGLOBAL DrawingHandle() { return GetViewDrawingHandle(ViewRecord()); }
};

TEST_F(SelectionSummary, CommonAndMixedValues)
{
    CreateRow(3);
    Object(0)->lineWidth = 12;
    Object(1)->lineWidth = 24;
    Object(2)->lineWidth = 12;
    struct Row {
        const char* name;
        std::vector<int> selected;
        int result;
        int32_t lineWidth;
        int32_t shapeType;
    };
    const std::vector<Row> rows = {
        {"two widths", {0, 1}, 1, kAttributeMixed, 2},
        {"one width", {0, 2}, 1, 12, 2},
        {"nothing selected", {}, 0, kAttributeUnset, kAttributeUnset},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < Count(); ++i)
            Object(i)->stateFlags &= ~kStateSelected;
        for (int i : row.selected)
            Object(i)->stateFlags |= kStateSelected;
        SelectionAttributes summary;
        TextFormatSummary text;
        EXPECT_EQ(row.result, GatherSelectionAttributes(view_, kMsgCollectShapeAttributes, &summary, &text))
            << row.name;
        EXPECT_EQ(row.lineWidth, summary.lineWidth) << row.name;
        EXPECT_EQ(row.shapeType, summary.shapeType) << row.name;
        EXPECT_EQ(kAttributeUnset, text.face) << row.name;
    }
}

TEST_F(SelectionSummary, LinesAskedForShapeAttributesLeaveThemUnset)
{
    CreateRow(2);
    // Objects of a line kind do not answer the shapes' summary message.
    Object(0)->kind = kKindLine;
    Object(1)->kind = kKindLine;
    SelectOnly({0, 1});
    SelectionAttributes summary;
    EXPECT_EQ(1, GatherSelectionAttributes(view_, kMsgCollectShapeAttributes, &summary, nullptr));
    EXPECT_EQ(kAttributeUnset, summary.lineWidth);
    EXPECT_EQ(kAttributeUnset, summary.shapeType);
}

TEST_F(SelectionSummary, ApplyingAColourReachesEverySelectedObjectAndTheStyle)
{
    CreateRow(3);
    SelectOnly({0, 2});
    COLORREF red = RGB(255, 0, 0);
    ASSERT_EQ(0, ApplyToSelection(view_, kMsgSetFillColor, 1, reinterpret_cast<INT_PTR>(&red), 0));
    EXPECT_EQ(red, Object(0)->fillColor);
    EXPECT_NE(red, Object(1)->fillColor);
    EXPECT_EQ(red, Object(2)->fillColor);
    EXPECT_EQ(red, Drawing()->style.fillColor);
    EXPECT_EQ(48, ReadViewField(ViewRecord(), kViewPendingUndo));
}

TEST_F(SelectionSummary, RotationSkipsGroupedObjects)
{
    CreateRow(2);
    SelectOnly({0, 1});
    Object(1)->groupKey = 5;
    ASSERT_EQ(0, ApplyToSelection(view_, kMsgSetRotation, 300, 0, 0));
    EXPECT_EQ(300, Object(0)->rotation);
    EXPECT_EQ(0, Object(1)->rotation);
    EXPECT_EQ(58, ReadViewField(ViewRecord(), kViewPendingUndo));
}

TEST_F(SelectionSummary, CommandFlagsCountUnits)
{
    CreateRow(3);
    struct Row {
        const char* name;
        std::vector<int> selected;
        bool labelOnFirst;
        std::vector<int32_t> keys;
        uint32_t several;
    };
    const std::vector<Row> rows = {
        {"one shape", {0}, false, {0, 0, 0}, 0},
        {"two ungrouped shapes", {0, 1}, false, {0, 0, 0}, 0x1000},
        {"a shape and its label", {0, 1}, true, {0, 0, 0}, 0},
        {"two members of one group", {0, 1}, false, {4, 4, 0}, 0},
        {"members of two groups", {0, 1}, false, {4, 6, 0}, 0x1000},
        {"a member and an ungrouped shape", {0, 2}, false, {4, 4, 0}, 0x1000},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 3; ++i) {
            Object(i)->groupKey = row.keys[i];
            Object(i)->groupIndex = row.keys[i] ? 0 : -1;
            Object(i)->stateFlags &= ~kStateAttached;
        }
        if (row.labelOnFirst)
            Object(1)->stateFlags |= kStateAttached;
        SelectOnly({});
        for (int i : row.selected) {
            Object(i)->stateFlags |= kStateSelected;
            ++Drawing()->selectedCount;
        }
        uint32_t flags = GetSelectionCommandFlags(DrawingHandle());
        EXPECT_EQ(row.several, flags & 0x1000) << row.name;
        EXPECT_EQ(0xCC3u, flags & 0xCC3u) << row.name;   // the shape kind's own bits
    }
    SelectOnly({});
    EXPECT_EQ(0u, GetSelectionCommandFlags(DrawingHandle()));
}

} // namespace
