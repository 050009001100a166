#include "frame/run_tool_edit_dlg.h"

// Least version until the tool-bar slot dialog lands: nothing is changed.
BOOL RunToolEditDlg(int)
{
    return FALSE;
}
