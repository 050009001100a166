// Scroll bars of the drawing view and scrolling its contents, its rulers and
// an open text editor. Positions and ranges are device pixels at the zoom.
#pragma once
#include <windows.h>

// The scroll codes beyond the standard ones: scroll by the signed 16-bit
// amount in the position (98 from the text editor, 99 restoring or tracking).
const int kScrollByEditor = 98;
const int kScrollByAmount = 99;
const int kScrollLine = 16;

// The drawing area's size in pixels at the view's zoom; 32000 x 32000
// without settings.
SIZE GetDrawingDeviceSize(HWND view);
// Decides the bars for a view occupying `area` of its document window; with
// `apply` also sets ranges, pages and positions. Whether the origin changed.
BOOL RecalcScrollBars(HWND view, const RECT* area, BOOL* horizontalNeeded, BOOL* verticalNeeded, BOOL apply);
// bar 0 horizontal, 1 vertical.
void ScrollView(HWND view, int code, int bar, int position, const RECT* clip);
// Moves the origin and both positions by (dx, dy) pixels; the caller repaints.
void ScrollViewBy(HWND view, HDC dc, int zoom, int dx, int dy, HWND editor);
// The range end of a bar (maximum less page).
int ScrollRangeEnd(HWND view, int bar);
// The scroll in pixels for a wheel turn of `delta` (WHEEL_DELTA a notch,
// positive away from the user, which scrolls back towards the start) with
// `linesPerNotch` lines of kScrollLine a notch, or a page of `page` pixels a
// notch for WHEEL_PAGESCROLL. Positive scrolls down or right.
int WheelScrollAmount(int delta, UINT linesPerNotch, int page);
// Scrolls the view for a wheel turn on the vertical or the horizontal bar.
void ScrollViewByWheel(HWND view, int delta, int bar);
// Rulers take the view's origin on their own axis.
void SyncRulerOrigins(HWND view);
