// Array creation, layout of every style, and the style decode table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "array_fixture.h"
#include "lines/array_layout.h"
#include "lines/array_style.h"
#include "objects/kind_messages.h"

namespace {

class ArrayLayout : public ArrayDrawing {
protected:
    // An array in style `menuId` with shapes of the widths hung on it in order.
    int Build(int menuId, std::initializer_list<int> widths, int stem = 0)
    {
        int array = MakeArray({1000, 3000, 2200, 3300});
        Style(array, menuId);
        if (stem > 0) {
            std::vector<unsigned char> bytes = ListBytes(array);
            auto* list = reinterpret_cast<ArrayBranchHead*>(bytes.data());
            ArrayEntryAt(list, 1)->extent = stem;
            WriteList(array, bytes);
        }
        int ordinal = 0;
        int x = 1000;
        for (int width : widths) {
            int box = MakeBox(x, 6000, width);
            Hang(box, array, ordinal++);
            x += width + 100;
        }
        return array;
    }
    std::vector<int> BranchXs(int array)
    {
        ArrayBranchHead head = Head(array);
        std::vector<int> xs;
        for (int i = head.entryCount - head.branchCount; i < head.entryCount; ++i)
            xs.push_back(Entry(array, i).left);
        return xs;
    }
};

TEST_F(ArrayLayout, NewArrayTakesItsOrientationFromTheFrame)
{
    struct Row {
        const char* name;
        RECT frame;
        int orientation;
        int length;
    } rows[] = {
        {"wide frame is horizontal", {1000, 1000, 2200, 1300}, 0, 1200},
        {"tall frame is vertical", {1000, 1000, 1300, 2200}, 2, 1200},
    };
    for (const Row& row : rows) {
        int array = MakeArray(row.frame);
        EXPECT_EQ(row.orientation, Object(array)->shapeType) << row.name;
        ArrayBranchHead head = Head(array);
        EXPECT_EQ(124u, ListBytes(array).size()) << row.name;
        EXPECT_EQ(static_cast<uint32_t>(kArrayLinear), head.flags) << row.name;
        EXPECT_EQ(150, head.branchLength) << row.name;
        EXPECT_EQ(200, head.gap) << row.name;
        EXPECT_EQ(1, head.entryCount) << row.name;
        EXPECT_EQ(0, head.branchCount) << row.name;
        EXPECT_EQ(row.length, Entry(array, 0).extent) << row.name;
        EXPECT_EQ(row.length / 2, Entry(array, 1).extent) << row.name;
        EXPECT_EQ(row.length / 2, Entry(array, 2).extent) << row.name;
        EXPECT_EQ(3, Object(array)->kindWord1) << row.name;
        EXPECT_EQ(kArrayBranchGroup, Object(array)->dataGroup) << row.name;
    }
}

TEST_F(ArrayLayout, LinearBoundsKeepClearOfTheTrunk)
{
    int array = MakeArray({1000, 1000, 2200, 1300});
    const DrawingObject* object = Object(array);
    EXPECT_LE(object->bounds.top, object->kindCoordinate - 86);
    EXPECT_GE(object->bounds.bottom, object->kindCoordinate + 86);
}

TEST_F(ArrayLayout, BranchesFollowTheStemAndGap)
{
    struct Row {
        const char* name;
        uint32_t flags;
        int angle;
        int stem;
        std::vector<int> xs;
        int trunkLeft;
        int trunkRight;
    } rows[] = {
        {"stem at the middle", kArrayStemMiddle, 0, 600, {0, 700, 1400}, 0, 1400},
        {"stem at the end", 0, 0, 300, {300, 1000, 1700}, 300, 1700},
        {"fishbone 45 moves the trunk", kArrayStemMiddle, 45, 600, {0, 700, 1400}, 150, 1550},
        {"fishbone 135 leaves the trunk", kArrayStemMiddle, 135, 600, {0, 700, 1400}, 0, 1400},
    };
    for (const Row& row : rows) {
        int array = MakeArray({1000, 3000, 2200, 3300});
        Style(array, 1618);
        std::vector<unsigned char> bytes = ListBytes(array);
        auto* list = reinterpret_cast<ArrayBranchHead*>(bytes.data());
        list->flags = row.flags;
        list->angle = row.angle;
        WriteList(array, bytes);
        int x = 1000;
        int ordinal = 0;
        for (int width : {400, 600, 400}) {
            Hang(MakeBox(x, 6000, width), array, ordinal++);
            x += width + 100;
        }
        // The general form starts its stem at 150; set it and lay out again.
        bytes = ListBytes(array);
        ArrayEntryAt(reinterpret_cast<ArrayBranchHead*>(bytes.data()), 1)->extent = row.stem;
        WriteList(array, bytes);
        RECT frame = Object(array)->frame;
        Send(array, kMsgResizeToRect, 0, 0, reinterpret_cast<INT_PTR>(&frame));
        EXPECT_EQ(row.xs, BranchXs(array)) << row.name;
        EXPECT_EQ(row.trunkLeft, Entry(array, 0).left) << row.name;
        EXPECT_EQ(row.trunkRight, Entry(array, 0).right) << row.name;
        for (int i = 3; i < 6; ++i) {
            ArrayBranchEntry e = Entry(array, i);
            EXPECT_EQ(row.angle ? 150 : 0, e.right - e.left) << row.name;
            EXPECT_EQ(150, e.bottom - e.top) << row.name;
        }
        if (row.flags & kArrayStemMiddle) {
            EXPECT_EQ(700 + row.trunkLeft, Entry(array, 1).left) << row.name;
        }
        EXPECT_EQ(static_cast<size_t>(40 + 28 * 6), ListBytes(array).size()) << row.name;
    }
}

TEST_F(ArrayLayout, HangingShapesSitAtTheBranchEnds)
{
    int array = Build(1618, {400, 600, 400});
    const DrawingObject* object = Object(array);
    int trunk = object->kindCoordinate;
    int left = object->inner.left;
    for (int i = 0; i < 3; ++i) {
        const DrawingObject* box = Object(1 + i);
        ArrayBranchEntry e = Entry(array, 3 + i);
        EXPECT_EQ(trunk + 150, box->frame.top) << i;
        EXPECT_EQ(left + e.left, (box->frame.left + box->frame.right) / 2) << i;
        EXPECT_EQ(305, box->links[0].connectCode) << i;
        EXPECT_EQ(i, box->links[0].x) << i;
    }
}

TEST_F(ArrayLayout, BothSidesPairsAndStaggeredRows)
{
    int pairs = Build(1612, {400, 400, 400, 400});
    ArrayBranchEntry e3 = Entry(pairs, 3);
    ArrayBranchEntry e4 = Entry(pairs, 4);
    EXPECT_EQ(e3.left, e4.left);
    EXPECT_EQ(0, e3.top);
    EXPECT_EQ(-150, e4.top);
    EXPECT_EQ(306, Object(pairs + 2)->links[0].connectCode);

    int staggered = Build(1622, {400, 400, 400, 400});
    ArrayBranchHead head = Head(staggered);
    ArrayBranchEntry last = Entry(staggered, head.entryCount - 1);
    ArrayBranchEntry second = Entry(staggered, 4);
    EXPECT_EQ(2 * 150 + 300, second.bottom - second.top);   // the second row reaches past the first
    EXPECT_EQ(last.left, Entry(staggered, 0).right);         // the trunk ends at the last branch
}

TEST_F(ArrayLayout, FishboneOffsetIsWholeAtBothAngles)
{
    // tan(135 degrees) comes out a hair from -1; the lean must still be 150.
    struct Row {
        const char* name;
        int angle;
        int length;
        int expected;
    } rows[] = {
        {"45", 45, 150, 150},
        {"135", 135, 150, -150},
        {"square", 0, 150, 0},
        {"45 long", 45, 333, 333},
        {"135 long", 135, 333, -333},
    };
    for (const Row& row : rows) {
        ArrayBranchHead head = {};
        head.angle = row.angle;
        head.branchLength = row.length;
        head.entryCount = 5;
        EXPECT_EQ(row.expected, GetFishboneOffset(&head)) << row.name;
    }
}

TEST_F(ArrayLayout, StyleDecodeTable)
{
    struct Row {
        int menuId;
        int orientation;
        int angle;
        uint32_t flags;
    } rows[] = {
        {1612, 0, 0, 2},   {1616, 0, 0, 6},    {1618, 0, 0, 8},   {1622, 0, 0, 12},  {1626, 0, 0, 16},
        {1630, 2, 0, 0},   {1631, 2, 0, 1},    {1633, 2, 0, 3},   {1637, 2, 0, 7},   {1646, 2, 0, 16},
        {1650, 0, 45, 0},  {1651, 0, 45, 1},   {1652, 0, 45, 2},  {1656, 0, 45, 6},  {1662, 0, 135, 2},
        {1671, 2, 45, 1},  {1673, 2, 45, 3},   {1677, 2, 45, 7},  {1681, 2, 135, 1}, {1683, 2, 135, 3},
    };
    for (const Row& row : rows) {
        ArrayStyle style = {};
        ASSERT_TRUE(DecodeArrayStyle(row.menuId - kArrayStyleMenuBase, &style)) << row.menuId;
        EXPECT_EQ(row.orientation, style.orientation) << row.menuId;
        EXPECT_EQ(row.angle, style.angle) << row.menuId;
        EXPECT_EQ(row.flags, style.flags) << row.menuId;
    }
    ArrayStyle style = {};
    EXPECT_FALSE(DecodeArrayStyle(1700 - kArrayStyleMenuBase, &style));
    EXPECT_FALSE(DecodeArrayStyle(-5, &style));
}

TEST_F(ArrayLayout, VerticalStyleTurnsTheArray)
{
    int array = Build(1631, {400, 400, 400});
    EXPECT_EQ(2, Object(array)->shapeType);
    ArrayBranchHead head = Head(array);
    ArrayBranchEntry branch = Entry(array, head.entryCount - head.branchCount);
    EXPECT_EQ(branch.top, branch.bottom);      // branches run along x
    EXPECT_EQ(-150, branch.left);              // to the left with bit 1
    EXPECT_EQ(308, Object(array + 1)->links[0].connectCode);
}

TEST_F(ArrayLayout, LinearSingleObjectBecomesSingleLine)
{
    int array = Build(1626, {400});
    EXPECT_EQ(1, Head(array).branchCount);
    EXPECT_EQ(307, Object(array + 1)->links[0].connectCode);
    Style(array, 1618);
    ArrayBranchHead head = Head(array);
    EXPECT_EQ(1, head.entryCount);
    EXPECT_EQ(Object(array + 1)->objectId, Entry(array, 0).id);
}

} // namespace
