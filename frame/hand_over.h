// A second start of the program hands its file to the running instance
// (private message 1228, lParam a global atom with the path) and ends.
#pragma once
#include <windows.h>

const UINT kMsgHandOver = 1228;

// -1 when no instance runs; otherwise the exit code of this process: 1 when
// the atom could not be made or the running instance answered nonzero, else 0.
int HandOverToRunningInstance(const char* file, int print);
// The running instance's side: opens or prints the file the atom names.
void ReceiveHandOver(WPARAM print, LPARAM atom);
