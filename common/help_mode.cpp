#include "common/help_mode.h"

#include "common/results.h"

int HelpMode = 0;

// Least version until the help file lands: WinHelp without a help file blocks
// on its own question, so no topic is opened yet.
void ShowHelpTopic(int topic)
{
    if (topic != -1)
        EndHelpMode();
}

void EndHelpMode()
{
    HelpMode = 0;
    SetAppCursor(0);
}
