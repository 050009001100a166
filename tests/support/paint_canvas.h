// A 32-bit DIB section in a memory DC for painting tests, white (or a noise
// pattern, so that inverted figures always show) to start with.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class PaintCanvas {
public:
    PaintCanvas(int width, int height, bool pattern = false);
    ~PaintCanvas();
    PaintCanvas(const PaintCanvas&) = delete;
    PaintCanvas& operator=(const PaintCanvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Shows `scale` logical units per pixel.
    void ScaleDown(int scale);
    // Pixels as 0x00RRGGBB, after GDI has finished.
    std::vector<uint32_t> Pixels() const;
    // Pixels that are not white.
    size_t Inked() const;
    // Dark pixels (sum of the three channels under 300) in a pixel rectangle.
    int DarkIn(const RECT& pixels) const;
    // Writes the picture as a PNG into the test output folder; the full path,
    // empty when it could not be written.
    std::string WritePng(const std::string& name) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};
