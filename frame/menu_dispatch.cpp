#include "common/results.h"
#include "common/tool_tips.h"
#include "frame/menu_commands.h"
#include "frame/menu_enabling.h"
#include "view/arrange_commands.h"
#include "view/command_routing.h"

namespace {

struct CommandRange {
    int first;
    int last;
    MenuHandler handler;
    int attribute;
    int base;  // index = id - base
};

// The bounds are exact: ids between the ranges belong to none.
const CommandRange kRanges[] = {
    {101, 199, MenuHandler::kFile, 0, 0},
    {201, 299, MenuHandler::kEdit, 0, 0},
    {301, 399, MenuHandler::kView, 0, 0},
    {401, 499, MenuHandler::kShapes, 0, 0},
    {501, 599, MenuHandler::kLines, 0, 0},
    {601, 699, MenuHandler::kText, 0, 0},
    {701, 799, MenuHandler::kDraw, 0, 0},
    {801, 899, MenuHandler::kWindow, 0, 0},
    {901, 999, MenuHandler::kHelp, 0, 0},
    {1001, 1099, MenuHandler::kLibraries, 0, 0},
    {1100, 1199, MenuHandler::kStyle, 9, 1100},
    {1200, 1299, MenuHandler::kStyle, 7, 1200},
    {1300, 1399, MenuHandler::kStyle, 8, 1300},
    {1400, 1499, MenuHandler::kStyle, 50, 1399},
    {1601, 1699, MenuHandler::kStyle, 83, 1601},
    {1800, 1899, MenuHandler::kStyle, 36, 1800},
    {1901, 1999, MenuHandler::kStyle, 37, 1900},
    {2401, 2499, MenuHandler::kStyle, 61, 2400},
    {3001, 3099, MenuHandler::kStyle, 35, 3001},
    {3101, 3199, MenuHandler::kStyle, 21, 3101},
    {3201, 3299, MenuHandler::kTextColor, 0, 3201},
    {3301, 3399, MenuHandler::kBackgroundColor, 0, 3301},
    {3401, 3499, MenuHandler::kStyle, 17, 3401},
    {30001, 30001, MenuHandler::kHelp, 0, 0},
};

int RunHandler(const MenuCommandTarget& target, int id)
{
    switch (target.handler) {
    case MenuHandler::kFile:
        return DoFileCommand(id);
    case MenuHandler::kEdit:
        return DoEditCommand(id);
    case MenuHandler::kView:
        return DoViewCommand(id);
    case MenuHandler::kShapes:
        return DoShapesCommand(id);
    case MenuHandler::kLines:
        return DoLinesCommand(id);
    case MenuHandler::kText:
        return DoTextCommand(id);
    case MenuHandler::kDraw:
        return DoDrawCommand(id);
    case MenuHandler::kWindow:
        return DoWindowCommand(id);
    case MenuHandler::kHelp:
        return DoHelpCommand(id);
    case MenuHandler::kLibraries:
        return DoLibrariesCommand(id);
    case MenuHandler::kStyle:
        return ApplyStyleCommand(target.attribute, target.index);
    case MenuHandler::kTextColor:
        return SetTextColorFromList(target.index);
    case MenuHandler::kBackgroundColor:
        return SetBackgroundColor(target.index, CLR_INVALID, 0).value;
    case MenuHandler::kNone:
        break;
    }
    return 0;
}

} // namespace

MenuCommandTarget DecodeMenuCommand(int id)
{
    for (const CommandRange& range : kRanges) {
        if (id >= range.first && id <= range.last)
            return {range.handler, range.attribute, range.base ? id - range.base : 0};
    }
    return {MenuHandler::kNone, 0, 0};
}

void DispatchMenuCommand(int id)
{
    // Accelerators run commands whatever their menu items show: the menus'
    // own rules refuse what is greyed.
    if (!IsCommandApplicable(id))
        return;
    HideToolTip();
    PrepareCommand();
    RunHandler(DecodeMenuCommand(id), id);
    SetAppCursor(0);
}
