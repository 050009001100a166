#include "common/info_dialog.h"

// Least version until the notice dialogs land: nothing is shown, so no
// tracking or command waits on a box.
int ShowInfoDialog(const char*, int)
{
    return 0;
}
