#include "frame/recent_files_menu.h"

#include "documents/recent_files.h"
#include "frame/app_globals.h"
#include "resources/menu_ids.h"

void ShowRecentFilesInMenu()
{
    HMENU fileMenu = MainMenuPopups[MENU_POS_FILE];
    if (!fileMenu || !RecentFiles || !RecentFiles->changed)
        return;
    BuildRecentFilesMenu(fileMenu);
    if (MainWindow)
        DrawMenuBar(MainWindow);
}
