#include "view/view_mouse.h"

// Least version until mouse editing lands: presses start nothing.
void ViewButtonDown(HWND, WPARAM, POINT, BOOL) {}
void ViewMouseMove(HWND, WPARAM, POINT) {}
void ViewButtonUp(HWND, WPARAM, POINT) {}
void ViewDoubleClick(HWND, WPARAM, POINT) {}
void RulerButtonDown(HWND, WPARAM, POINT, int) {}
