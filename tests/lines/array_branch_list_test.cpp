// Damaged branch lists: every reader answers an error or nothing, and never
// reads outside the record, whatever the counts say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "array_fixture.h"
#include "lines/array_layout.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"

namespace {

class ArrayBranchList : public ArrayDrawing {
protected:
    // Every message that reads the list, on the array as it is now.
    void ExerciseReaders(int array)
    {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 64);
        HGDIOBJ old = SelectObject(dc, bitmap);
        Send(array, kMsgDraw, 0, 0, 0);
        Object(array)->stateFlags |= kStateSelected;
        POINT point = {Object(array)->inner.left, Object(array)->kindCoordinate};
        Send(array, kMsgHitTest, 0, 0, reinterpret_cast<INT_PTR>(&point));
        CallObjectKind(dc, Drawing(), Objects(), array, kMsgDrawHandles);
        int count = 0;
        static POINT points[700];
        Send(array, kMsgHookPoints, 0, reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(points));
        if (count > 0 && count <= 600)
            Send(array, kMsgMapBoxPoints, count, 0, reinterpret_cast<INT_PTR>(points));
        points[0] = {2, 0};
        Send(array, kMsgMapBoxPoints, 1, 0, reinterpret_cast<INT_PTR>(points));
        points[0] = {-2, 0};
        Send(array, kMsgMapBoxPoints, 1, 0, reinterpret_cast<INT_PTR>(points));
        Send(array, kMsgConnectPoints, 0, reinterpret_cast<INT_PTR>(&count), reinterpret_cast<INT_PTR>(points));
        POINT end = {0, 0};
        Send(array, kMsgAnchorPoint, 1, 0, reinterpret_cast<INT_PTR>(&end));
        int32_t stem = 0;
        Send(array, kMsgBranchStem, 0, 0, reinterpret_cast<INT_PTR>(&stem));
        RECT rect = Object(array)->frame;
        Send(array, kMsgLayoutRect, 0, 0, reinterpret_cast<INT_PTR>(&rect));
        Send(array, kMsgRecompute);
        Send(array, kMsgResizeToRect, 0, 0, reinterpret_cast<INT_PTR>(&rect));
        Drawing()->warningId = 8;
        Send(array, kMsgResizeByHandle, 8, 0, reinterpret_cast<INT_PTR>(&rect));
        Send(array, kMsgFlip, 0x18);
        int32_t style[2] = {0, 1612 - 1601};
        Send(array, kMsgArrayStyle, 0, 0, reinterpret_cast<INT_PTR>(style));
        Send(array, kMsgLinkChanged, 77, -1, -1);
        Object(array)->stateFlags &= ~kStateSelected;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int ThreeBranches()
    {
        int array = MakeArray({1000, 3000, 2200, 3300});
        Style(array, 1618);
        for (int i = 0; i < 3; ++i)
            Hang(MakeBox(1000 + 500 * i, 6000, 400), array, i);
        return array;
    }
};

TEST_F(ArrayBranchList, DamagedCountsAreRefused)
{
    struct Row {
        const char* name;
        int entries;
        int branches;
        int size;   // record size, header included
    } rows[] = {
        {"no entries", 0, 0, 208},
        {"negative branch count", 6, -1, 208},
        {"more branches than entries", 3, 5, 208},
        {"entries far past the branches", 40, 3, 208},
        {"branches past the record", 60, 60, 208},
        {"huge counts", 0x7FFFFFFF, 0x7FFFFFF0, 208},
        {"record shorter than its head", 1, 0, 30},
        {"record shorter than three entries", 1, 0, 100},
    };
    for (const Row& row : rows) {
        int array = ThreeBranches();
        std::vector<unsigned char> bytes = ListBytes(array);
        bytes.resize(static_cast<size_t>(row.size), 0);
        if (bytes.size() >= 40) {
            auto* list = reinterpret_cast<ArrayBranchHead*>(bytes.data());
            list->entryCount = row.entries;
            list->branchCount = row.branches;
        }
        WriteList(array, bytes);
        EXPECT_EQ(kStoreErrTooSmall, LayoutArray(Drawing(), Objects(), array)) << row.name;
        EXPECT_EQ(0u, Object(array)->stateFlags & kStateLayoutPending) << row.name;
        ExerciseReaders(array);
        std::vector<unsigned char> after = ListBytes(array);
        EXPECT_EQ(bytes.size(), after.size()) << row.name;
    }
}

TEST_F(ArrayBranchList, CheckTable)
{
    struct Row {
        const char* name;
        int entries;
        int branches;
        DWORD size;
        ErrorCode code;
    } rows[] = {
        {"new array", 1, 0, 124, kErrNone},
        {"single line with its object", 1, 1, 152, kErrNone},
        {"general form", 6, 3, 208, kErrNone},
        {"detached single line keeps its size", 1, 0, 152, kErrNone},
        {"general form one entry short", 6, 3, 207, kStoreErrTooSmall},
        {"first entry before zero", 2, 3, 208, kStoreErrTooSmall},
    };
    for (const Row& row : rows) {
        ArrayBranchHead head = {};
        head.entryCount = row.entries;
        head.branchCount = row.branches;
        EXPECT_EQ(row.code, CheckArrayBranchList(&head, row.size)) << row.name;
    }
}

TEST_F(ArrayBranchList, SeededMutationsNeverCrash)
{
    int array = ThreeBranches();
    const std::vector<unsigned char> good = ListBytes(array);
    uint32_t seed = 20261210;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<unsigned char> bytes = good;
        int flips = 1 + static_cast<int>(next() % 6);
        for (int k = 0; k < flips; ++k) {
            size_t at = 16 + next() % (bytes.size() - 16);
            bytes[at] = static_cast<unsigned char>(next());
        }
        if (next() % 4 == 0)
            bytes.resize(16 + next() % (bytes.size() - 16));
        if (bytes.size() < 17)
            bytes.resize(17, 0);
        WriteList(array, bytes);
        // A list the check refuses is refused by the layout too; nothing else may come back.
        ArrayBranchHead head = {};
        std::memcpy(&head, bytes.data(), std::min(sizeof(head), bytes.size()));
        const bool sound = bytes.size() >= sizeof(head) &&
                           CheckArrayBranchList(&head, static_cast<DWORD>(bytes.size())) == kErrNone;
        const ErrorCode code = LayoutArray(Drawing(), Objects(), array);
        EXPECT_TRUE(code == kErrNone || code == kStoreErrTooSmall) << "round " << round << " code " << code;
        if (!sound) {
            EXPECT_EQ(kStoreErrTooSmall, code) << "round " << round;
        }
        ExerciseReaders(array);
        // The hanging shapes' slots may now name any ordinal: put the good
        // list back for the next round.
        WriteList(array, good);
    }
}

} // namespace
