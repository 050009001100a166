#include "libraries/library_frames.h"

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Corner(HDC dc, int x1, int y1, int x2, int y2, int x3, int y3)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    LineTo(dc, x3, y3);
}

} // namespace

FramePens::FramePens()
    : highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT))),
      shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW))),
      frame(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)))
{
}

FramePens::~FramePens()
{
    DeleteObject(highlight);
    DeleteObject(shadow);
    DeleteObject(frame);
}

void DrawRaisedButtonFrame(HDC dc, const RECT& r, const FramePens& pens)
{
    SelectObject(dc, pens.highlight);
    Line(dc, r.left, r.top, r.left, r.bottom - 2);
    Line(dc, r.left, r.top, r.right - 2, r.top);
    SelectObject(dc, pens.shadow);
    Corner(dc, r.left, r.bottom - 2, r.right - 2, r.bottom - 2, r.right - 2, r.top);
    SelectObject(dc, pens.frame);
    Corner(dc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, r.right - 1, r.top);
}

void DrawPressedButtonFrame(HDC dc, const RECT& r, const FramePens& pens)
{
    SelectObject(dc, pens.highlight);
    Line(dc, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    SelectObject(dc, pens.shadow);
    Line(dc, r.left, r.top + 1, r.left, r.bottom - 2);
    Line(dc, r.left + 1, r.top, r.right - 2, r.top);
    SelectObject(dc, pens.frame);
    Line(dc, r.left, r.top, r.left, r.bottom - 1);
    Line(dc, r.left, r.top, r.right - 2, r.top);
}
