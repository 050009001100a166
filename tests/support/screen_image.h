// The virtual desktop's pixels, grabbed after real input, so program tests
// check what a person would see rather than what the program saved.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ScreenImage {
public:
    static ScreenImage Grab();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // CLR_INVALID outside the image.
    COLORREF At(int x, int y) const;
    // Pixels of the rectangle (screen coordinates, clipped to the image)
    // darker than the given luma (0..255).
    int CountDark(const RECT& screenRect, int lumaBelow = 96) const;
    int CountColor(const RECT& screenRect, COLORREF colour) const;
    // The bounding box of the colour's pixels inside the rectangle; empty when none.
    RECT ColorBox(const RECT& screenRect, COLORREF colour) const;
    // True when every pixel of the rectangle has one colour.
    bool Uniform(const RECT& screenRect) const;
    // Writes a PNG named after the step into the test output; its path, empty on failure.
    std::string Save(const std::string& stepName) const;

private:
    static ScreenImage GrabOnce();
    RECT Clip(const RECT& rect) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;   // 0x00RRGGBB, rows top down
};

// A window's client area in screen coordinates.
RECT ClientScreenRect(HWND window);
