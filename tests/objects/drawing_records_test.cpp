// The five records of a drawing: created, opened again, released; and the
// kind table that every kind-specific operation goes through.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "objects/app_options.h"
#include "objects/view_record.h"
#include "drawing_fixture.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"

namespace {

class DrawingRecords : public DrawingFixture {
protected:
    // Releases the drawing and takes it up again, as after a load.
    void Reopen()
    {
        ReleaseDrawingRecords(GetViewDrawingHandle(ViewRecord()));
        SetViewDrawingHandle(ViewRecord(), nullptr);
        ASSERT_EQ(0, FlushStore(store_, TRUE));
        HGLOBAL drawing = nullptr;
        ASSERT_EQ(0, OpenDrawingRecords(view_, store_, 0, 0, &drawing));
        SetViewDrawingHandle(ViewRecord(), drawing);
    }
};

TEST_F(DrawingRecords, ANewDrawingHasFourEmptyTables)
{
    for (int table = 0; table < 4; ++table) {
        EXPECT_EQ(20u, RecordSize(table)) << table;
        EXPECT_EQ(0, TableCount(table == 0 ? Objects() : table == 1 ? Order() : table == 2 ? Links() : Groups()));
    }
    const DrawingRecord* d = Drawing();
    EXPECT_EQ(kDrawingCentredMiddle, d->flags);
    EXPECT_EQ(-1, d->primarySelected);
    EXPECT_EQ(0, d->lastObjectId);
    EXPECT_EQ(0, d->selectedCount);
    EXPECT_EQ(0, d->loadedSet);
    EXPECT_EQ(1, d->fillMode);
    EXPECT_EQ(1, d->arrowSize);
    EXPECT_EQ(1, d->snapDragFlag);
    EXPECT_EQ(-1, d->toolSlot);
    EXPECT_EQ(20000, d->width);
    EXPECT_EQ(store_, d->storeSlot);
    EXPECT_EQ(12, d->outlineWidth);
    EXPECT_EQ(10, d->textSize);
    EXPECT_EQ(6, d->textPlacement);
    EXPECT_EQ(1, d->rulerScale[4]);
    EXPECT_STREQ("Plain", d->style.name);
    EXPECT_EQ(0xFFFFFFFFu, d->style.backgroundColor);
    EXPECT_EQ(view_, static_cast<HWND>(LongToHandle(static_cast<LONG>(d->viewWindow))));
}

TEST_F(DrawingRecords, OptionsDecideTheDrawingFlags)
{
    struct Row {
        uint16_t options;
        uint32_t textOnLines;
        uint32_t flags;
    };
    const std::vector<Row> rows = {
        {kOptionsSnap, 0, kDrawingCentredMiddle | kDrawingSnap},
        {kOptionsLinesLink, 0, kDrawingCentredMiddle | kDrawingLinesLink},
        {kOptionsShapesLink, 0, kDrawingCentredMiddle | kDrawingShapesLink},
        {kOptionsHints, 2, kDrawingCentredMiddle | kDrawingLineTextLevel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options);
        std::memcpy(options_.data() + kOptionsFlags, &row.options, 2);
        std::memcpy(options_.data() + kOptionsTextOnLines, &row.textOnLines, 4);
        // A second drawing in the same store, in table id 1.
        HGLOBAL drawing = nullptr;
        ASSERT_EQ(0, CreateDrawingRecords(view_, store_, row.options + 1, 100, 100, 0, &drawing));
        auto* record = static_cast<DrawingRecord*>(GlobalLock(drawing));
        EXPECT_EQ(row.flags, record->flags);
        GlobalUnlock(drawing);
        ReleaseDrawingRecords(drawing);
    }
}

TEST_F(DrawingRecords, OpeningCountsTheSelectionAndClearsTransientBits)
{
    CreateRow(4);
    Object(0)->stateFlags = kStateSelected | kStateTextOpen;
    Object(1)->stateFlags = kStateCollected;
    Object(3)->stateFlags = kStateSelected | kStateCollected | kStateLocked;
    Drawing()->primarySelected = 3;
    Drawing()->flags |= kDrawingDragging;
    Reopen();
    EXPECT_EQ(2, Drawing()->selectedCount);
    EXPECT_EQ(3, Drawing()->primarySelected);
    EXPECT_EQ(1, Drawing()->loadedSet);
    EXPECT_EQ(0u, Drawing()->flags & kDrawingDragging);
    EXPECT_EQ(kStateSelected, Object(0)->stateFlags);
    EXPECT_EQ(0u, Object(1)->stateFlags);
    EXPECT_EQ(kStateSelected | kStateLocked, Object(3)->stateFlags);
}

TEST_F(DrawingRecords, OpeningTrustsNoCountBeyondItsRecord)
{
    CreateRow(2);
    static_cast<TableHead*>(Objects())->count = 500;
    static_cast<TableHead*>(Links())->count = 9;
    int32_t* order = DrawOrderEntries(Order());
    order[0] = 7;   // no such object
    order[1] = 1;
    Reopen();
    EXPECT_EQ(2, Count());
    EXPECT_EQ(0, TableCount(Links()));
    EXPECT_EQ((std::vector<int>{1, 0}), DrawOrder());
}

TEST_F(DrawingRecords, AMissingRecordIsReported)
{
    ReleaseDrawingRecords(GetViewDrawingHandle(ViewRecord()));
    SetViewDrawingHandle(ViewRecord(), nullptr);
    HGLOBAL drawing = nullptr;
    EXPECT_EQ(kStoreErrNotFound, OpenDrawingRecords(view_, store_, 3, 0, &drawing));
    EXPECT_EQ(nullptr, drawing);
    EXPECT_EQ(kStoreErrExists, CreateDrawingRecords(view_, store_, 0, 10, 10, 0, &drawing));
    ASSERT_EQ(0, OpenDrawingRecords(view_, store_, 0, 0, &drawing));
    SetViewDrawingHandle(ViewRecord(), drawing);
}

TEST_F(DrawingRecords, EveryKindAnswersUnknownMessagesWithZero)
{
    DrawingObject detached;
    std::memset(&detached, 0, sizeof(detached));
    for (int kind = 0; kind < 4; ++kind) {
        detached.kind = kind;
        DrawingObject before = detached;
        EXPECT_EQ(0, CallObjectKind(nullptr, Drawing(), &detached, -1, 88)) << kind;
        EXPECT_EQ(0, std::memcmp(&before, &detached, sizeof(detached)));
    }
    EXPECT_EQ(0, CallKind(4, nullptr, nullptr, nullptr, -1, kMsgDraw));
    EXPECT_EQ(0, CallKind(-1, nullptr, nullptr, nullptr, -1, kMsgDraw));
    EXPECT_NE(nullptr, ObjectKindTable[4]);
}

} // namespace
