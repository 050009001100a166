// An array with shapes hanging on its branches, moved and written to a
// drawing file: read back, the shapes still hang where the array took them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "objects/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/update_links.h"
#include "support/scratch_drawing.h"
#include "support/test_paths.h"
#include "objects/view_record_word.h"

namespace {

// The drawing of a view, locked while `use` runs.
void WithDrawing(HWND view, const std::function<void(DrawingRecord*)>& use)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    auto* record = static_cast<ViewRecord*>(GlobalLock(handle));
    HGLOBAL drawing = GetViewDrawingHandle(record);
    auto* locked = static_cast<DrawingRecord*>(GlobalLock(drawing));
    use(locked);
    GlobalUnlock(drawing);
    GlobalUnlock(handle);
}

TEST(ArrayFile, ShapesHangingOnAMovedArrayComeBackWhereTheyHung)
{
    const std::string file = ScratchPath("array-with-shapes.tyr");
    const int dx = 300;
    const int dy = 200;
    std::vector<RECT> expected;
    {
        ScratchDrawing drawing;
        ASSERT_EQ(0, drawing.Write(file, false, [&](HWND view) {
            RECT frame = {1000, 3000, 2200, 3300};
            ASSERT_EQ(0, CreateObject(view, kKindArray, &frame, 0, 1, 0, 0, 1, 0, 0));
            for (int i = 0; i < 3; ++i) {
                RECT box = {1000 + 700 * i, 6000, 1400 + 700 * i, 6300};
                ASSERT_EQ(0, CreateObject(view, kKindShape, &box, 2, 0, 0, 0, 1, 0, 0));
            }
            WithDrawing(view, [&](DrawingRecord* record) {
                // A style with branches on one side, then the boxes hung on
                // the first three branches.
                int32_t style[2] = {0, 1618 - 1601};
                {
                    LockedTable objects(record, kTableObjects);
                    CallObjectKind(nullptr, record, objects.Get(), 0, kMsgArrayStyle, 0, 0,
                                   reinterpret_cast<INT_PTR>(style));
                }
                for (int i = 0; i < 3; ++i)
                    ASSERT_EQ(0, ConnectSlot(record, 1 + i, -1, 0, 305, i, 0));
                ASSERT_EQ(0, UpdateLinks(record));
                HGLOBAL list = nullptr;
                ASSERT_EQ(0, GatherLinkedObjects(record, 0, &list, kGatherAlone, nullptr));
                ASSERT_EQ(0, MoveObjects(view, dx, dy, list, 1));
                LockedTable objects(record, kTableObjects);
                FreeLinkedObjects(list, objects.Get());
                for (int i = 1; i <= 3; ++i)
                    expected.push_back(ObjectAt(objects.Get(), i)->frame);
            });
        }));
    }
    ASSERT_EQ(3u, expected.size());
    std::vector<DrawingObject> saved = ScratchDrawing().ReadObjects(file);
    ASSERT_EQ(4u, saved.size());
    EXPECT_EQ(kKindArray, saved[0].kind);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(EqualRect(&expected[i], &saved[1 + i].frame)) << "shape " << i;
        EXPECT_EQ(1, saved[1 + i].linkCount) << "shape " << i;
        // Each box sits below the array, not where it was drawn.
        EXPECT_NE(6000, saved[1 + i].frame.top) << "shape " << i << " did not follow the array";
    }
}

} // namespace
