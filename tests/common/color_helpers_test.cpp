#include <gtest/gtest.h>

#include "common/color_helpers.h"
#include "common/display_flags.h"

namespace {

// A memory DC on a 4-bit DIB section with the 16 VGA colours: what a
// 16-colour display offers as nearest colours.
struct VgaDC {
    VgaDC()
    {
        static const COLORREF vga[16] = {
            0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
            0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
        };
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[16];
        } info = {};
        info.header.biSize = sizeof(info.header);
        info.header.biWidth = 8;
        info.header.biHeight = 8;
        info.header.biPlanes = 1;
        info.header.biBitCount = 4;
        info.header.biCompression = BI_RGB;
        for (int i = 0; i < 16; ++i)
            info.colors[i] = RGBQUAD{GetBValue(vga[i]), GetGValue(vga[i]), GetRValue(vga[i]), 0};
        dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~VgaDC()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

struct Flags {
    int printWithoutColor, monochrome, sixteen, printing, metafile, nt;
};

class ColorTest : public testing::Test {
protected:
    void SetUp() override { saved_ = Current(); }
    void TearDown() override { Apply(saved_); }
    static Flags Current()
    {
        return {PrintWithoutColor, MonochromeDisplay, SixteenColourDisplay, PrintingPage, RenderingMetafile, WindowsNT};
    }
    static void Apply(const Flags& f)
    {
        PrintWithoutColor = f.printWithoutColor;
        MonochromeDisplay = f.monochrome;
        SixteenColourDisplay = f.sixteen;
        PrintingPage = f.printing;
        RenderingMetafile = f.metafile;
        WindowsNT = f.nt;
    }
    Flags saved_ = {};
};

} // namespace

TEST(Color, SnapColorTable)
{
    struct Case {
        const char* name;
        COLORREF color;
        COLORREF expected;
    };
    const Case cases[] = {
        {"example", RGB(48, 108, 140), RGB(48, 128, 128)},
        {"near white becomes white", RGB(248, 248, 248), RGB(255, 255, 255)},
        {"black", 0x000000, 0x000000},
        {"white", 0xFFFFFF, 0xFFFFFF},
        {"band edges 108 and 148", RGB(108, 148, 128), RGB(128, 128, 128)},
        {"just outside the 128 band", RGB(107, 149, 0), RGB(112, 144, 0)},
        {"band edges 176 and 208", RGB(176, 208, 192), RGB(192, 192, 192)},
        {"just outside the 192 band", RGB(175, 209, 7), RGB(176, 208, 0)},
        {"rounding to sixteenths", RGB(8, 24, 247), RGB(16, 32, 240)},
        {"top byte dropped", 0x02000000 | RGB(48, 108, 140), RGB(48, 128, 128)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, SnapColor(c.color)) << c.name;
}

TEST_F(ColorTest, MapOutputColorTable)
{
    VgaDC vga;
    const COLORREF lightYellow = RGB(255, 255, 224);
    struct Case {
        const char* name;
        Flags flags;
        COLORREF color;
        int isPen;
        COLORREF expected;
    };
    const Case cases[] = {
        {"plain colour stays", {0, 0, 0, 0, 0, 0}, 0x123456, 1, 0x02123456},
        {"plain fill stays", {0, 0, 0, 0, 0, 0}, 0x02123456, 0, 0x02123456},
        {"no colour: pen black", {1, 0, 1, 1, 0, 0}, 0x123456, 1, 0x02000000},
        {"no colour: fill white", {1, 1, 0, 1, 0, 0}, 0x123456, 0, 0x02FFFFFF},
        {"monochrome pen black", {0, 1, 0, 0, 0, 0}, 0x123456, 1, 0x02000000},
        {"monochrome white pen stays", {0, 1, 0, 0, 0, 0}, 0xFFFFFF, 1, 0x02FFFFFF},
        {"monochrome fill stays", {0, 1, 0, 0, 0, 0}, 0x123456, 0, 0x02123456},
        {"16 colours: pale pen turns grey", {0, 0, 1, 0, 0, 0}, lightYellow, 1, 0x02C0C0C0},
        {"16 colours: white pen stays white", {0, 0, 1, 0, 0, 0}, 0xFFFFFF, 1, 0x02FFFFFF},
        {"16 colours: pen takes nearest", {0, 0, 1, 0, 0, 0}, RGB(250, 5, 5), 1, 0x020000FF},
        {"16 colours: fill snapped", {0, 0, 1, 0, 0, 0}, RGB(48, 108, 140), 0, 0x02000000 | RGB(48, 128, 128)},
        {"16 colours while printing: stays", {0, 0, 1, 1, 0, 0}, lightYellow, 1, 0x02000000 | lightYellow},
        {"16 colours while printing: fill stays", {0, 0, 1, 1, 0, 0}, RGB(48, 108, 140), 0,
         0x02000000 | RGB(48, 108, 140)},
    };
    for (const Case& c : cases) {
        Apply(c.flags);
        EXPECT_EQ(c.expected, MapOutputColor(vga.dc, c.color, c.isPen)) << c.name;
    }
}

TEST_F(ColorTest, MapOutputColorWhileRecordingAsksTheDisplay)
{
    // The 16-colour DC would turn the pale pen grey; while recording, the
    // display's own nearest colour counts instead.
    VgaDC vga;
    const COLORREF lightYellow = RGB(255, 255, 224);
    Apply({0, 0, 1, 0, 1, 0});
    HDC screen = GetDC(nullptr);
    COLORREF nearest = GetNearestColor(screen, lightYellow);
    ReleaseDC(nullptr, screen);
    if (nearest == CLR_INVALID)
        nearest = lightYellow;
    const COLORREF expected = (nearest & 0xFFFFFF) == 0xFFFFFF ? 0xC0C0C0 : (nearest & 0xFFFFFF);
    EXPECT_EQ(0x02000000 | expected, MapOutputColor(vga.dc, lightYellow, 1));
    EXPECT_NE(0x02C0C0C0u, MapOutputColor(vga.dc, lightYellow, 1)) << "a true-colour display keeps the colour";
}

TEST_F(ColorTest, CreateOutputPenKinds)
{
    VgaDC vga;
    struct Case {
        const char* name;
        int nt;
        int metafile;
        int width;
        bool geometric;
    };
    const Case cases[] = {
        {"NT wide pen is geometric", 1, 0, 5, true},
        {"NT hairline is plain", 1, 0, 0, false},
        {"NT while recording is plain", 1, 1, 5, false},
        {"not NT is plain", 0, 0, 5, false},
    };
    const COLORREF color = RGB(250, 5, 5);
    for (const Case& c : cases) {
        Apply({0, 0, 1, 0, c.metafile, c.nt});
        HPEN pen = CreateOutputPen(vga.dc, PS_DASH, c.width, color);
        ASSERT_NE(nullptr, pen) << c.name;
        if (c.geometric) {
            ASSERT_EQ(static_cast<DWORD>(OBJ_EXTPEN), GetObjectType(pen)) << c.name;
            EXTLOGPEN info = {};
            ASSERT_NE(0, GetObjectA(pen, sizeof(info), &info)) << c.name;
            EXPECT_EQ(static_cast<DWORD>(PS_DASH | 0x12100), info.elpPenStyle) << c.name;
            EXPECT_EQ(5u, info.elpWidth) << c.name;
            EXPECT_EQ(MapOutputColor(vga.dc, color, 1), info.elpColor) << c.name;
        } else {
            ASSERT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(pen)) << c.name;
            LOGPEN info = {};
            ASSERT_NE(0, GetObjectA(pen, sizeof(info), &info)) << c.name;
            EXPECT_EQ(static_cast<UINT>(PS_DASH), info.lopnStyle) << c.name;
            EXPECT_EQ(c.width, info.lopnWidth.x) << c.name;
            EXPECT_EQ(color, info.lopnColor) << c.name;
        }
        DeleteObject(pen);
    }
}
