// Array handles, hit testing, reshaping by handle and to a frame, flipping,
// and the attribute messages.
#include <gtest/gtest.h>

#include "array_fixture.h"
#include "lines/array_handles.h"
#include "lines/array_reshape.h"
#include "objects/kind_messages.h"
#include "objects/object_offset.h"

namespace {

class ArrayReshape : public ArrayDrawing {
protected:
    int Build(int style, int count)
    {
        int array = MakeArray({1000, 3000, 2200, 3300});
        Style(array, style);
        for (int i = 0; i < count; ++i)
            Hang(MakeBox(1000 + 500 * i, 6000, 400), array, i);
        return array;
    }
    // Drags handle `code` to the rectangle, as the view does.
    void Drag(int array, int code, RECT rect)
    {
        Drawing()->warningId = code;
        Send(array, kMsgResizeByHandle, code, 0, reinterpret_cast<INT_PTR>(&rect));
    }
    ArrayHandles Handles(int array)
    {
        ArrayHandles handles;
        GetArrayHandles(Drawing(), Objects(), Object(array), &handles);
        return handles;
    }
};

TEST_F(ArrayReshape, HandlesOfEachForm)
{
    struct Row {
        const char* name;
        int style;
        int count;
        std::vector<int> codes;
    } rows[] = {
        {"single line", 1618, 1, {22, 23}},
        {"linear single line", 1626, 0, {20, 21}},
        {"stem at the middle", 1618, 3, {7, 8, 6, 22, 6, 23}},
        {"both sides few", 1612, 2, {20, 21, 6}},
        {"both sides", 1612, 5, {20, 21, 6, 8, 7, 6}},
        {"linear", 1626, 3, {20, 21, 8, 7}},
        // A vertical array exchanges 5/7, 6/8, 20/22 and 21/23.
        {"vertical, stem at the end", 1630, 3, {22, 23, 8, 6, 5, 8}},
    };
    for (const Row& row : rows) {
        int array = Build(row.style, row.count);
        ArrayHandles handles = Handles(array);
        std::vector<int> codes(handles.codes, handles.codes + handles.count);
        EXPECT_EQ(row.codes, codes) << row.name;
        for (int i = 0; i < handles.count; ++i) {
            EXPECT_EQ(handles.points[i].x - 30, handles.rects[i].left) << row.name;
            EXPECT_EQ(handles.points[i].y + 24, handles.rects[i].bottom) << row.name;
        }
    }
}

TEST_F(ArrayReshape, HitTestAnswersHandlesOfASelectedArray)
{
    int array = Build(1618, 3);
    ArrayHandles handles = Handles(array);
    POINT inside = handles.points[1];
    EXPECT_EQ(40, Send(array, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&inside)));
    Object(array)->stateFlags |= kStateSelected;
    EXPECT_EQ(handles.codes[1], Send(array, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&inside)));
}

TEST_F(ArrayReshape, TrunkHandleSpreadsTheGap)
{
    struct Row {
        const char* name;
        int style;
        int gap;
    } rows[] = {
        {"one side, five branches", 1618, 300},
        {"both sides, five branches", 1612, 400},
    };
    for (const Row& row : rows) {
        int array = Build(row.style, 5);
        RECT frame = Object(array)->frame;
        frame.right += 400;
        // With the stem at the end the right trunk handle stands a tail's
        // length inside the frame.
        if (row.style == 1612)
            frame.right -= Entry(array, 2).extent;
        Drag(array, 8, frame);
        EXPECT_EQ(row.gap, Head(array).gap) << row.name;
    }
}

TEST_F(ArrayReshape, BranchHandleSetsTheLength)
{
    struct Row {
        const char* name;
        int offset;
        int length;
    } rows[] = {
        {"below the trunk", 40, 40},
        {"above the trunk", -40, 0},
    };
    for (const Row& row : rows) {
        int array = Build(1618, 3);
        int trunk = Object(array)->kindCoordinate;
        RECT r = Object(array)->frame;
        r.bottom = trunk + row.offset;
        Drag(array, 6, r);
        EXPECT_EQ(row.length, Head(array).branchLength) << row.name;
    }
}

TEST_F(ArrayReshape, EndHandlesKeepTheirMinimums)
{
    int linear = MakeArray({1000, 3000, 2200, 3300});
    RECT r = Object(linear)->frame;
    r.left = r.right - 10;
    Drag(linear, 20, r);
    EXPECT_EQ(300, Entry(linear, 0).extent);
    EXPECT_EQ(150, Entry(linear, 1).extent);
    EXPECT_EQ(150, Entry(linear, 2).extent);

    int single = Build(1618, 1);
    RECT s = Object(single)->frame;
    s.bottom = s.top + 20;
    Drag(single, 22, s);
    EXPECT_EQ(150, Entry(single, 0).extent);
}

TEST_F(ArrayReshape, ResizeToAFrame)
{
    int array = Build(1618, 3);
    RECT r = Object(array)->frame;
    r.right += 100;
    r.bottom += 50;
    Send(array, kMsgResizeToRect, 0, 0, reinterpret_cast<INT_PTR>(&r));
    EXPECT_EQ(250, Head(array).gap);
    EXPECT_EQ(200, Head(array).branchLength);
}

TEST_F(ArrayReshape, FlipsTurnFishboneAndSide)
{
    struct Row {
        const char* name;
        int style;
        uint32_t flags;
        int angle;
        uint32_t side;
    } rows[] = {
        {"left-right turns 45 into 135", 1650, 0x08, 135, 0},
        {"top-bottom moves the branches", 1650, 0x10, 45, kArrayFlipSide},
        {"left-right turns 135 into 45", 1662, 0x08, 45, 0},
        {"vertical left-right changes side", 1671, 0x08, 45, 0},
    };
    for (const Row& row : rows) {
        int array = Build(row.style, 2);
        EXPECT_EQ(0, Send(array, kMsgFlip, row.flags)) << row.name;
        ArrayBranchHead head = Head(array);
        EXPECT_EQ(row.angle, head.angle) << row.name;
        EXPECT_EQ(row.side, head.flags & kArrayFlipSide) << row.name;
    }
    int linear = Build(1626, 2);
    ArrayBranchHead before = Head(linear);
    Send(linear, kMsgFlip, 0x18);
    EXPECT_EQ(before.flags, Head(linear).flags);
}

TEST_F(ArrayReshape, AttributeMessages)
{
    int array = Build(1618, 2);
    int32_t width[2] = {0, 12};
    Send(array, kMsgSetLineWidth, 1, 0, reinterpret_cast<INT_PTR>(width));
    int32_t dashed[2] = {0, 3};
    Send(array, kMsgSetLineStyle, 0, 0, reinterpret_cast<INT_PTR>(dashed));
    EXPECT_EQ(3, Object(array)->lineStyle);
    EXPECT_EQ(1, Object(array)->lineWidth);
    EXPECT_EQ(19025, Send(array, kMsgCommandBits));
    EXPECT_EQ(210, Send(array, kMsgCapabilities));
    TransformRefused = 0;
    Send(array, kMsgSetRotation, 300);
    EXPECT_EQ(1, TransformRefused);
    TransformRefused = 0;
    Object(array)->groupIndex = 0;
    EXPECT_EQ(2625, Send(array, kMsgCommandBits));
    int32_t ends[2] = {0, 3};
    Send(array, kMsgSetArrowEnds, 0, 0, reinterpret_cast<INT_PTR>(ends));
    EXPECT_EQ(0, Object(array)->arrowEnds);
    Object(array)->groupIndex = -1;
    Send(array, kMsgSetArrowEnds, 0, 0, reinterpret_cast<INT_PTR>(ends));
    EXPECT_EQ(3, Object(array)->arrowEnds);
    int32_t stem = -1;
    Send(array, kMsgBranchStem, 0, 0, reinterpret_cast<INT_PTR>(&stem));
    EXPECT_EQ(Entry(array, 1).extent, stem);
}

} // namespace
