// Creating objects in a drawing kept in a working store.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_ids.h"
#include "objects/picture_chunks.h"
#include "objects/shape_init.h"
#include "store/record_store.h"
#include "objects/document_undo.h"

namespace {

using ObjectCreation = DrawingFixture;

TEST_F(ObjectCreation, TwentyFourUnitsOnEitherSideMakeAnObject)
{
    struct Row {
        const char* name;
        int width;
        int height;
        int made;
    };
    const std::vector<Row> rows = {
        {"a click", 0, 0, 0}, {"23 x 23", 23, 23, 0}, {"23 x 24", 23, 24, 1},
        {"24 x 0", 24, 0, 1}, {"0 x 24", 0, 24, 1},   {"24 x 23", 24, 23, 1},
    };
    int expected = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RECT frame = {5000, 5000, 5000 + row.width, 5000 + row.height};
        EXPECT_EQ(0, Create(frame));
        expected += row.made;
        EXPECT_EQ(expected, Count());
        EXPECT_EQ(expected, static_cast<int>(DrawOrder().size()));
    }
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(ObjectCreation, NewEntryTakesTheDrawingsDefaults)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, 2, 1, 0, 1));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(kTableHeadSize + kObjectEntrySize, static_cast<int>(RecordSize(kTableObjects)));
    EXPECT_EQ(std::vector<int>{0}, DrawOrder());
    DrawingRecord* drawing = Drawing();
    EXPECT_EQ(1, drawing->lastObjectId);
    EXPECT_EQ(1, drawing->selectedCount);
    EXPECT_EQ(0, drawing->primarySelected);
    EXPECT_EQ(0, drawing->loadedSet);

    const DrawingObject* o = Object(0);
    EXPECT_EQ(kKindShape, o->kind);
    EXPECT_EQ(1, o->objectId);
    EXPECT_EQ(1000, o->frame.left);
    EXPECT_EQ(1300, o->frame.bottom);
    EXPECT_EQ(970, o->bounds.left);
    EXPECT_EQ(1330, o->bounds.bottom);
    EXPECT_EQ(1012, o->inner.left);        // the shape's recompute: less the outline
    EXPECT_EQ(1000, o->referenceFrame.left);
    EXPECT_EQ(600, o->width);
    EXPECT_EQ(300, o->height);
    EXPECT_EQ(12, o->lineWidth);
    EXPECT_EQ(1, o->lineStyle);
    EXPECT_EQ(1, o->fillMode);
    EXPECT_EQ(0xFFFFFFu, o->fillColor);
    EXPECT_EQ(0u, o->lineColor);
    EXPECT_EQ(-1, o->textRecordId);
    EXPECT_EQ(-1, o->dataGroup);
    EXPECT_EQ(-1, o->dataFirstId);
    EXPECT_EQ(0, o->dataCount);
    EXPECT_EQ(6, o->textPlacement);
    EXPECT_EQ(6, o->textAlignment);
    EXPECT_EQ(24, o->textMargins.left);
    EXPECT_EQ(24, o->textMargins.bottom);
    EXPECT_EQ(kStateSelected, o->stateFlags);
    EXPECT_EQ(0u, o->optionFlags);
    EXPECT_EQ(kNoObjectId, o->labelPartnerId);
    EXPECT_EQ(-1, o->labelPartnerHint);
    EXPECT_EQ(0, o->groupKey);
    EXPECT_EQ(-1, o->groupIndex);
    EXPECT_EQ(0, o->arrowEnds);
    EXPECT_EQ(1, o->arrowSize);
    EXPECT_EQ(1, o->kindWord1);
    EXPECT_EQ(3, o->kindWord2);
    EXPECT_EQ(1, o->linkCapacity);
    EXPECT_EQ(0, o->linkCount);
    EXPECT_EQ(0, o->lastHookPoint[0]);
    EXPECT_EQ(0, o->lastHookPoint[1]);

    uint32_t viewFlags = static_cast<uint32_t>(ReadViewField(ViewRecord(), kViewFlags));
    EXPECT_EQ(kViewModified | kViewRepaintBuffered, viewFlags);
    EXPECT_EQ(40, ReadViewField(ViewRecord(), kViewPendingUndo));
}

TEST_F(ObjectCreation, NewObjectIsNeverInvisible)
{
    Drawing()->outlineWidth = 0;
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, 2));
    EXPECT_EQ(1, Object(0)->lineWidth);
}

TEST_F(ObjectCreation, NoDefaultFillBecomesSolid)
{
    Drawing()->fillMode = 0;
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, 2));
    EXPECT_EQ(1, Drawing()->fillMode);
    EXPECT_EQ(1, Object(0)->fillMode);
}

TEST_F(ObjectCreation, SelectingTheNewObjectDropsTheOldSelection)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}));
    ASSERT_EQ(0, Create({2000, 1000, 2600, 1300}));
    EXPECT_EQ(0u, Object(0)->stateFlags & kStateSelected);
    EXPECT_EQ(kStateSelected, Object(1)->stateFlags & kStateSelected);
    EXPECT_EQ(1, Drawing()->selectedCount);
    EXPECT_EQ(1, Drawing()->primarySelected);
    EXPECT_EQ(2, Object(1)->objectId);
}

TEST_F(ObjectCreation, InsideTheCallersStepTheObjectIsNotSelected)
{
    ASSERT_EQ(0, BeginDocumentUndo(view_, 40));
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, 2, 1, 1));
    EXPECT_EQ(0u, Object(0)->stateFlags & kStateSelected);
    EXPECT_EQ(0, Drawing()->selectedCount);
}

TEST_F(ObjectCreation, The16001stObjectIsRefused)
{
    // A table of 16,000 objects, filled directly.
    SetTableCount(kTableObjects, kMaxObjects);
    SetTableCount(kTableDrawOrder, kMaxObjects);
    for (int i = 0; i < kMaxObjects; ++i) {
        DrawingObject* object = Object(i);
        object->objectId = i + 1;
        object->frame = {0, 0, 100, 100};
        DrawOrderEntries(Order())[i] = i;
    }
    Drawing()->lastObjectId = kMaxObjects;
    EXPECT_EQ(kErrTooManyObjects, Create({1000, 1000, 1600, 1300}));
    EXPECT_EQ(kMaxObjects, Count());
    EXPECT_EQ(kMaxObjects, static_cast<int>(DrawOrder().size()));
    // The view cancels the step it opened.
    EXPECT_EQ(0, CancelDrawingEdit(view_));
    EXPECT_EQ(kMaxObjects, Count());
}

TEST_F(ObjectCreation, CancellingTheStepTakesTheObjectAway)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(0, CancelDrawingEdit(view_));
    EXPECT_EQ(0, Count());
    EXPECT_TRUE(DrawOrder().empty());
    EXPECT_EQ(0, Drawing()->lastObjectId);
    EXPECT_EQ(0, ReadViewField(ViewRecord(), kViewPendingUndo));
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(ObjectCreation, AKindThatFailsHasItsStepRolledBack)
{
    // Without the text group a text box cannot get its text record.
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}));
    ASSERT_EQ(0, DeleteGroup(store_, kTextGroup));
    EXPECT_EQ(kStoreErrNotFound, Create({2000, 1000, 2600, 1300}, 0));
    EXPECT_EQ(1, Count());
    EXPECT_EQ(std::vector<int>{0}, DrawOrder());
    EXPECT_EQ(0, ReadViewField(ViewRecord(), kViewPendingUndo));
}

TEST_F(ObjectCreation, TextBoxGetsAnEmptyTextRecord)
{
    ASSERT_EQ(0, Create({1000, 1000, 1600, 1300}, 0));
    const DrawingObject* box = Object(0);
    EXPECT_EQ(2, box->shapeType);
    EXPECT_EQ(kStateTextBox | kStateTextOpen, box->stateFlags & (kStateTextBox | kStateTextOpen));
    EXPECT_EQ(0, box->lineWidth);
    EXPECT_EQ(0, box->fillMode);
    EXPECT_EQ(54, box->width);
    EXPECT_EQ(3u, box->textRoleFlags);
    EXPECT_EQ(0, box->textMargins.left);
    ASSERT_GE(box->textRecordId, 0);
    RecordHandle text = nullptr;
    EXPECT_EQ(0, FindRecord(store_, kTextGroup, static_cast<short>(box->textRecordId), &text));
    EXPECT_EQ(16u, QueryRecordSize(text));
    ReleaseRecord(text);
}

TEST_F(ObjectCreation, PictureObjectStoresItsPicture)
{
    HGLOBAL picture = SeamGlobalAlloc(GMEM_MOVEABLE, 100);
    std::memset(GlobalLock(picture), 0x5A, 100);
    GlobalUnlock(picture);
    PictureCreationBlock block;
    std::memset(&block, 0, sizeof(block));
    block.byteSize = 100;
    RECT frame = {1000, 1000, 1600, 1300};
    ASSERT_EQ(0, CreateObject(view_, kKindShape, &frame, 1, kMetafilePictureGroup, reinterpret_cast<INT_PTR>(picture),
                              0, 0, reinterpret_cast<INT_PTR>(&block), 1));
    GlobalFree(picture);
    const DrawingObject* object = Object(0);
    EXPECT_EQ(kMetafilePictureGroup, object->dataGroup);
    EXPECT_EQ(1, object->dataCount);
    EXPECT_EQ(kOptionFrameless, object->optionFlags);
    // The picture comes back byte for byte from its chunk records.
    HGLOBAL loaded = nullptr;
    RECT bounds = {};
    int colors = 0;
    int scanFlags = 0;
    DWORD byteCount = 0;
    ASSERT_EQ(0, LoadPicture(store_, kMetafilePictureGroup, object->dataFirstId, object->dataCount, &loaded, &bounds,
                             &colors, nullptr, &scanFlags, &byteCount));
    ASSERT_NE(nullptr, loaded);
    ASSERT_EQ(100u, byteCount);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(loaded));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(0x5A, bytes[i]) << i;
    GlobalUnlock(loaded);
    GlobalFree(loaded);
}

TEST_F(ObjectCreation, NewEntryReusingASpareSlotStartsFromZero)
{
    CreateRow(2);
    // The second object remembers a hook point; deleting the first leaves its
    // bytes in the table's spare entry.
    Object(1)->lastHookPoint[0] = 77;
    Object(1)->lastHookPoint[1] = 88;
    Object(1)->kindCoordinate = 99;
    ASSERT_EQ(0, DeleteObjects(Drawing(), 0, 0));
    ASSERT_EQ(1, Count());
    ASSERT_EQ(0, Create({3000, 3000, 3600, 3300}));
    ASSERT_EQ(2, Count());
    EXPECT_EQ(0, Object(1)->lastHookPoint[0]);
    EXPECT_EQ(0, Object(1)->lastHookPoint[1]);
    EXPECT_EQ(0, Object(1)->kindCoordinate);
}

TEST_F(ObjectCreation, IdsStayWithin16BitKeys)
{
    CreateRow(3);
    ASSERT_EQ(0, DeleteObjects(Drawing(), 0, 1));   // frees id 2
    for (int32_t last : {0xFFFE, kMaxObjectId}) {
        SCOPED_TRACE(last);
        Drawing()->lastObjectId = last;
        EXPECT_EQ(2, NewObjectId(Drawing()));
    }
    Drawing()->lastObjectId = kMaxObjectId - 1;
    EXPECT_EQ(kMaxObjectId, NewObjectId(Drawing()));
    EXPECT_EQ(2, NewObjectId(Drawing()));
    // An object made after the counter ran out takes the free id.
    Drawing()->lastObjectId = 0xFFFE;
    ASSERT_EQ(0, Create({5000, 5000, 5600, 5300}));
    EXPECT_EQ(2, Object(Count() - 1)->objectId);
}

} // namespace
