// The Welcome and Tips dialogs (templates WELCOME and TIPDLG).
#pragma once
#include <windows.h>

// Nonzero when the dialog ended with a choice in `choice` (1050 a new
// drawing, 1051 the Open dialog); 0 when cancelled.
INT_PTR RunWelcomeDialog(const char* templateName, int* choice, int helpTopic);
