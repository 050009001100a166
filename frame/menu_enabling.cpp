#include "frame/menu_enabling.h"

#include "common/window_helpers.h"
#include "frame/app_globals.h"
#include "frame/unbuilt_commands.h"
#include "frame/view_menu.h"
#include "view/view_children.h"

namespace {

const int kViewPopup = 2;

} // namespace

// Least version until menu enabling lands: only the View popup follows the
// active view; the other items stay as the resource made them.
void ActivateDocumentView(HWND, int) {}

void EnableMenuPopup(HMENU popup)
{
    if (popup && popup == MainMenuPopups[kViewPopup]) {
        HWND document = GetActiveDocWindow(nullptr);
        InitViewMenu(popup, document ? DocumentViewOf(document) : nullptr);
    }
    GreyUnbuiltCommands(popup);
}

void EnableRightMenuPopup(HMENU popup, int)
{
    GreyUnbuiltCommands(popup);
}
