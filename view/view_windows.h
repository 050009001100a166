// Layer 8, view/: the drawing view, tools and edit commands.

// The window procedures of a document window and its children: the drawing
// view, the two rulers and the corner box.
#pragma once
#include <windows.h>

LRESULT CALLBACK SEDocument(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SEScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SEHRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SEVRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SEXRuler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
