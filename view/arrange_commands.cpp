#include "view/arrange_commands.h"

#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/drawing_layout.h"
#include "resources/menu_ids.h"
#include "view/edit_operations.h"

namespace {

struct ArrangeRow {
    int first;
    int last;
    int operation;
    int argument;       // with `byId`, the argument is the id minus this
    bool byId;
};

const ArrangeRow kArrangeRows[] = {
    {IDM_EDIT_DUPLICATE, IDM_EDIT_DUPLICATE, kEditDuplicate, 0, false},
    {IDM_TEXT_SHADOW, IDM_TEXT_SHADOW, kEditTextShadow, 0, false},
    {IDM_DRAW_BRING_TO_FRONT, IDM_DRAW_BRING_TO_FRONT, kEditBringToFront, 0, false},
    {IDM_DRAW_SEND_TO_BACK, IDM_DRAW_SEND_TO_BACK, kEditSendToBack, 0, false},
    {IDM_DRAW_LOCK, IDM_DRAW_LOCK, kEditLock, 0, false},
    {IDM_DRAW_USE_SNAPS, IDM_DRAW_USE_SNAPS, kEditUseSnaps, 0, false},
    {IDM_DRAW_LINES_LINK, IDM_DRAW_LINES_LINK, kEditLinesLink, 0, false},
    {IDM_DRAW_SHAPES_LINK, IDM_DRAW_SHAPES_LINK, kEditShapesLink, 0, false},
    {IDM_DRAW_HIDE_SHADOW, IDM_DRAW_HIDE_SHADOW, kEditHideShadow, 0, false},
    {IDM_DRAW_FLIP_HORIZONTAL, IDM_DRAW_FLIP_HORIZONTAL, kEditFlip, kOptionFlipH, false},
    {IDM_DRAW_FLIP_VERTICAL, IDM_DRAW_FLIP_VERTICAL, kEditFlip, kOptionFlipV, false},
    {IDM_DRAW_GROUP, IDM_DRAW_GROUP, kEditGroup, 0, false},
    {IDM_DRAW_UNGROUP, IDM_DRAW_UNGROUP, kEditUngroup, 0, false},
    {IDM_DRAW_CENTER_ON_PAGE, IDM_DRAW_CENTER_ON_PAGE, kEditCenterOnPage, 0, false},
    {IDM_DRAW_ALIGN_LEFTS, IDM_DRAW_ALIGN_BOTTOMS, kEditAlign, IDM_DRAW_ALIGN_LEFTS, true},
    {IDM_DRAW_SAME_WIDTH, IDM_DRAW_SAME_SIZE, kEditSameSize, IDM_DRAW_SAME_WIDTH - 1, true},
    {IDM_DRAW_SPACE_HORIZONTAL, IDM_DRAW_SPACE_BOTH, kEditSpaceEvenly, IDM_DRAW_SPACE_HORIZONTAL - 1, true},
    {IDM_LINES_ARROWHEADS, IDM_LINES_ARROWHEADS, kEditArrowheads, 0, false},
    {IDM_LINES_JOIN, IDM_LINES_JOIN, kEditJoin, 0, false},
    {IDM_LINES_SHOW_LENGTH, IDM_LINES_SHOW_LENGTH, kEditShowLength, 0, false},
    {IDM_LINES_TEXT_ALONG, IDM_LINES_TEXT_ALONG, kEditLineTextDirection, 0, false},
    {IDM_LINES_TEXT_HORIZONTAL, IDM_LINES_TEXT_HORIZONTAL, kEditLineTextDirection, 1, false},
};

} // namespace

int DoArrangeCommand(int commandId, int flag)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return 0;
    for (const ArrangeRow& row : kArrangeRows) {
        if (commandId < row.first || commandId > row.last)
            continue;
        int argument = row.byId ? commandId - row.argument : row.argument;
        // Show Length passes on the caller's menu state.
        if (row.operation == kEditShowLength)
            argument = flag;
        return DoEditOperation(view, row.operation, argument, nullptr).value;
    }
    return 0;
}
