// Files dropped on the main window: drawings open, libraries open in a
// library window, anything else is imported as a picture.
#pragma once
#include <windows.h>
#include <shellapi.h>

void OpenDroppedFiles(HDROP drop);
