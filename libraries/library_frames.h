// The 3-D frames of symbol buttons, raised and pressed.
#pragma once
#include <windows.h>

// Three one-pixel pens in the current button colours, for one drawing pass.
struct FramePens {
    FramePens();
    ~FramePens();
    FramePens(const FramePens&) = delete;
    FramePens& operator=(const FramePens&) = delete;
    HPEN highlight;
    HPEN shadow;
    HPEN frame;
};

void DrawRaisedButtonFrame(HDC dc, const RECT& cell, const FramePens& pens);
void DrawPressedButtonFrame(HDC dc, const RECT& cell, const FramePens& pens);
