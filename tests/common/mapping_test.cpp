#include <gtest/gtest.h>

#include "common/bitmap_blit.h"
#include "common/display_flags.h"
#include "common/mapping.h"

namespace {

// A memory DC on a 32-bit DIB section, so pixels can be read back exactly.
struct DibDC {
    explicit DibDC(int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~DibDC()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

class MappingTest : public testing::Test {
protected:
    void SetUp() override { saved_ = RenderingMetafile; }
    void TearDown() override { RenderingMetafile = saved_; }
    int saved_ = 0;
};

} // namespace

TEST(Mapping, RoundDisplayResolutionTable)
{
    struct Case {
        int value;
        int expected;
    };
    const Case cases[] = {
        {96, 100}, {120, 100}, {150, 100}, {200, 200}, {40, 50}, {30, 33}, {1200, 1200},
        {49, 50},  {50, 100},  {99, 100},  {299, 200}, {1000, 1000}, {1001, 1001}, {1, 1},
        // No resolution at all must not divide by zero.
        {0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, RoundDisplayResolution(c.value)) << c.value;
}

TEST_F(MappingTest, GetRoundedDeviceCapsRoundsOnlyRasterDisplays)
{
    DibDC display(4, 4);
    ASSERT_EQ(DT_RASDISPLAY, GetDeviceCaps(display.dc, TECHNOLOGY));
    const int dpi = GetDeviceCaps(display.dc, LOGPIXELSX);
    RenderingMetafile = 0;
    EXPECT_EQ(RoundDisplayResolution(dpi), GetRoundedDeviceCaps(display.dc, LOGPIXELSX, 300));
    EXPECT_EQ(100, GetRoundedDeviceCaps(display.dc, LOGPIXELSY, 300)); // 96 or 120 dpi

    // While a metafile is recorded the caller's value is used (and rounded on a display).
    RenderingMetafile = 1;
    EXPECT_EQ(100, GetRoundedDeviceCaps(display.dc, LOGPIXELSX, 96));
    EXPECT_EQ(300, GetRoundedDeviceCaps(display.dc, LOGPIXELSX, 300));

    // A device that is not a raster display keeps its value as it is.
    HDC metafile = CreateMetaFileA(nullptr);
    ASSERT_NE(DT_RASDISPLAY, GetDeviceCaps(metafile, TECHNOLOGY));
    EXPECT_EQ(300, GetRoundedDeviceCaps(metafile, LOGPIXELSX, 300));
    EXPECT_EQ(96, GetRoundedDeviceCaps(metafile, LOGPIXELSX, 96));
    DeleteMetaFile(CloseMetaFile(metafile));
}

TEST_F(MappingTest, SetZoomMapModeExtentsPerZoom)
{
    DibDC display(4, 4);
    ASSERT_EQ(100, GetRoundedDeviceCaps(display.dc, LOGPIXELSX, 0)) << "test assumes a 96 or 120 dpi display";
    struct Case {
        int zoom;
        int unitsPerInch;
        int viewport;
    };
    const Case cases[] = {
        {0, 600, 100}, {1000, 600, 100}, {500, 600, 50}, {750, 600, 75}, {1500, 600, 150},
        {2000, 600, 200}, {333, 600, 33}, {0, 1440, 100},
    };
    RenderingMetafile = 0;
    for (const Case& c : cases) {
        SetMapMode(display.dc, MM_TEXT);
        SetZoomMapMode(display.dc, c.zoom, c.unitsPerInch);
        SIZE window = {0, 0};
        SIZE viewport = {0, 0};
        GetWindowExtEx(display.dc, &window);
        GetViewportExtEx(display.dc, &viewport);
        EXPECT_EQ(MM_ANISOTROPIC, GetMapMode(display.dc)) << c.zoom;
        EXPECT_EQ(c.unitsPerInch, window.cx) << c.zoom;
        EXPECT_EQ(c.unitsPerInch, window.cy) << c.zoom;
        EXPECT_EQ(c.viewport, viewport.cx) << c.zoom;
        EXPECT_EQ(c.viewport, viewport.cy) << c.zoom;
    }
}

TEST_F(MappingTest, SetZoomMapModeWhileRecordingKeepsExtents)
{
    DibDC display(4, 4);
    SetMapMode(display.dc, MM_ANISOTROPIC);
    SetWindowExtEx(display.dc, 7, 9, nullptr);
    SetViewportExtEx(display.dc, 3, 5, nullptr);
    RenderingMetafile = 1;
    SetZoomMapMode(display.dc, 500, 600);
    SIZE window = {0, 0};
    SIZE viewport = {0, 0};
    GetWindowExtEx(display.dc, &window);
    GetViewportExtEx(display.dc, &viewport);
    EXPECT_EQ(MM_ANISOTROPIC, GetMapMode(display.dc));
    EXPECT_EQ(7, window.cx);
    EXPECT_EQ(9, window.cy);
    EXPECT_EQ(3, viewport.cx);
    EXPECT_EQ(5, viewport.cy);
}

TEST_F(MappingTest, SizeConversionsIgnoreOrigins)
{
    DibDC display(4, 4);
    RenderingMetafile = 0;
    struct Case {
        int zoom;
        SIZE logical;
        SIZE device;
    };
    const Case cases[] = {
        {0, {600, 1200}, {100, 200}},
        {500, {600, -1200}, {50, -100}},
        {2000, {-300, 60}, {-100, 20}},
    };
    for (const Case& c : cases) {
        SetZoomMapMode(display.dc, c.zoom, 600);
        SetWindowOrgEx(display.dc, 1234, -567, nullptr);
        SetViewportOrgEx(display.dc, -40, 25, nullptr);
        SIZE size = c.logical;
        EXPECT_EQ(c.device.cy, LogicalToDeviceSize(display.dc, &size)) << c.zoom;
        EXPECT_EQ(c.device.cx, size.cx) << c.zoom;
        EXPECT_EQ(c.device.cy, size.cy) << c.zoom;
        size = c.device;
        EXPECT_EQ(c.logical.cy, DeviceToLogicalSize(display.dc, &size)) << c.zoom;
        EXPECT_EQ(c.logical.cx, size.cx) << c.zoom;
        size = c.device;
        DeviceToLogicalExtent(display.dc, &size);
        EXPECT_EQ(c.logical.cx, size.cx) << c.zoom;
        EXPECT_EQ(c.logical.cy, size.cy) << c.zoom;
        SetWindowOrgEx(display.dc, 0, 0, nullptr);
        SetViewportOrgEx(display.dc, 0, 0, nullptr);
    }
}

TEST(Mapping, BlitBitmapCopiesWholeBitmapAndLetsItGo)
{
    DibDC target(20, 20);
    PatBlt(target.dc, 0, 0, 20, 20, WHITENESS);
    DibDC source(4, 3);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all = {0, 0, 4, 3};
    FillRect(source.dc, &all, red);
    DeleteObject(red);
    // Take the bitmap out of its DC so it can be blitted.
    SelectObject(source.dc, source.previous);
    HBITMAP bitmap = source.bitmap;

    EXPECT_TRUE(BlitBitmap(target.dc, bitmap, 5, 6, SRCCOPY));
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {5, 6, RGB(255, 0, 0)}, {8, 8, RGB(255, 0, 0)}, {9, 6, RGB(255, 255, 255)},
        {5, 9, RGB(255, 255, 255)}, {4, 6, RGB(255, 255, 255)}, {5, 5, RGB(255, 255, 255)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.expected, GetPixel(target.dc, p.x, p.y)) << p.x << "," << p.y;

    // The bitmap is free again: it can be selected into another DC.
    HDC other = CreateCompatibleDC(target.dc);
    HGDIOBJ was = SelectObject(other, bitmap);
    EXPECT_NE(nullptr, was);
    SelectObject(other, was);
    DeleteDC(other);
    SelectObject(source.dc, bitmap);
}
