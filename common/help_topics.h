// Which help topic a command shows when it is chosen in help mode or F1 is
// pressed on its menu item.
#pragma once

const int kHelpSearchTopic = -1;     // the help file's keyword search
const int kHelpContentsTopic = 30010;
// Not a topic: the command belongs to the Help menu, which handles it itself.
const int kHelpMenuOwnsCommand = 0;
// The library windows listed at the end of the Libraries menu.
const int kHelpListedLibraries = 16;

int HelpTopicForCommand(int commandId);
