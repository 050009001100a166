// The parts of the program's run that WinMain strings together.
#pragma once
#include <windows.h>

// The show state start-up uses: SW_SHOWMINNOACTIVE stays, any other becomes
// SW_HIDE for an embedding start and SW_SHOWMAXIMIZED otherwise.
int StartShowState(int showCommand, int embedding);
// Opens the document the command line names, or what the options ask for
// when none is named; false when the run should end without a message loop.
bool OpenFirstDocument(const char* file, int embedding);
// The message loop; returns the WM_QUIT's wParam.
int RunMessageLoop();
// Closes every document window without asking, deleting their working files
// (the end of a /p run or of a failed embedding start).
void CloseDocumentsQuietly();
