// The icon button: the program's own push button showing a bitmap on a
// three-dimensional face (class "SEIconButtonClass"), with push, toggle, radio
// and latching behaviour chosen by style bits.
#pragma once
#include <windows.h>

// Window bytes: the bitmap id, the IconButtonStyle bits, the library painter's value.
const int kIconButtonBitmapWord = 0;
const int kIconButtonStyleWord = 4;
const int kIconButtonValueWord = 8;
const int kIconButtonWindowBytes = 12;

enum IconButtonStyle : LONG {
    kIconMixed = 0x002,
    kIconGreyed = 0x004,
    kIconDown = 0x008,
    kIconPush = 0x020,
    kIconRadio = 0x040,
    kIconRim = 0x080,
    kIconTransparent = 0x100,
    kIconLibraryItem = 0x200,
    kIconToggle = 0x400,
    kIconDoubleAsPress = 0x800,
};

// Notification codes in the high word of the WM_COMMAND sent to the parent.
enum IconButtonNotification : WORD {
    kIconClicked = 0,
    kIconGotFocus = 2,
    kIconDoubleClicked = 5,
    kIconDraggedOutside = 10,
};

// WM_COMMAND id sent to a button to cancel its press.
const WORD kIconCancelPress = 100;
// The bitmap of the mixed look lies this far above the normal one.
const int kIconMixedBitmapOffset = 10000;

extern const char kIconButtonClassName[];

LRESULT CALLBACK SEIcnBtn(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
// CS_DBLCLKS, 12 window bytes, the arrow cursor, the button-face background.
ATOM RegisterIconButtonClass(HINSTANCE instance);

void PaintIconButton(HDC dc, HWND button);
void DrawIconButtonFaceUp(HWND button, HDC dc, const RECT* rect, HBITMAP bitmap, LONG style, LONG value);
void DrawIconButtonFaceDown(HWND button, HDC dc, const RECT* rect, HBITMAP bitmap, LONG style, LONG value);
// Repaints for a change of the pressed flag before the flag changes.
void DrawIconButtonPressLook(HWND button);

void SetIconButtonDown(HWND button, BOOL down);
void SetIconButtonDownQuiet(HWND button, BOOL down);
void SetIconButtonBits(HWND button, BOOL on, LONG mask);
BOOL IsIconButtonDown(HWND button);

// A frame one device pixel wide just inside a logical rectangle.
void PatBltFrame(HDC dc, const RECT* rect, DWORD rasterOp);
// A monochrome mask: white where the bitmap is light grey (0xC0C0C0), black elsewhere.
HBITMAP MakeBitmapMask(HDC dc, HBITMAP bitmap);

// The two flags all buttons share, since one button at most is tracked.
extern BOOL IconButtonTracking;
extern BOOL IconButtonPressed;
