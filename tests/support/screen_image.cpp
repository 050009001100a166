#include "support/screen_image.h"

#include <algorithm>
#include <cstdio>

#include <stb_image_write.h>

#include "support/test_paths.h"

namespace {

const int kBitsPerPixel = 32;
const int kRgbBytes = 3;
const int kGrabAttempts = 5;
const DWORD kGrabRetryMs = 200;

COLORREF ToColorRef(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Luma(uint32_t pixel)
{
    const int red = (pixel >> 16) & 0xFF;
    const int green = (pixel >> 8) & 0xFF;
    const int blue = pixel & 0xFF;
    return (red * 299 + green * 587 + blue * 114) / 1000;
}

} // namespace

ScreenImage ScreenImage::Grab()
{
    // Under load the screen DC or the DIB section now and then cannot be had
    // at once; a grab that got nothing is tried again.
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        ScreenImage image = GrabOnce();
        if (!image.pixels_.empty())
            return image;
        Sleep(kGrabRetryMs);
    }
    std::fprintf(stderr, "screen grab: no pixels after %d attempts\n", kGrabAttempts);
    return ScreenImage();
}

ScreenImage ScreenImage::GrabOnce()
{
    ScreenImage image;
    HDC screen = GetDC(nullptr);
    image.width_ = GetSystemMetrics(SM_CXSCREEN);
    image.height_ = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width_;
    info.bmiHeader.biHeight = -image.height_; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (screen && bitmap) {
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, image.width_, image.height_, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        image.pixels_.assign(source, source + static_cast<size_t>(image.width_) * image.height_);
        for (uint32_t& pixel : image.pixels_)
            pixel &= 0x00FFFFFF;
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    } else {
        if (bitmap)
            DeleteObject(bitmap);
        image.width_ = image.height_ = 0;
    }
    if (screen)
        ReleaseDC(nullptr, screen);
    return image;
}

COLORREF ScreenImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    return ToColorRef(pixels_[static_cast<size_t>(y) * width_ + x]);
}

RECT ScreenImage::Clip(const RECT& rect) const
{
    RECT whole = {0, 0, width_, height_};
    RECT clipped = {};
    IntersectRect(&clipped, &rect, &whole);
    return clipped;
}

int ScreenImage::CountDark(const RECT& screenRect, int lumaBelow) const
{
    const RECT r = Clip(screenRect);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += Luma(pixels_[static_cast<size_t>(y) * width_ + x]) < lumaBelow;
    return count;
}

int ScreenImage::CountColor(const RECT& screenRect, COLORREF colour) const
{
    const RECT r = Clip(screenRect);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += ToColorRef(pixels_[static_cast<size_t>(y) * width_ + x]) == colour;
    return count;
}

bool ScreenImage::Uniform(const RECT& screenRect) const
{
    const RECT r = Clip(screenRect);
    if (IsRectEmpty(&r))
        return true;
    const uint32_t first = pixels_[static_cast<size_t>(r.top) * width_ + r.left];
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pixels_[static_cast<size_t>(y) * width_ + x] != first)
                return false;
    return true;
}

std::string ScreenImage::Save(const std::string& stepName) const
{
    if (pixels_.empty())
        return std::string();
    std::vector<unsigned char> rgb(pixels_.size() * kRgbBytes);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        rgb[i * kRgbBytes + 0] = static_cast<unsigned char>((pixels_[i] >> 16) & 0xFF);
        rgb[i * kRgbBytes + 1] = static_cast<unsigned char>((pixels_[i] >> 8) & 0xFF);
        rgb[i * kRgbBytes + 2] = static_cast<unsigned char>(pixels_[i] & 0xFF);
    }
    std::string path = TestOutputFolder() + stepName + ".png";
    if (!stbi_write_png(path.c_str(), width_, height_, kRgbBytes, rgb.data(), width_ * kRgbBytes))
        return std::string();
    return path;
}

RECT ClientScreenRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenImage::ColorBox(const RECT& screenRect, COLORREF colour) const
{
    const RECT area = Clip(screenRect);
    RECT box = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) != colour)
                continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    if (box.left >= box.right)
        SetRectEmpty(&box);
    return box;
}
