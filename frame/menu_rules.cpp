#include "frame/menu_rules.h"

#include "resources/menu_ids.h"

namespace {

enum class Menu { kNone, kFile, kEdit, kView, kShapes, kLines, kText, kDraw, kWindow, kHelp, kLibraries, kAlways };

struct IdRange {
    int first;
    int last;
    Menu menu;
};

// The command ranges by the menu whose rules decide them; the attribute
// lists belong to the popup that shows them.
const IdRange kRanges[] = {
    {101, 199, Menu::kFile},       {201, 299, Menu::kEdit},       {301, 399, Menu::kView},
    {401, 499, Menu::kShapes},     {501, 599, Menu::kLines},      {601, 699, Menu::kText},
    {701, 799, Menu::kDraw},       {801, 899, Menu::kWindow},     {901, 999, Menu::kHelp},
    {1001, 1099, Menu::kLibraries}, {1100, 1499, Menu::kShapes},  {1601, 1699, Menu::kLines},
    {1800, 1999, Menu::kLines},    {2400, 2499, Menu::kLines},    {3001, 3099, Menu::kLines},
    {3101, 3199, Menu::kShapes},   {3201, 3299, Menu::kText},     {3301, 3399, Menu::kView},
    {3401, 3499, Menu::kShapes},   {IDM_CONTEXT_HELP, IDM_CONTEXT_HELP, Menu::kAlways},
};

bool In(int id, int first, int last)
{
    return id >= first && id <= last;
}

bool Has(uint32_t flags, uint32_t bits)
{
    return (flags & bits) == bits;
}

Menu MenuOf(int id)
{
    for (const IdRange& range : kRanges)
        if (In(id, range.first, range.last))
            return range.menu;
    return Menu::kNone;
}

bool FileRule(int id, const MenuContext& c)
{
    switch (id) {
    case IDM_FILE_NEW:
    case IDM_FILE_OPEN:
    case IDM_FILE_EXIT:
    case IDM_FILE_NEW_BLANK:
        return true;
    case IDM_FILE_SEND_ONE:
    case IDM_FILE_SEND_ALL:
        return c.document && c.mapi;
    default:
        // The recent files open whatever is open.
        if (id >= IDM_FILE_RECENT_FIRST && id != IDM_FILE_PRINT_NOW)
            return true;
        return c.document;
    }
}

bool EditRule(int id, const MenuContext& c)
{
    if (!c.document)
        return false;
    const bool selected = c.selectionFlags != 0;
    switch (id) {
    case IDM_EDIT_UNDO:
        return c.undoIndex != 0;
    case IDM_EDIT_CUT:
    case IDM_EDIT_CLEAR:
        return c.editorFocused ? c.editorSelection : selected;
    case IDM_EDIT_COPY:
        if (c.editorFocused)
            return c.editorSelection;
        return !c.drawing || c.objectCount > 0;
    case IDM_EDIT_PASTE:
        return c.pasteIndex != 0;
    case IDM_EDIT_DUPLICATE:
        return !c.editorFocused && selected;
    default:
        return true;
    }
}

bool ViewRule(int id, const MenuContext& c)
{
    if (id == IDM_VIEW_SHOW_TOOLBAR)
        return true;
    if (In(id, IDM_BACK_COLOR_BASE, 3399))
        return c.drawing;
    return c.document;
}

bool ShapesRule(int id, const MenuContext& c)
{
    if (!c.drawing)
        return false;
    const uint32_t flags = c.editorOpen ? kEditingShapeBits : c.selectionFlags;
    if (!Has(flags, kSelShapes))
        return false;
    if (In(id, IDM_FILL_COLOR_BASE, 3199))
        return Has(flags, kSelFillable) && !c.fillLocked;
    if (In(id, IDM_SHADING_BASE, 1199))
        return Has(flags, kSelFillable) && !c.textBox;
    if (id == IDM_SHAPES_TEXT_SIZING)
        return Has(flags, kSelTakesText);
    if (In(id, IDM_BORDER_WIDTH_BASE, IDM_SHAPE_TYPE_BASE) || In(id, IDM_BORDER_COLOR_BASE, 3499))
        return Has(flags, kSelLineAttributes);
    if (In(id, IDM_SHAPE_TYPE_BASE + 1, 1499))
        return !c.textBox;
    return true;
}

bool LinesRule(int id, const MenuContext& c)
{
    if (!c.drawing)
        return false;
    const uint32_t flags = c.editorOpen ? 0 : c.selectionFlags;
    if (!Has(flags, kSelLineKinds))
        return false;
    if (In(id, IDM_LINE_WIDTH_BASE, 1999) || In(id, IDM_LINE_COLOR_BASE, 3099))
        return Has(flags, kSelLineAttributes);
    if (id == IDM_LINES_TEXT_ALONG || id == IDM_LINES_TEXT_HORIZONTAL)
        return Has(flags, kSelLineAttributes | kSelTakesText);
    if (id == IDM_LINES_ARROWHEADS)
        return Has(flags, kSelArrowheads);
    return true;
}

bool TextRule(int id, const MenuContext& c)
{
    if (c.editorOpen)
        return c.document;
    if (!c.drawing || !c.textInSelection)
        return false;
    if (id == IDM_TEXT_INSERT_SYMBOL)
        return false;  // only into an open editor
    if (In(id, IDM_TEXT_ALIGN_TOP, IDM_TEXT_ALIGN_MIDDLE + IDM_TEXT_ALIGN_FLUSH_DIGIT))
        return c.textAlignmentSet;
    return true;
}

bool DrawRule(int id, const MenuContext& c)
{
    if (!c.drawing)
        return false;
    const uint32_t flags = c.selectionFlags;
    if (In(id, IDM_DRAW_ALIGN_LEFTS, IDM_DRAW_ALIGN_BOTTOMS) || In(id, IDM_DRAW_SPACE_HORIZONTAL, IDM_DRAW_SPACE_BOTH) ||
        id == IDM_DRAW_GROUP)
        return Has(flags, kSelSeveralUnits);
    if (In(id, IDM_DRAW_SAME_WIDTH, IDM_DRAW_SAME_SIZE))
        return c.selectedCount >= 2;
    if (In(id, IDM_DRAW_ROTATE_HORIZONTAL, IDM_DRAW_ROTATE_ANGLE))
        return Has(flags, kSelRotatable);
    if (id == IDM_DRAW_UNGROUP)
        return Has(flags, kSelGroup);
    switch (id) {
    case IDM_DRAW_BRING_TO_FRONT:
    case IDM_DRAW_SEND_TO_BACK:
    case IDM_DRAW_LOCK:
    case IDM_DRAW_HIDE_SHADOW:
    case IDM_DRAW_FLIP_HORIZONTAL:
    case IDM_DRAW_FLIP_VERTICAL:
        return flags != 0;
    default:
        return true;
    }
}

// 1 some command of the popup applies, 0 none does, -1 it has no commands.
int AnyEnabled(HMENU popup)
{
    int verdict = -1;
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        int item;
        if (HMENU sub = GetSubMenu(popup, i))
            item = AnyEnabled(sub);
        else if (static_cast<int>(GetMenuItemID(popup, i)) > 0)
            item = (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) ? 0 : 1;
        else
            item = -1;
        if (item == 1)
            return 1;
        if (item == 0)
            verdict = 0;
    }
    return verdict;
}

void SetEnabled(HMENU popup, int position, bool enabled)
{
    EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

} // namespace

bool RuleNeedsAttributes(int id)
{
    const Menu menu = MenuOf(id);
    return menu == Menu::kShapes || menu == Menu::kText;
}

bool IsItemEnabled(int id, const MenuContext& c)
{
    if (c.helpMode)
        return true;
    switch (MenuOf(id)) {
    case Menu::kFile:
        return FileRule(id, c);
    case Menu::kEdit:
        return EditRule(id, c);
    case Menu::kView:
        return ViewRule(id, c);
    case Menu::kShapes:
        return ShapesRule(id, c);
    case Menu::kLines:
        return LinesRule(id, c);
    case Menu::kText:
        return TextRule(id, c);
    case Menu::kDraw:
        return DrawRule(id, c);
    case Menu::kWindow:
    case Menu::kLibraries:
        return c.document;
    default:
        return true;
    }
}

void ApplyMenuRules(HMENU popup, const MenuContext& context)
{
    const int count = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(popup, i)) {
            ApplyMenuRules(sub, context);
            SetEnabled(popup, i, context.helpMode || AnyEnabled(sub) != 0);
            continue;
        }
        const int id = static_cast<int>(GetMenuItemID(popup, i));
        if (id > 0)
            SetEnabled(popup, i, IsItemEnabled(id, context));
    }
}
