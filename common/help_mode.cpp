#include "common/help_mode.h"

#include "common/app_globals.h"
#include "common/help_context.h"
#include "common/help_topics.h"
#include "common/results.h"

int HelpMode = 0;

namespace {

const int kArrowCursor = 0;

BOOL AskHelpEngine(UINT command, ULONG_PTR data)
{
    if (!HelpEngine)
        return FALSE;
    const BOOL accepted = HelpEngine(MainWindow, HelpFilePath, command, data);
    if (accepted)
        HelpUsed = 1;
    return accepted;
}

} // namespace

int ShowHelpTopic(int topic)
{
    if (topic == kHelpSearchTopic) {
        // The search leaves help mode on: the user may still pick a command.
        static const char kEmptyKeyword[] = "";
        return AskHelpEngine(HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(kEmptyKeyword));
    }
    const BOOL accepted = topic == kHelpContentsTopic ? AskHelpEngine(HELP_CONTENTS, 0)
                                                      : AskHelpEngine(HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
    EndHelpMode();
    return accepted;
}

void EndHelpMode()
{
    HelpMode = 0;
    SetAppCursor(kArrowCursor);
}
