// Text on drawing objects: editing in place, free text from the text tool,
// guests of lines, the attribute kind messages and the stored record's limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "text/object_text_helpers.h"
#include "text/object_text_messages.h"
#include "text/ten_char_format.h"
#include "text/ten_messages.h"
#include "text/ten_state_access.h"
#include "objects/text_block_store.h"
#include "view/end_text_edit.h"
#include "view/object_text_edit.h"
#include "object_text_document.h"
#include "text_engine_support.h"

namespace {

const RECT kRectangle = {1200, 1200, 3000, 2100};

bool Contains(const std::vector<uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

ErrorCode SendKindMessage(ObjectTextDocument& doc, int index, int message, TextAttributeRequest request)
{
    return static_cast<ErrorCode>(CallObjectKind(nullptr, doc.Drawing(), doc.Objects(), index, message, 0, 0,
                                                 reinterpret_cast<INT_PTR>(&request)));
}

} // namespace

TEST(ObjectText, TypedTextOfARectangleIsStoredAndWrittenWithTheDrawing)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    ASSERT_EQ(1, doc.Count());
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1500, 1500, 0));
    HWND editor = doc.Editor();
    ASSERT_NE(nullptr, editor);
    EXPECT_NE(0u, doc.Object(0)->stateFlags & kStateTextOpen);
    TypeInto(editor, "Router 1");
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    EXPECT_EQ(nullptr, doc.Editor());
    EXPECT_EQ(1, doc.Count());
    EXPECT_EQ("Router 1", doc.StoredText(0));
    EXPECT_EQ(0u, doc.Object(0)->stateFlags & kStateTextOpen);
    ErrorCode code = kErrNotDone;
    const std::vector<uint8_t> stream = doc.Write(&code);
    EXPECT_EQ(0, code);
    EXPECT_TRUE(Contains(stream, "Router 1"));
}

TEST(ObjectText, ADoubleClickedWordMadeBoldIsUndoneAndRedoneAndStored)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    ASSERT_EQ(0, doc.PutText(0, "Router 1"));
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1300, 1300, 0));
    HWND editor = doc.Editor();
    ASSERT_NE(nullptr, editor);
    POINT point = {};
    {
        TenStateLock state(editor);
        ASSERT_TRUE(state);
        SendMessageA(editor, TENM_SETSEL, 0, PackTenPair(2, 2));
        point = POINT{state->live.selectionStart.x, state->live.selectionStart.x};
        point.y = state->margins.top + 20;
        LPtoDP(state->windowDC, &point, 1);
    }
    const LPARAM where = PackTenPair(point.x, point.y);
    SendMessageA(editor, WM_LBUTTONDOWN, 0, where);
    SendMessageA(editor, WM_LBUTTONUP, 0, where);
    SendMessageA(editor, WM_LBUTTONDBLCLK, 0, where);
    SendMessageA(editor, WM_LBUTTONUP, 0, where);
    ASSERT_EQ(static_cast<LRESULT>((7u << 16) | 0u), SendMessageA(editor, TENM_GETSEL, 0, 0));
    ToggleTenStyle(editor, kTextBold);
    EXPECT_EQ(kTextBold, SendMessageA(editor, TENM_GETCHARFORMAT, kCharStyle, 0));
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(0, SendMessageA(editor, TENM_GETCHARFORMAT, kCharStyle, 0));
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(kTextBold, SendMessageA(editor, TENM_GETCHARFORMAT, kCharStyle, 0));
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    const std::vector<TextFormat> formats = doc.StoredFormats(0);
    ASSERT_EQ(2u, formats.size());
    EXPECT_EQ(kTextBold, formats[0].style);
    EXPECT_EQ(7, formats[0].length);
    EXPECT_EQ(0, formats[1].style);
    EXPECT_EQ("Router 1", doc.StoredText(0));
}

TEST(ObjectText, ReopeningKeepsTheTextAndAnUnchangedEndStoresNothingNew)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    ASSERT_EQ(0, doc.PutText(0, "Switch"));
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1300, 1300, 0));
    EXPECT_EQ(6, SendMessageA(doc.Editor(), TENM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(0, SendMessageA(doc.Editor(), TENM_GETMODIFY, 0, 0));
    EXPECT_EQ(0, EndTextEdit(doc.view(), 1));
    EXPECT_EQ("Switch", doc.StoredText(0));
    EXPECT_NE(0u, doc.Object(0)->stateFlags & kStateSelected);
}

TEST(ObjectText, EmptyingAShapesTextDeletesItsRecordButKeepsTheShape)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    ASSERT_EQ(0, doc.PutText(0, "gone"));
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1300, 1300, 0));
    SendMessageA(doc.Editor(), TENM_SETSEL, 0, PackTenPair(0, 32000));
    SendMessageA(doc.Editor(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    EXPECT_EQ(1, doc.Count());
    EXPECT_EQ(-1, doc.Object(0)->textRecordId);
}

TEST(ObjectText, TheTextToolOnAnEmptySpotMakesAFreeTextObject)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, BeginNewText(doc.view(), 2000, 3000));
    HWND editor = doc.Editor();
    ASSERT_NE(nullptr, editor);
    RECT frame = {};
    SendMessageA(editor, TENM_OWNERFRAME, 0, reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(2000 - 24, frame.left);
    EXPECT_EQ(60 + 48, frame.right - frame.left);
    TypeInto(editor, "Label");
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    ASSERT_EQ(1, doc.Count());
    const DrawingObject* object = doc.Object(0);
    EXPECT_NE(0u, object->stateFlags & kStateTextBox);
    EXPECT_EQ("Label", doc.StoredText(0));
    const TextBlockHeader header = doc.StoredHeader(0);
    EXPECT_GT(header.widestLine, 0);
    EXPECT_GE(object->frame.right - object->frame.left, header.widestLine + 100);
}

TEST(ObjectText, AnEmptyNewTextMakesNothing)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, BeginNewText(doc.view(), 2000, 3000));
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    EXPECT_EQ(0, doc.Count());
}

TEST(ObjectText, ALockedObjectOpensNoEditor)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    doc.Object(0)->stateFlags |= kStateLocked;
    EXPECT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1300, 1300, 0));
    EXPECT_EQ(nullptr, doc.Editor());
}

TEST(ObjectText, TextOnALineWithoutAGuestMakesAnAttachedGuest)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddLine(RECT{1000, 3000, 4000, 3000}));
    ASSERT_EQ(1, doc.Count());
    DrawingObject* line = doc.Object(0);
    line->textRoleFlags |= kTextAlongLine;
    line->textAlignment = 6;
    line->textPlacement = 0;
    line->labelPartnerId = kNoObjectId;
    line->labelPartnerHint = -1;
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 0, 0, 0));
    ASSERT_NE(nullptr, doc.Editor());
    RECT frame = {};
    SendMessageA(doc.Editor(), TENM_OWNERFRAME, 0, reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(3000 + 24, frame.bottom);
    EXPECT_LT(frame.top, 3000 - 24);
    EXPECT_NEAR(2500 - 30 - 24, frame.left, 2);
    TypeInto(doc.Editor(), "100 m");
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    ASSERT_EQ(2, doc.Count());
    const DrawingObject* guest = doc.Object(1);
    line = doc.Object(0);
    EXPECT_EQ("100 m", doc.StoredText(1));
    EXPECT_NE(0u, guest->stateFlags & kStateAttached);
    EXPECT_EQ(guest->objectId, line->labelPartnerId);
    EXPECT_EQ(line->objectId, guest->labelPartnerId);
    ASSERT_GE(guest->linkCount, 1);
    EXPECT_EQ(206, guest->links[0].connectCode);
    EXPECT_EQ(1, FindTextHolder(doc.Objects(), 0));
}

TEST(ObjectText, GrowingAGroupedObjectScalesItsGroup)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(RECT{1000, 1000, 1600, 1300}));
    ASSERT_EQ(0, doc.AddShape(RECT{1700, 1000, 2300, 1300}));
    DrawingRecord* drawing = doc.Drawing();
    ASSERT_EQ(0, ResizeDrawingTable(drawing, kTableGroups, kTableHeadSize + kGroupEntrySize));
    HGLOBAL groupsHandle = DrawingTableHandle(drawing, kTableGroups);
    void* groups = GlobalLock(groupsHandle);
    static_cast<TableHead*>(groups)->count = 1;
    GroupEntry* entry = GroupEntryAt(groups, 0);
    std::memset(entry, 0, sizeof(*entry));
    entry->key = 2;
    GlobalUnlock(groupsHandle);
    for (int i = 0; i < 2; ++i) {
        DrawingObject* member = doc.Object(i);
        member->groupKey = 2;
        member->groupIndex = 0;
        member->referenceFrame = member->frame;
        member->textBoxWord = 2;
    }
    RecalcGroupRect(doc.Drawing(), 0, nullptr);
    const int rightBefore = doc.Object(1)->frame.right;
    ASSERT_EQ(0, BeginObjectText(doc.view(), doc.record(), 0, 1100, 1100, 0));
    TypeInto(doc.Editor(), "a text long enough\rto need\rmore lines\rthan the box\rholds");
    EXPECT_EQ(0, EndTextEdit(doc.view(), 0));
    EXPECT_GT(doc.Object(0)->frame.bottom, 1300);
    EXPECT_GT(doc.Object(1)->frame.bottom - doc.Object(1)->frame.top, 300);
    EXPECT_GE(doc.Object(1)->frame.right, rightBefore);
}

TEST(ObjectText, AnchorCodesFollowTheAlignmentTable)
{
    struct Case {
        const char* name;
        int horizontal, vertical;
        int code, point;
    } cases[] = {
        {"left top", 0, 0, 203, 0},     {"left bottom", 0, 8, 201, 0},    {"left middle", 0, 6, 207, 0},
        {"right top", 2, 0, 204, 600},  {"right bottom", 2, 8, 202, 600}, {"right middle", 2, 6, 208, 600},
        {"centre top", 6, 0, 206, 300}, {"centre bottom", 6, 8, 205, 300}, {"justified middle", 32, 6, 209, 300},
    };
    for (const Case& c : cases) {
        int code = 0;
        int point = -1;
        AnchorCode(c.horizontal, c.vertical, &code, &point);
        EXPECT_EQ(c.code, code) << c.name;
        EXPECT_EQ(c.point, point) << c.name;
    }
}

TEST(ObjectText, KindMessagesChangeTheStoredTextWithoutAnEditor)
{
    struct Case {
        const char* name;
        int message;
        int size;
        int style;
        TextAttributeRequest request;
        int expectedSize;
        int expectedStyle;
    } cases[] = {
        {"15 sets bold", kMsgTextSetStyle, 12, 2, {0, 0, 0, 0, 1, 0}, 12, 3},
        {"15 with no bits makes plain", kMsgTextSetStyle, 12, 3, {0, 0, 0, 0, 0, 0}, 12, 0},
        {"22 on 11 gives 12", kMsgTextSizeUp, 11, 0, {}, 12, 0},
        {"22 on 24 gives 36", kMsgTextSizeUp, 24, 0, {}, 36, 0},
        {"22 on 140 gives 144", kMsgTextSizeUp, 140, 0, {}, 144, 0},
        {"23 on 12 gives 11", kMsgTextSizeDown, 12, 0, {}, 11, 0},
        {"23 on 36 gives 24", kMsgTextSizeDown, 36, 0, {}, 24, 0},
        {"23 on 4 stays 4", kMsgTextSizeDown, 4, 0, {}, 4, 0},
    };
    for (const Case& c : cases) {
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok()) << c.name;
        ASSERT_EQ(0, doc.AddShape(kRectangle)) << c.name;
        ASSERT_EQ(0, doc.PutText(0, "Hub", c.size, c.style)) << c.name;
        EXPECT_EQ(0, SendKindMessage(doc, 0, c.message, c.request)) << c.name;
        const std::vector<TextFormat> formats = doc.StoredFormats(0);
        ASSERT_EQ(1u, formats.size()) << c.name;
        EXPECT_EQ(c.expectedSize, formats[0].size) << c.name;
        EXPECT_EQ(c.expectedStyle, formats[0].style) << c.name;
    }
}

TEST(ObjectText, AKindMessageOnAnObjectWithoutTextDoesNothing)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(0, doc.AddShape(kRectangle));
    EXPECT_EQ(0, SendKindMessage(doc, 0, kMsgTextSizeUp, {}));
    EXPECT_EQ(-1, doc.Object(0)->textRecordId);
}

TEST(ObjectText, TheStoredRecordMayBe65000BytesButNotOneMore)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    struct Case {
        const char* name;
        int recordBytes;
        ErrorCode expected;
    } cases[] = {{"exactly 65,000", 65000, kErrNone}, {"65,001", 65001, kErrNotDone}};
    for (const Case& c : cases) {
        // A block with a few formats so that the whole record reaches the size.
        TextBlockHeader header = {};
        header.paragraphCount = 1;
        header.formatCount = 1;
        const int fixed = static_cast<int>(kTextRecordHeaderBytes + TextBlockTextOffset(header));
        const int formatBytes = static_cast<int>(sizeof(TextFormat));
        int formats = (c.recordBytes - fixed - 20000) / formatBytes + 1;
        header.formatCount = formats;
        header.textLength = c.recordBytes - static_cast<int>(kTextRecordHeaderBytes + TextBlockTextOffset(header));
        ASSERT_GT(header.textLength, 0) << c.name;
        std::vector<uint8_t> bytes(TextBlockTextOffset(header) + static_cast<size_t>(header.textLength), 'x');
        std::memcpy(bytes.data(), &header, sizeof(header));
        auto* format = reinterpret_cast<TextFormat*>(bytes.data() + TextBlockFormatsOffset(header));
        std::memset(format, 0, sizeof(TextFormat) * static_cast<size_t>(formats));
        auto* paragraph = reinterpret_cast<TextParagraph*>(bytes.data() + TextBlockParagraphsOffset(header));
        *paragraph = Paragraph(0);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        RecordHandle record = nullptr;
        short id = 0;
        ASSERT_EQ(0, FindFreeId(doc.Drawing()->storeSlot, kTextGroup, &id));
        ASSERT_EQ(0, CreateRecord(doc.Drawing()->storeSlot, kTextGroup, id, kTextRecordHeaderBytes, &record));
        EXPECT_EQ(c.expected, StoreTextBlock(&record, block)) << c.name;
        EXPECT_EQ(c.expected == 0 ? static_cast<DWORD>(c.recordBytes) : kTextRecordHeaderBytes,
                  QueryRecordSize(record))
            << c.name;
        ReleaseRecord(record);
        GlobalFree(block);
    }
}

TEST(ObjectText, ABlockWhoseCountsPassItsSizeIsNotStored)
{
    ObjectTextDocument doc;
    ASSERT_TRUE(doc.ok());
    TextBlockHeader header = {};
    header.formatCount = 1;
    header.paragraphCount = 1;
    header.textLength = 5000;   // far beyond the bytes below
    std::vector<uint8_t> bytes(200, 0);
    std::memcpy(bytes.data(), &header, sizeof(header));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    RecordHandle record = nullptr;
    short id = 0;
    ASSERT_EQ(0, FindFreeId(doc.Drawing()->storeSlot, kTextGroup, &id));
    ASSERT_EQ(0, CreateRecord(doc.Drawing()->storeSlot, kTextGroup, id, kTextRecordHeaderBytes, &record));
    EXPECT_NE(0, StoreTextBlock(&record, block));
    EXPECT_EQ(kTextRecordHeaderBytes, QueryRecordSize(record));
    ReleaseRecord(record);
    GlobalFree(block);
}
