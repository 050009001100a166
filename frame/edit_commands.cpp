// The Edit, Shapes, Lines, Text, Draw and Window menus: each command goes to
// the operation of the view or the selection that carries it out.
#include "common/app_globals.h"
#include "frame/menu_commands.h"
#include "frame/options_dialog.h"
#include "view/attachment_commands.h"
#include "resources/menu_ids.h"
#include "view/arrange_commands.h"
#include "view/command_routing.h"
#include "view/route_edit_command.h"
#include "view/tool_palette.h"

namespace {

struct RouteRow {
    int id;
    int code;
};

int RouteFromTable(const RouteRow* rows, int count, int id)
{
    for (int i = 0; i < count; ++i)
        if (rows[i].id == id)
            return RouteEditCommand(rows[i].code);
    return -1;
}

bool InRange(int id, int first, int last)
{
    return id >= first && id <= last;
}

} // namespace

int DoEditCommand(int id)
{
    static const RouteRow kRoutes[] = {
        {IDM_EDIT_UNDO, kRouteUndo},   {IDM_EDIT_CUT, kRouteCut},     {IDM_EDIT_COPY, kRouteCopy},
        {IDM_EDIT_PASTE, kRoutePaste}, {IDM_EDIT_CLEAR, kRouteClear}, {IDM_EDIT_SELECT_ALL, kRouteSelectAll},
    };
    int routed = RouteFromTable(kRoutes, 6, id);
    if (routed >= 0)
        return routed;
    switch (id) {
    case IDM_EDIT_DUPLICATE:
        return DoArrangeCommand(id, 0);
    case IDM_EDIT_COLORS_AND_SHADOWS:
        return ApplyColorsAndShadows();
    case IDM_EDIT_TOOLBAR:
        EditPaletteTool();
        return 0;
    case IDM_EDIT_OPTIONS:
        return RunOptionsDlg();
    default:
        return 0;
    }
}

int DoShapesCommand(int id)
{
    static const RouteRow kRoutes[] = {
        {IDM_SHAPES_TEXT_SIZING, kRouteTextSizing},
        {IDM_SHAPES_SHAPE_SIZING, kRouteShapeSizing},
        {IDM_SHAPES_EDIT_OUTLINE, kRouteEditOutline},
    };
    int routed = RouteFromTable(kRoutes, 3, id);
    return routed >= 0 ? routed : 0;
}

int DoLinesCommand(int id)
{
    if (!InRange(id, IDM_LINES_ARROWHEADS, IDM_LINES_TEXT_HORIZONTAL))
        return 0;
    int flag = 0;
    if (id == IDM_LINES_SHOW_LENGTH && MainMenuPopups[MENU_POS_LINES])
        flag = static_cast<int>(GetMenuState(MainMenuPopups[MENU_POS_LINES], id, MF_BYCOMMAND) & 0x0001);
    return DoArrangeCommand(id, flag);
}

int DoTextCommand(int id)
{
    static const RouteRow kRoutes[] = {
        {IDM_TEXT_SUPERSCRIPT, kRouteSuperscript}, {IDM_TEXT_SUBSCRIPT, kRouteSubscript}, {IDM_TEXT_UNDERLINE, kRouteUnderline},
        {IDM_TEXT_BOLD, kRouteBold},     {IDM_TEXT_ITALIC, kRouteItalic},
    };
    int routed = RouteFromTable(kRoutes, 5, id);
    if (routed >= 0)
        return routed;
    if (InRange(id, 620, 623) || InRange(id, 630, 633) || InRange(id, 640, 643))
        return SetTextAlignment((id - 600) % 10 + 20, (id - 600) / 10 + 18);
    if (InRange(id, IDM_TEXT_BULLET_NONE, IDM_TEXT_BULLET_SOLID_SQUARE))
        return SetBulletStyle(id - IDM_TEXT_BULLET_NONE);
    switch (id) {
    case IDM_TEXT_TYPEFACE:
        return SetTypeface();
    case IDM_TEXT_SHADOW:
        return DoArrangeCommand(id, 0);
    case IDM_TEXT_INSERT_SYMBOL:
        return InsertSymbol();
    default:
        return 0;
    }
}

int DoDrawCommand(int id)
{
    if (InRange(id, 701, 703) || InRange(id, 705, 713) || InRange(id, 720, 725) || InRange(id, 730, 732) ||
        InRange(id, 750, 752))
        return DoArrangeCommand(id, 0);
    switch (id) {
    case IDM_DRAW_OPEN_ATTACHMENT:
        return OpenAttachedFile();
    case IDM_DRAW_ATTACH_FILE:
        return AttachFile();
    case IDM_DRAW_CLEAR_ATTACHMENT:
        return ClearAttachment();
    case IDM_DRAW_ROTATE_HORIZONTAL:
        return RotateSelection(0);
    case IDM_DRAW_ROTATE_UP:
        return RotateSelection(900);
    case IDM_DRAW_ROTATE_DOWN:
        return RotateSelection(2700);
    case IDM_DRAW_ROTATE_ANGLE:
        return RotateSelection(-1);
    default:
        return 0;
    }
}

int DoWindowCommand(int id)
{
    if (!MdiClientWindow)
        return 0;
    if (id == IDM_WINDOW_CASCADE)
        SendMessageA(MdiClientWindow, WM_MDICASCADE, 0, 0);
    else if (id == IDM_WINDOW_TILE)
        SendMessageA(MdiClientWindow, WM_MDITILE, 0, 0);
    return 0;
}
