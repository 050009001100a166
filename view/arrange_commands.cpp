#include "view/arrange_commands.h"

// Least version until the arrange commands land: the selection stays as it is.
int DoArrangeCommand(int, int)
{
    return 0;
}

int ApplyStyleCommand(int, int)
{
    return 0;
}

int ApplyColorsAndShadows()
{
    return 0;
}

int SetBackgroundColor(int, const COLORREF*, int)
{
    return 0;
}

int DefineRulersAndGrid()
{
    return 0;
}

int ToggleShowGrid()
{
    return 0;
}
