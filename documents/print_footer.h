// The footer line of a printed page: the drawing's name, the date and time
// and the page number, centred at the bottom of the printable area.
#pragma once
#include <windows.h>

#include <ctime>

const int kFooterTextSize = 400;
const int kDefaultFooterPosition = 60;  // 1/600 inch above the printable bottom

// "name - Www Mmm dd hh:mm:ss yyyy - Page n" (with a non-empty extra text
// after the name).
void FormatFooterText(const char* name, const char* extra, const std::tm& when, int page, char* text,
                      int textSize);
// "Untitled n" for an untitled document, else the file name without its folder.
void DocumentFooterName(HWND documentWindow, char* name, int nameSize);
// The footer position the options ask for; 0 becomes 60 there too.
int FooterPosition();
// The font of the footers for one job (none when it cannot be made).
extern HFONT FooterFont;
// Draws the footer of `page` centred on x with its bottom at y less the
// footer position; nothing without a footer font.
void PrintFooter(HWND documentWindow, HDC dc, const char* extra, int x, int y, int page);
