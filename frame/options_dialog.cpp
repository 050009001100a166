#include "frame/options_dialog.h"

// Least version until the Options dialog lands: nothing changes.
int RunOptionsDlg()
{
    return 0;
}
