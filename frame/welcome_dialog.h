// The Welcome and Tips dialogs (templates WELCOME and TIPDLG).
#pragma once
#include <windows.h>

// The tips are strings kFirstTip..kLastTip; tip n is string kFirstTip - 1 + n.
const int kFirstTip = 7500;
const int kLastTip = 7545;

// The tip a run starts on for the options' tip counter.
int FirstTipFor(int counter);
// The tip after and before `tip`, going round at the ends.
int NextTip(int tip);
int PreviousTip(int tip);
// The counter that makes the next run show the tip after `lastShown`.
int CounterAfter(int lastShown);

// Nonzero when the dialog ended with OK; `choice` (1050 a new drawing, 1051
// the Open dialog) is then the checked start radio. Whatever the answer, the
// options' tip counter moves past the last tip shown.
INT_PTR RunWelcomeDialog(const char* templateName, int* choice, int helpTopic);
extern "C" __declspec(dllexport) INT_PTR CALLBACK WelcomeDlgHandler(HWND dialog, UINT message, WPARAM wParam,
                                                                    LPARAM lParam);
