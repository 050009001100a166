// The About box (template ABOUTSHARE): Help > About and the start-up splash.
#pragma once
#include <windows.h>

INT_PTR RunAboutBox(const char* templateName);
extern "C" __declspec(dllexport) INT_PTR CALLBACK AboutHandler(HWND dialog, UINT message, WPARAM wParam,
                                                               LPARAM lParam);
void InitAboutBox(HWND dialog);
// The picture's size for a dialog of the given width: the width it needs (the
// picture plus 20 pixels) when that is wider, else the width unchanged.
int AboutBoxWidthFor(int dialogWidth, int pictureWidth);
