#include "view/command_routing.h"

// Least version until command routing lands: no format command is carried out.
int SetTypeface()
{
    return 0;
}

int SetTextAlignment(int, int)
{
    return 0;
}

int SetBulletStyle(int)
{
    return 0;
}

int InsertSymbol()
{
    return 0;
}

int RotateSelection(int)
{
    return 0;
}

int SetTextColorFromList(int)
{
    return 0;
}
