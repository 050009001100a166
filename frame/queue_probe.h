// A posted message that tells another process when the main thread's queue
// has run dry: everything posted before it has been handled once its answer
// shows. Scripts and the test driver post it after their input.
#pragma once
#include <windows.h>

// The registered message "TessaryPlus.QueueProbe"; wParam is the caller's
// token.
UINT QueueProbeMessage();
// Leaves the token in the main window's property "TessaryPlus.QueueProbe".
void AnswerQueueProbe(HWND window, WPARAM token);
