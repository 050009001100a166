#include "support/paint_canvas.h"

#include <stb_image_write.h>

#include "support/test_paths.h"

PaintCanvas::PaintCanvas(int width, int height, bool pattern) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    if (!pixels_)
        return;
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        pixels_[i] = pattern ? static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF : 0xFFFFFF;
}

PaintCanvas::~PaintCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void PaintCanvas::ScaleDown(int scale)
{
    SetMapMode(dc_, MM_ANISOTROPIC);
    SetWindowExtEx(dc_, scale, scale, nullptr);
    SetViewportExtEx(dc_, 1, 1, nullptr);
}

std::vector<uint32_t> PaintCanvas::Pixels() const
{
    GdiFlush();
    if (!pixels_)
        return {};
    std::vector<uint32_t> copy(pixels_, pixels_ + static_cast<size_t>(width_) * height_);
    for (uint32_t& p : copy)
        p &= 0xFFFFFF;
    return copy;
}

size_t PaintCanvas::Inked() const
{
    size_t inked = 0;
    for (uint32_t p : Pixels())
        inked += p != 0xFFFFFF;
    return inked;
}

int PaintCanvas::DarkIn(const RECT& area) const
{
    std::vector<uint32_t> pixels = Pixels();
    int count = 0;
    for (int y = area.top < 0 ? 0 : area.top; y < area.bottom && y < height_; ++y)
        for (int x = area.left < 0 ? 0 : area.left; x < area.right && x < width_; ++x) {
            uint32_t v = pixels[static_cast<size_t>(y) * width_ + x];
            if (((v >> 16) & 0xFF) + ((v >> 8) & 0xFF) + (v & 0xFF) < 300)
                ++count;
        }
    return count;
}

std::string PaintCanvas::WritePng(const std::string& name) const
{
    std::vector<uint32_t> pixels = Pixels();
    if (pixels.empty())
        return "";
    std::vector<unsigned char> rgb(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        rgb[i * 3] = static_cast<unsigned char>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(pixels[i]);
    }
    std::string path = TestOutputFolder() + name;
    return stbi_write_png(path.c_str(), width_, height_, 3, rgb.data(), width_ * 3) ? path : "";
}
