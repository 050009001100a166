// A text command or a layout that fails at any one memory request still
// leaves the stored text to its undo step: whether the step is kept and
// undone or rolled back, the text comes back as it was. A text changed
// without its before-image could not come back.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/io_seam.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/selection_attributes.h"
#include "store/record_store.h"
#include "text/object_text_layout.h"
#include "text/object_text_messages.h"
#include "objects/text_block.h"
#include "objects/text_block_store.h"
#include "objects/document_undo.h"
#include "object_text_document.h"

namespace {

const RECT kFrame = {600, 600, 2400, 1500};
// Far more requests than either change makes: every sweep ends before.
const long kMostRequests = 3000;

// The stored payload of the object's text, header words included.
std::vector<uint8_t> StoredPayload(ObjectTextDocument& doc, int index)
{
    std::vector<uint8_t> bytes;
    RecordHandle record = nullptr;
    const int id = doc.Object(index)->textRecordId;
    if (id < 0 || FindRecord(doc.Drawing()->storeSlot, kTextGroup, static_cast<short>(id), &record) != kErrNone)
        return bytes;
    const DWORD size = QueryRecordSize(record);
    if (const auto* data = static_cast<const uint8_t*>(GlobalLock(record))) {
        if (size > kTextRecordHeaderBytes)
            bytes.assign(data + kTextRecordHeaderBytes, data + size);
        GlobalUnlock(record);
    }
    ReleaseRecord(record);
    return bytes;
}

// Italic through the selection, as the Text menu sends it: its own step,
// rolled back by the command itself when it fails.
ErrorCode ItalicThroughTheSelection(ObjectTextDocument& doc)
{
    TextAttributeRequest request = {};
    request.changeMask = 0x10;
    request.setStyle = kTextItalic;
    return ApplyToSelection(doc.view(), kMsgTextSetStyle, 0, reinterpret_cast<INT_PTR>(&request), 0);
}

// The text laid out again inside a step of the caller's (a resize, say),
// rolled back by the caller when it fails.
ErrorCode ReflowInsideAStep(ObjectTextDocument& doc)
{
    ErrorCode code = ReflowObjectText(doc.Drawing(), doc.Object(0), 0, nullptr);
    if (code != kErrNone)
        DiscardError(SwapDocumentUndo(doc.view(), 0), "the check that follows reads the text rolled back");
    return code;
}

} // namespace

TEST(TextChangeFaults, AFailedMemoryRequestNeverLeavesATextUndoCannotBringBack)
{
    struct Case {
        const char* name;
        int textBoxWord;   // 1: the box fits the text, which then does not wrap
        int undoKind;      // 0: the change opens its own step
        std::function<ErrorCode(ObjectTextDocument&)> change;
    };
    const Case cases[] = {
        {"italic through the selection", 0, 0, ItalicThroughTheSelection},
        {"a reflow inside a resize step", 0, kUndoStepResize, ReflowInsideAStep},
        {"a reflow of a box that fits its text", 1, kUndoStepResize, ReflowInsideAStep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ObjectTextDocument doc;
        ASSERT_TRUE(doc.ok());
        ASSERT_EQ(kErrNone, doc.AddShape(kFrame));
        ASSERT_EQ(kErrNone, doc.PutText(0, "A text that must come back word for word after any failure"));
        doc.Object(0)->textBoxWord = c.textBoxWord;
        doc.Object(0)->stateFlags |= kStateSelected;
        doc.Drawing()->selectedCount = 1;
        ASSERT_EQ(kErrNone, MarkDrawingTableChanged(doc.Drawing(), kTableObjects));
        ClearDocumentUndo(doc.view());
        const std::vector<uint8_t> before = StoredPayload(doc, 0);
        ASSERT_FALSE(before.empty());
        int refused = 0;
        bool changedWithoutFault = false;
        for (long nth = 1; nth <= kMostRequests; ++nth) {
            if (c.undoKind) {
                ASSERT_EQ(kErrNone, BeginDocumentUndo(doc.view(), c.undoKind)) << nth;
            }
            SeamArmFault(kSeamAlloc, nth, false);
            const ErrorCode code = c.change(doc);
            const bool fired = SeamFaultFired();
            SeamDisarm();
            if (!fired)
                changedWithoutFault = StoredPayload(doc, 0) != before;
            if (code != kErrNone) {
                ++refused;
            } else {
                ASSERT_EQ(kErrNone, SwapDocumentUndo(doc.view(), 1)) << "undo after request " << nth;
            }
            EXPECT_TRUE(StoredPayload(doc, 0) == before) << "failed memory request " << nth << ", code " << code;
            if (!fired)
                break;
        }
        EXPECT_TRUE(changedWithoutFault) << "the change itself must reach the stored text";
        EXPECT_GT(refused, 0) << "some failed requests must refuse the change";
    }
}
