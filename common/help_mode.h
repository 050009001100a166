// Context-help mode: while it is on, a chosen command or button shows its help
// topic instead of running.
#pragma once

extern int HelpMode;

// Opens the help file at a topic (-1 the keyword search, 30010 the contents,
// else a context number); every topic but -1 ends help mode. Nonzero when the
// help engine accepted the request.
int ShowHelpTopic(int topic);
void EndHelpMode();
