// Context-help mode: while it is on, a chosen command or button shows its help
// topic instead of running.
#pragma once

extern int HelpMode;

// Shows a help topic; every topic but -1 ends help mode.
void ShowHelpTopic(int topic);
void EndHelpMode();
