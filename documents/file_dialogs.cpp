#include "documents/file_dialogs.h"

// Least version until the file dialogs land: always cancelled.
int RunOpenFileDlg(HWND, int, char*, int, int, BOOL, int, int, int, char*) { return 0; }
int RunSaveFileDlg(HWND, int, char*, int, int, int, int, int, char*) { return 0; }
