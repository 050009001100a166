// Colors and Shadows (STYLEDLG): a style of the options' list chosen for the
// drawing, with whether its colours go to the fills and to the lines; and
// Define Colors and Shadow Styles (DEFINESTYLEDLG), opened from it, where the
// list itself is edited and then written to the options file.
#pragma once
#include <windows.h>

#include "objects/color_style.h"

// The drawing's style in, the chosen one out; 1 for OK, 0 for Cancel.
int RunStyleDlg(HGLOBAL drawing, ColorStyle* style, HPALETTE palette, int* toFills, int* toLines);

// The two dialogs' controls' help topics, as WinHelp takes them.
const DWORD* StyleHelpPairs();
const DWORD* DefineStyleHelpPairs();

INT_PTR CALLBACK StyleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DefineStyleDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The sample of both dialogs: a rectangle and a line in the edited style's
// colours and shadow, and a text with its text shadow.
int DrawStyleSample(HDC dc, RECT* client);

// What both dialogs share while they are open.
extern HGLOBAL SampleDrawing;
extern HPALETTE SamplePalette;
// The working copy of the style list while the Define dialog is open.
extern HGLOBAL StyleListCopy;

// A style list block (count, a carried value, then the styles) locked for a
// scope; the count is held to what the block has room for.
class LockedStyleList {
public:
    explicit LockedStyleList(HGLOBAL block);
    ~LockedStyleList();
    LockedStyleList(const LockedStyleList&) = delete;
    LockedStyleList& operator=(const LockedStyleList&) = delete;
    int count() const { return count_; }
    ColorStyle* styles() const { return styles_; }
    ColorStyle* at(int index) const { return index >= 0 && index < count_ ? &styles_[index] : nullptr; }
    void setCount(int count);

private:
    HGLOBAL block_;
    unsigned char* bytes_ = nullptr;
    ColorStyle* styles_ = nullptr;
    int count_ = 0;
};

// The edited style and the drawing's, as the exchange block holds them.
ColorStyle WorkStyle();
void SetWorkStyle(const ColorStyle& style);
ColorStyle InputStyle();
// A style's name, terminated whatever the stored bytes hold.
void StyleName(const ColorStyle& style, char* name, int size);
// Flags 1, 2 and 4 on check boxes 208, 209 and 212.
void CheckStyleFlags(HWND dialog, const ColorStyle& style);
// A check box of the shadow's flags clicked: the edited style follows it.
void ApplyFlagBox(HWND dialog, int id);
void RepaintStyleSample(HWND dialog);
