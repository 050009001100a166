// Hanging objects on arrays and taking them off: entries, ordinals, anchor
// codes, record sizes, and the hanging objects following a moved array.
#include <gtest/gtest.h>

#include "array_fixture.h"
#include "lines/array_attach.h"
#include "objects/kind_messages.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"

namespace {

class ArrayAttach : public ArrayDrawing {};

TEST_F(ArrayAttach, FirstObjectKeepsTheSingleLineForm)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int box = MakeBox(1000, 6000, 400);
    Hang(box, array, 0);
    ArrayBranchHead head = Head(array);
    EXPECT_EQ(1, head.entryCount);
    EXPECT_EQ(1, head.branchCount);
    EXPECT_EQ(Object(box)->objectId, Entry(array, 0).id);
    EXPECT_EQ(static_cast<size_t>(40 + 28 * 4), ListBytes(array).size());
}

TEST_F(ArrayAttach, SecondObjectMakesTheGeneralForm)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int a = MakeBox(1000, 6000, 400);
    int b = MakeBox(1600, 6000, 400);
    Hang(a, array, 0);
    Hang(b, array, 1);
    ArrayBranchHead head = Head(array);
    EXPECT_EQ(5, head.entryCount);
    EXPECT_EQ(2, head.branchCount);
    EXPECT_EQ(Object(a)->objectId, Entry(array, 3).id);
    EXPECT_EQ(Object(b)->objectId, Entry(array, 4).id);
    EXPECT_EQ(static_cast<size_t>(40 + 28 * 5), ListBytes(array).size());
    EXPECT_EQ(0, Object(a)->links[0].x);
    EXPECT_EQ(1, Object(b)->links[0].x);
}

TEST_F(ArrayAttach, InsertingAtTheFrontRenumbersTheOthers)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int boxes[4];
    for (int i = 0; i < 4; ++i) {
        boxes[i] = MakeBox(1000 + 500 * i, 6000, 400);
        Hang(boxes[i], array, i);
    }
    int newcomer = MakeBox(4000, 6000, 400);
    Hang(newcomer, array, 0);
    EXPECT_EQ(0, Object(newcomer)->links[0].x);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i + 1, Object(boxes[i])->links[0].x) << i;
    EXPECT_EQ(Object(newcomer)->objectId, Entry(array, 3).id);
    EXPECT_EQ(static_cast<size_t>(40 + 28 * 8), ListBytes(array).size());
}

TEST_F(ArrayAttach, DetachingOneOfTwoCollapsesToOneLine)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int a = MakeBox(1000, 6000, 400);
    int b = MakeBox(1600, 6000, 600);
    Hang(a, array, 0);
    Hang(b, array, 1);
    int branchStart = Object(array)->inner.left + Entry(array, 4).left;
    Detach(a, array);
    ArrayBranchHead head = Head(array);
    EXPECT_EQ(1, head.entryCount);
    EXPECT_EQ(1, head.branchCount);
    EXPECT_EQ(Object(b)->objectId, Entry(array, 0).id);
    EXPECT_EQ(0, Object(b)->links[0].x);
    EXPECT_EQ(branchStart, Object(array)->inner.left);
    EXPECT_EQ(static_cast<size_t>(40 + 28 * 4), ListBytes(array).size());
}

TEST_F(ArrayAttach, DetachingFromAThreeBranchArrayShrinksTheRecord)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int boxes[3];
    for (int i = 0; i < 3; ++i) {
        boxes[i] = MakeBox(1000 + 500 * i, 6000, 400);
        Hang(boxes[i], array, i);
    }
    Detach(boxes[0], array);
    ArrayBranchHead head = Head(array);
    EXPECT_EQ(2, head.branchCount);
    EXPECT_EQ(5, head.entryCount);
    EXPECT_EQ(0, Object(boxes[1])->links[0].x);
    EXPECT_EQ(1, Object(boxes[2])->links[0].x);
    EXPECT_EQ(static_cast<size_t>(40 + 28 * 5), ListBytes(array).size());
}

TEST_F(ArrayAttach, AnUnrelatedDetachLeavesTheHangingObject)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int box = MakeBox(1000, 6000, 400);
    Hang(box, array, 0);
    // Some other object's link on the array goes away.
    EXPECT_EQ(0, Send(array, kMsgLinkChanged, 4321, -1, -1));
    EXPECT_EQ(1, Head(array).branchCount);
    EXPECT_EQ(Object(box)->objectId, Entry(array, 0).id);
}

TEST_F(ArrayAttach, AnchorCodesFollowStyleAndOrdinal)
{
    struct Row {
        const char* name;
        int style;
        int ordinal;
        int code;
    } rows[] = {
        {"one side below", 1618, 1, 305},  {"both sides even", 1612, 0, 305}, {"both sides odd", 1612, 1, 306},
        {"linear horizontal", 1626, 0, 307}, {"vertical right", 1630, 0, 307}, {"vertical left", 1631, 0, 308},
        {"vertical both odd", 1633, 1, 307}, {"linear vertical", 1646, 0, 305},
    };
    for (const Row& row : rows) {
        int array = MakeArray({1000, 3000, 2200, 3300});
        Style(array, row.style);
        int box = MakeBox(1000, 6000, 400);
        std::vector<unsigned char> bytes = ListBytes(array);
        EXPECT_EQ(row.code, GetBranchAnchorCode(Object(array), Object(box),
                                                reinterpret_cast<ArrayBranchHead*>(bytes.data()), row.ordinal))
            << row.name;
    }
}

TEST_F(ArrayAttach, DropAnchorAndHookPointCounts)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1612);
    for (int i = 0; i < 3; ++i)
        Hang(MakeBox(1000 + 500 * i, 6000, 400), array, i);
    int count = 0;
    POINT points[700];
    Send(array, kMsgHookPoints, 0, reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(points));
    EXPECT_EQ(4, count);
    EXPECT_EQ(3, points[3].x);
    int32_t candidates = 4;
    EXPECT_EQ(306, Send(array, kMsgBranchAnchor, 0, 1, reinterpret_cast<INT_PTR>(&candidates)));
    EXPECT_EQ(1, candidates);
    candidates = 2;
    EXPECT_EQ(0, Send(array, kMsgBranchAnchor, 0, 1, reinterpret_cast<INT_PTR>(&candidates)));
    Style(array, 1626);
    candidates = 4;
    EXPECT_EQ(305, Send(array, kMsgBranchAnchor, 0, 0, reinterpret_cast<INT_PTR>(&candidates)));
}

TEST_F(ArrayAttach, HangingShapesMoveWithTheArray)
{
    int array = MakeArray({1000, 3000, 2200, 3300});
    Style(array, 1618);
    int boxes[3];
    for (int i = 0; i < 3; ++i) {
        boxes[i] = MakeBox(1000 + 700 * i, 6000, 400);
        Hang(boxes[i], array, i);
    }
    RECT before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = Object(boxes[i])->frame;
    HGLOBAL list = nullptr;
    ASSERT_EQ(0, GatherLinkedObjects(Drawing(), array, &list, kGatherAlone, nullptr));
    ASSERT_EQ(0, MoveObjects(view_, 300, 200, list, 0));
    FreeLinkedObjects(list, Objects());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(before[i].left + 300, Object(boxes[i])->frame.left) << i;
        EXPECT_EQ(before[i].top + 200, Object(boxes[i])->frame.top) << i;
    }

}

} // namespace
