// A group follows a member whose frame an attribute change altered: its frame
// grows and moves with the member, each group once.
#include <gtest/gtest.h>

#include "edit_fixture.h"
#include "objects/document_undo.h"
#include "objects/group_refit.h"

namespace {

class GroupRefit : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        ASSERT_EQ(0, Create(RECT{1000, 1000, 2000, 2000}));
        ASSERT_EQ(0, Create(RECT{3000, 1000, 4000, 2000}));
        Group({0, 1});
    }
    RECT GroupFrame() { return GroupEntryAt(Groups(), 0)->frame; }
};

TEST_F(GroupRefit, AMemberTwiceAsWideAndMovedTakesItsGroupAlong)
{
    const RECT group = GroupFrame();
    const RECT before = Object(0)->frame;
    Object(0)->frame = RECT{before.left + 100, before.top, before.left + 100 + 2 * (before.right - before.left),
                            before.bottom};
    PendingGroupRefits pending;
    NoteGroupRefit(Drawing(), Object(0), before, &pending);
    NoteGroupRefit(Drawing(), Object(0), before, &pending);
    ASSERT_EQ(1, pending.count) << "a group is re-fitted once";
    EXPECT_TRUE(EqualRect(&before, &Object(0)->frame)) << "the member's frame is put back for the rescale";
    const RECT expected = {group.left + 100, group.top, group.left + 100 + 2 * (group.right - group.left),
                           group.bottom};
    EXPECT_TRUE(EqualRect(&expected, &pending.rows[0].rect));

    ASSERT_EQ(0, BeginDocumentUndo(view_, kUndoStepAppearance));
    ASSERT_EQ(0, ApplyGroupRefits(view_, pending));
    const RECT after = GroupFrame();
    EXPECT_TRUE(EqualRect(&expected, &after));
    EXPECT_GT(Object(1)->frame.left, 3000) << "the other member moved with the group";
}

TEST_F(GroupRefit, AnUnchangedFrameOrAnUngroupedObjectNotesNothing)
{
    PendingGroupRefits pending;
    NoteGroupRefit(Drawing(), Object(0), Object(0)->frame, &pending);
    ASSERT_EQ(0, Create(RECT{5000, 1000, 6000, 2000}));
    const RECT before = Object(2)->frame;
    Object(2)->frame.right += 500;
    NoteGroupRefit(Drawing(), Object(2), before, &pending);
    EXPECT_EQ(0, pending.count);
}

} // namespace
