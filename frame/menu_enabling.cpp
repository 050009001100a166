#include "frame/menu_enabling.h"

#include "common/window_helpers.h"
#include "common/app_globals.h"
#include "documents/recent_files.h"
#include "documents/view_children.h"
#include "frame/frame_caption.h"
#include "frame/recent_files_menu.h"
#include "frame/unbuilt_commands.h"
#include "frame/view_menu.h"
#include "libraries/library_windows.h"
#include "resources/menu_ids.h"

namespace {

const int kViewPopup = 2;

} // namespace

// Least version until menu enabling lands: the caption names the active
// document, the File menu shows the recent files and the View popup follows
// the active view; the other items stay as the resource made them.
void ActivateDocumentView(HWND document, int activating)
{
    if (document && activating)
        RefreshFrameCaption();
    ShowRecentFilesInMenu();
}

void EnableMenuPopup(HMENU popup)
{
    if (popup && popup == MainMenuPopups[MENU_POS_FILE])
        BuildRecentFilesMenu(popup);
    if (popup && popup == MainMenuPopups[MENU_POS_LIBRARIES])
        PrepareLibrariesMenu(popup);
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
