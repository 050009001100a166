// The "Attach a Document to an Object" dialog: the attachment's name and
// type, with a Browse button for files.
#pragma once
#include <windows.h>

// name holds kAttachNameSize characters; type is in and out. 1 for OK (name
// and type given back), 0 for Cancel.
int RunAttachDialog(char* name, int* type);

// The name a type starts with when the user switches to it from another.
void NameForTypeChange(int oldType, int newType, char* name);
