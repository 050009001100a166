// The recent files at the end of the File menu.
#pragma once

// Rebuilds the File menu's recent-file items when the list has changed and
// redraws the menu bar then.
void ShowRecentFilesInMenu();
