#include "objects/attachment_commands.h"

// Least version until the attachment commands land: nothing is opened or changed.
int OpenAttachedFile()
{
    return 0;
}

int AttachFile()
{
    return 0;
}

int ClearAttachment()
{
    return 0;
}
