#include "ole/picture_export.h"

// Least version until picture export lands: nothing is written.
int DoExportCommand()
{
    return 0;
}
