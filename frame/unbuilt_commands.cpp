// The one table of commands whose handlers are still empty. The resources
// offer every command of the finished program, so until a command is built its
// row keeps it greyed in the menu bar, the right-button menu and the palette,
// and keeps its accelerator from running it (the accelerators do not look at
// the menu). Building a command means deleting its row here.
#include "frame/unbuilt_commands.h"

#include "common/window_helpers.h"
#include "common/app_globals.h"
#include "resources/menu_ids.h"
#include "view/tool_palette.h"
#include "documents/view_children.h"

namespace {

struct UnbuiltRange {
    int first;
    int last;
};

const UnbuiltRange kUnbuilt[] = {
    // The place the Change Line Shape popup takes: an item of its own does nothing.
    {IDM_LINE_SHAPE_PLACE, IDM_LINE_SHAPE_PLACE},
};

// The palette's buttons that stand for a command.
struct PaletteCommand {
    int button;
    int command;
};

const PaletteCommand kPaletteCommands[] = {
    {kToolNew, IDM_FILE_NEW_BLANK},
    {kToolOpen, IDM_FILE_OPEN},
    {kToolSave, IDM_FILE_SAVE},
    {kToolPrint, IDM_FILE_PRINT_NOW},
    {kToolPreview, IDM_FILE_PRINT_PREVIEW},
    {kToolCut, IDM_EDIT_CUT},
    {kToolCopy, IDM_EDIT_COPY},
    {kToolPaste, IDM_EDIT_PASTE},
    {kToolUndo, IDM_EDIT_UNDO},
    {kToolScaleUp, IDM_VIEW_ZOOM_IN},
    {kToolScaleDown, IDM_VIEW_ZOOM_OUT},
    {kToolHelp, IDM_HELP_MODE_ON},
    // The script buttons do what Ctrl with the keypad's plus and minus do.
    {kToolSuperscript, IDM_TEXT_SUPERSCRIPT},
    {kToolSubscript, IDM_TEXT_SUBSCRIPT},
};

const UnbuiltRange* FindRow(int id)
{
    for (const UnbuiltRange& row : kUnbuilt)
        if (id >= row.first && id <= row.last)
            return &row;
    return nullptr;
}

// 1 all unbuilt, 0 something built, -1 no commands at all.
int AllUnbuilt(HMENU popup)
{
    int verdict = -1;
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        int item;
        if (HMENU sub = GetSubMenu(popup, i))
            item = AllUnbuilt(sub);
        else if (const int id = static_cast<int>(GetMenuItemID(popup, i)); id > 0)
            item = IsUnbuiltCommand(id) ? 1 : 0;
        else
            item = -1;  // separators and the resources' empty places
        if (item == 0)
            return 0;
        if (item == 1)
            verdict = 1;
    }
    return verdict;
}

void SetItem(HMENU popup, int position, bool greyed)
{
    EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (greyed ? MF_GRAYED : MF_ENABLED));
}

} // namespace

bool IsUnbuiltCommand(int id)
{
    return FindRow(id) != nullptr;
}

void GreyUnbuiltCommands(HMENU popup)
{
    const int count = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(popup, i)) {
            // Only greys: whether a submenu is offered is otherwise up to the
            // popup's own enabling.
            if (AllUnbuilt(sub) == 1)
                SetItem(popup, i, true);
            continue;
        }
        const int id = static_cast<int>(GetMenuItemID(popup, i));
        const UnbuiltRange* row = id > 0 ? FindRow(id) : nullptr;
        if (!row)
            continue;
        // Only greys: the popup's own enabling has decided the rest.
        if (IsUnbuiltCommand(id))
            SetItem(popup, i, true);
    }
}

void GreyUnbuiltPaletteButtons()
{
    if (!PaletteWindow)
        return;
    for (const PaletteCommand& entry : kPaletteCommands) {
        HWND button = GetDlgItem(PaletteWindow, entry.button);
        const bool enabled = !IsUnbuiltCommand(entry.command);
        if (!button || (IsWindowEnabled(button) != FALSE) == enabled)
            continue;
        EnableWindow(button, enabled ? TRUE : FALSE);
        // The button paints its greyed look only when asked to paint.
        InvalidateRect(button, nullptr, TRUE);
    }
}

void FollowFocusWithPalette()
{
    static bool followed = false;
    static HWND lastFocus = nullptr;
    HWND focus = GetFocus();
    if (followed && focus == lastFocus)
        return;
    followed = true;
    lastFocus = focus;
    GreyUnbuiltPaletteButtons();
}
