// Unpacking the parameters of WM_COMMAND, WM_HSCROLL/WM_VSCROLL and
// WM_ACTIVATE.
#pragma once
#include <windows.h>

// id = low word of wParam, code = high word, control = lParam. Returns lParam.
LPARAM CrackCommand(WPARAM wParam, LPARAM lParam, int* id, UINT* code, HWND* control);

// code = low word of wParam, position = high word (the 16-bit thumb position),
// scrollBar = lParam.
void CrackScroll(WPARAM wParam, LPARAM lParam, int* code, int* position, HWND* scrollBar);

// The activation state (low word of wParam) goes to `state`; returns the other
// window (lParam). The parameters are told apart by their types, so callers
// may pass them in either order.
HWND CrackActivate(LPARAM lParam, WPARAM wParam, int* state);
HWND CrackActivate(WPARAM wParam, LPARAM lParam, int* state);
// The same the other way round: returns the state, the other window goes to
// `other`.
int CrackActivate(WPARAM wParam, LPARAM lParam, HWND* other);
