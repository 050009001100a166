// Shape messages that reach into the drawing's records: the freeform outline,
// the text's shadow effect and the link table.
#include <gtest/gtest.h>

#include <cstring>

#include "drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/shape_rotation.h"
#include "store/record_store.h"

namespace {

using ShapeRecords = DrawingFixture;

TEST_F(ShapeRecords, TypeChangeRemovesTheFreeformOutline)
{
    CreateRow(1);
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kFreeformGroup, 4, 28 + 28 * 3, &record));
    ReleaseRecord(record);
    DrawingObject* shape = Object(0);
    shape->shapeType = 26;
    shape->dataGroup = kFreeformGroup;
    shape->dataFirstId = 4;
    shape->dataCount = 1;
    HGLOBAL outline = LoadFreeformOutline(store_, shape);
    EXPECT_NE(nullptr, outline);
    ReleaseFreeformOutline(outline);
    RECT frame = shape->frame;
    int32_t value[2] = {0, 2};
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgSetShapeType, 0, 0,
                                reinterpret_cast<INT_PTR>(value)));
    shape = Object(0);
    EXPECT_EQ(2, shape->shapeType);
    EXPECT_EQ(-1, shape->dataGroup);
    EXPECT_EQ(-1, shape->dataFirstId);
    EXPECT_EQ(0, shape->dataCount);
    EXPECT_EQ(frame.left, shape->frame.left);
    EXPECT_EQ(frame.right, shape->frame.right);
    EXPECT_EQ(kStoreErrNotFound, FindRecord(store_, kFreeformGroup, 4, &record));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(ShapeRecords, ShadowSchemeReachesTheTextEffect)
{
    CreateRow(1);
    RecordHandle record = nullptr;
    ASSERT_EQ(0, CreateRecord(store_, kTextGroup, 3, 16 + 88, &record));
    ReleaseRecord(record);
    Object(0)->textRecordId = 3;
    ColorStyle& style = Drawing()->style;
    style.flags = kStyleShadowOnText | kStyleReverseTextShadow;
    style.shadowKind = 1;
    style.shadowDx = 9;
    style.shadowDy = -6;
    style.shadowColor = 0x808080;
    style.highlightColor = 0xF0F0F0;
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgShadowSchemeChanged));
    ASSERT_EQ(0, FindRecord(store_, kTextGroup, 3, &record));
    int32_t effect[5];
    std::memcpy(effect, static_cast<unsigned char*>(GlobalLock(record)) + 16 + 68, sizeof(effect));
    GlobalUnlock(record);
    ReleaseRecord(record);
    EXPECT_EQ(9, effect[0]);
    EXPECT_EQ(-6, effect[1]);
    EXPECT_EQ(2, effect[2]);   // the extrusions swap under the reverse flag
    EXPECT_EQ(0x808080, effect[3]);
    EXPECT_EQ(0xF0F0F0, effect[4]);

    // Hiding the text's shadow leaves only the kind cleared.
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgShadowFlags, kOptionHideTextShadow, 1));
    ASSERT_EQ(0, FindRecord(store_, kTextGroup, 3, &record));
    std::memcpy(effect, static_cast<unsigned char*>(GlobalLock(record)) + 16 + 68, sizeof(effect));
    GlobalUnlock(record);
    ReleaseRecord(record);
    EXPECT_EQ(0, effect[2]);
    EXPECT_EQ(9, effect[0]);
}

TEST_F(ShapeRecords, TurningAShapeMarksTheLinksThatReachIt)
{
    CreateRow(2);
    SetTableCount(kTableLinks, 1);
    *LinkEntryAt(Links(), 0) = {Object(0)->objectId, 0, Object(1)->objectId, 1, 0};
    Object(1)->linkCount = 1;
    Object(1)->links[0] = {Object(0)->objectId, 0, 300, 0, 205};
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgSetRotation, 450));
    EXPECT_EQ(450, Object(0)->rotation);
    EXPECT_EQ(kLinkTargetMoved | kLinkRechoosePoint, LinkEntryAt(Links(), 0)->flags);

    // Flipping the hanging shape marks its host's links as moved.
    LinkEntryAt(Links(), 0)->flags = 0;
    Object(1)->shapeType = 5;
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 1, kMsgFlip, 0x08));
    EXPECT_EQ(kOptionFlipH, Object(1)->optionFlags);
    EXPECT_EQ(kLinkTargetMoved, LinkEntryAt(Links(), 0)->flags);
}

TEST_F(ShapeRecords, ARotatedShapeIsKeptInsideTheDrawing)
{
    ASSERT_EQ(0, Create({0, 0, 1200, 100}, 2, 1, 1));
    // Turned upright about its centre (600, 50) it would reach above the top.
    EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgSetRotation, 900));
    RECT box = {};
    CallObjectKind(nullptr, Drawing(), Objects(), 0, kMsgDrawnRect, 0, 0, reinterpret_cast<INT_PTR>(&box));
    EXPECT_GE(box.top, 0);
    EXPECT_GE(box.left, 0);
}

} // namespace
