#include "ole/picture_import.h"

// Least version until picture import lands: nothing is imported.
int DoImportCommand()
{
    return 0;
}

int ImportDroppedFile(const char*)
{
    return 0;
}
