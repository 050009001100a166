// The View menu and the palette's zoom buttons.
#include "frame/menu_commands.h"
#include "resources/menu_ids.h"
#include "view/arrange_commands.h"
#include "view/view_layout.h"

namespace {

struct ZoomRow {
    int id;
    int value;
    int mode;
};

const ZoomRow kZooms[] = {
    {IDM_VIEW_FIT_WINDOW, 0, 1}, {IDM_VIEW_ZOOM_50, 500, 0},   {IDM_VIEW_ZOOM_75, 750, 0},
    {IDM_VIEW_ZOOM_100, 0, 0},   {IDM_VIEW_ZOOM_150, 1500, 0}, {IDM_VIEW_ZOOM_200, 2000, 0},
    {IDM_VIEW_FIT_PAGE, 0, 2},   {IDM_VIEW_ZOOM_CUSTOM, 5000, 0}, {IDM_VIEW_ZOOM_IN, 1, 0},
    {IDM_VIEW_ZOOM_OUT, -1, 0},
};

} // namespace

int DoViewCommand(int id)
{
    for (const ZoomRow& zoom : kZooms) {
        if (zoom.id == id) {
            SetZoom(zoom.value, zoom.mode);
            return 0;
        }
    }
    switch (id) {
    case IDM_VIEW_SHOW_TOOLBAR:
        ToggleToolbar();
        return 0;
    case IDM_VIEW_RULERS_AND_GRID:
        return DefineRulersAndGrid();
    case IDM_VIEW_SHOW_GRID:
        return ToggleShowGrid();
    default:
        return 0;
    }
}
