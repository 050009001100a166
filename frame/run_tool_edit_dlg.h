// The tool-bar slot dialog (TOOLEDIT) behind a shape tool of the palette.
#pragma once
#include <windows.h>

// Edits the options' tool-bar slot; TRUE when the user confirmed.
BOOL RunToolEditDlg(int slot);
