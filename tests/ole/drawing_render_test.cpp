// Pictures of a drawing: extents, METAFILEPICT sizes, packed DIBs, the bitmap
// through the back buffer and the preview a document keeps.
#include <gtest/gtest.h>

#include <vector>

#include "common/back_buffer.h"
#include "common/bitmap_to_dib.h"
#include "objects/drawing_extents.h"
#include "objects/drawing_fixture.h"
#include "objects/drawing_tables.h"
#include "objects/view_record.h"
#include "ole/drawing_render.h"
#include "store/record_store.h"
#include "support/paint_canvas.h"

namespace {

struct PictExtentCase {
    const char* name;
    int width, height;
    LONG xExt, yExt;
};

const PictExtentCase kPictExtents[] = {
    {"ordinary", 1200, 600, 5080, 2540},
    {"empty drawing picture", 600, 600, 2540, 2540},
    // 20000 units are 84666 HIMETRIC: scaled to the limit, the other side alike.
    {"too wide", 20000, 600, 32700, 981},
    {"too high", 600, 20000, 981, 32700},
    // A whole-number factor of 2 would leave 32750 here.
    {"just under three times the limit", 23200, 23200, 32700, 32700},
};

TEST(MetafilePictExtents, HimetricWithTheLargerSideAtMostTheLimit)
{
    for (const PictExtentCase& c : kPictExtents) {
        LONG x = 0, y = 0;
        MetafilePictExtents(c.width, c.height, &x, &y);
        EXPECT_EQ(c.xExt, x) << c.name;
        EXPECT_EQ(c.yExt, y) << c.name;
    }
}

TEST(MetafilePictExtents, ScaledPictureNeverStaysAboveTheLimit)
{
    LONG x = 0, y = 0;
    MetafilePictExtents(15490, 100, &x, &y);
    EXPECT_LE(x, kMaxMetafilePictExtent);
}

struct WidenCase {
    const char* name;
    RECT extents;
    BOOL portrait;
    RECT widened;
};

const WidenCase kWiden[] = {
    {"small portrait drawing kept at 0", {0, 0, 1000, 1000}, TRUE, {0, 0, 4800, 6000}},
    {"small landscape drawing", {0, 0, 1000, 1000}, FALSE, {0, 0, 6000, 4800}},
    {"right and bottom kept", {8000, 9000, 9000, 10000}, TRUE, {4200, 4000, 9000, 10000}},
    {"larger drawing as it is", {0, 0, 7000, 8000}, TRUE, {0, 0, 7000, 8000}},
};

TEST(PreviewExtents, WidenedToAPageFromTheRightAndBottom)
{
    for (const WidenCase& c : kWiden) {
        RECT r = WidenPreviewExtents(c.extents, c.portrait);
        EXPECT_TRUE(EqualRect(&r, &c.widened)) << c.name << ": " << r.left << "," << r.top << "," << r.right << ","
                                               << r.bottom;
    }
}

TEST(PreviewZoom, FitsTheBoxAndNeverEnlarges)
{
    // 600 / 100 = 6 units a pixel: 4800 x 6000 into 150 x 150 is 900 / 6000.
    EXPECT_EQ(150, PreviewZoom({0, 0, 4800, 6000}, {150, 150}, 100));
    EXPECT_EQ(0, PreviewZoom({0, 0, 600, 600}, {150, 150}, 100));
}

struct DibCase {
    const char* name;
    int bitsPerPixel;
    int width;
    WORD depth;
    DWORD colours;
    DWORD rowBytes;
};

const DibCase kDibs[] = {
    {"16 bits become 24", 16, 5, 24, 0, 16},
    {"1 bit keeps two colours", 1, 33, 1, 2, 8},
    {"8 bits keep 256 colours", 8, 3, 8, 256, 4},
    {"32 bits become 24", 32, 1, 24, 0, 4},
};

TEST(BitmapToPackedDib, DepthColourTableAndPaddedRows)
{
    HDC screen = GetDC(nullptr);
    for (const DibCase& c : kDibs) {
        const int height = 3;
        HBITMAP bitmap = CreateBitmap(c.width, height, 1, static_cast<UINT>(c.bitsPerPixel), nullptr);
        ASSERT_NE(nullptr, bitmap) << c.name;
        HGLOBAL dib = nullptr;
        EXPECT_EQ(kErrNone, BitmapToPackedDib(screen, bitmap, nullptr, &dib)) << c.name;
        ASSERT_NE(nullptr, dib) << c.name;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
        EXPECT_EQ(c.depth, header->biBitCount) << c.name;
        EXPECT_EQ(c.rowBytes, PackedDibRowBytes(c.width, c.depth)) << c.name;
        EXPECT_EQ(sizeof(BITMAPINFOHEADER) + c.colours * sizeof(RGBQUAD) + c.rowBytes * height, GlobalSize(dib))
            << c.name;
        GlobalUnlock(dib);
        GlobalFree(dib);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
}

class DrawingRender : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        ResizeBackBuffer();
    }
    HGLOBAL Handle() { return GetViewDrawingHandle(ViewRecord()); }
    RECT Extents(BOOL selectedOnly, BOOL stored)
    {
        RECT r;
        LockedTable objects(Drawing(), kTableObjects);
        GetDrawingExtents(Drawing(), objects.Get(), &r, selectedOnly, stored);
        return r;
    }
};

TEST_F(DrawingRender, LabelOfASelectedHostCountsForTheSelection)
{
    ASSERT_EQ(0, Create({1000, 1000, 2000, 1600}, 2, 0));
    ASSERT_EQ(0, Create({5000, 5000, 5600, 5300}, 2, 0));
    // The second hangs on the first as its label.
    Object(1)->stateFlags |= kStateAttached;
    Object(1)->labelPartnerId = Object(0)->objectId;
    Object(1)->labelPartnerHint = 0;
    SelectOnly({0});
    RECT r = Extents(TRUE, TRUE);
    EXPECT_EQ(Object(0)->bounds.left, r.left);
    EXPECT_EQ(Object(1)->bounds.right, r.right);
}

TEST_F(DrawingRender, ZeroWidthObjectCountsOneUnitWide)
{
    ASSERT_EQ(0, Create({1000, 1000, 2000, 1600}, 2, 0));
    Object(0)->bounds = {3000, 1000, 3000, 2000};
    RECT r = Extents(FALSE, TRUE);
    EXPECT_EQ(3001, r.right);
}

TEST_F(DrawingRender, ShadowWidensThePaintedExtentsOnly)
{
    ASSERT_EQ(0, Create({1000, 1000, 2000, 1600}, 2, 0));
    RECT plain = Extents(FALSE, FALSE);
    Drawing()->style.shadowKind = 3;
    Drawing()->style.shadowDx = 100;
    Drawing()->style.shadowDy = 100;
    RECT painted = Extents(FALSE, FALSE);
    EXPECT_EQ(plain.right + 100, painted.right);
    EXPECT_EQ(plain.bottom + 100, painted.bottom);
    EXPECT_EQ(plain.left, painted.left);
}

TEST_F(DrawingRender, EmptyDrawingRendersOnlyWhenAllowed)
{
    EXPECT_EQ(nullptr, MakeDrawingMetafilePict(Handle(), nullptr, FALSE, FALSE, TRUE));
    HGLOBAL block = MakeDrawingMetafilePict(Handle(), nullptr, FALSE, TRUE, TRUE);
    ASSERT_NE(nullptr, block);
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(block));
    EXPECT_EQ(MM_ANISOTROPIC, picture->mm);
    EXPECT_EQ(2540, picture->xExt);
    EXPECT_EQ(2540, picture->yExt);
    DeleteMetaFile(picture->hMF);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST_F(DrawingRender, MetafilePlaysTheShapeAtItsExtents)
{
    ASSERT_EQ(0, Create({1200, 600, 2400, 1200}, 2, 0));
    RECT extents;
    HMETAFILE metafile = DrawingToMetafile(Handle(), nullptr, &extents, FALSE, FALSE, TRUE);
    ASSERT_NE(nullptr, metafile);
    PaintCanvas canvas(200, 100);
    SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    SetViewportExtEx(canvas.Dc(), 200, 100, nullptr);
    PlayMetaFile(canvas.Dc(), metafile);
    canvas.WritePng("drawing_render_metafile");
    // The rectangle's outline runs along the picture's edges.
    EXPECT_GT(canvas.DarkIn({0, 0, 10, 100}), 50);
    EXPECT_EQ(0, canvas.DarkIn({40, 30, 160, 70}));
    DeleteMetaFile(metafile);
}

TEST_F(DrawingRender, ShapeWithoutAPictureGivesNoPictureRendering)
{
    ASSERT_EQ(0, Create({1200, 600, 2400, 1200}, 2, 0));
    EXPECT_EQ(nullptr, MakePictureMetafilePict(Handle(), FALSE));
}

TEST_F(DrawingRender, BitmapOfTheViewAtItsZoom)
{
    ASSERT_EQ(0, Create({600, 600, 1800, 1200}, 2, 0));
    HBITMAP bitmap = MakeDrawingBitmap(view_, FALSE);
    ASSERT_NE(nullptr, bitmap);
    BITMAP info;
    ASSERT_EQ(static_cast<int>(sizeof(info)), GetObjectA(bitmap, sizeof(info), &info));
    // 100 pixels an inch at 100 per cent: 1200 x 600 units and the outline.
    EXPECT_NEAR(200, info.bmWidth, 3);
    EXPECT_NEAR(100, info.bmHeight, 3);
    DeleteObject(bitmap);
    EXPECT_NE(nullptr, BackBufferDC);
}

TEST_F(DrawingRender, EmptyDrawingKeepsNoPreview)
{
    ASSERT_EQ(kErrNone, StorePreviewBitmap(view_, ViewRecord(), {150, 150}));
    RecordHandle record = nullptr;
    EXPECT_NE(kErrNone, FindRecord(store_, 100, 107, &record));
}

TEST_F(DrawingRender, PreviewOfAPortraitDrawingFitsTheBox)
{
    auto* record = static_cast<::ViewRecord*>(ViewRecord());
    record->pageWidth = 5100;
    record->pageHeight = 6600;
    ASSERT_EQ(0, Create({0, 0, 1000, 1000}, 2, 0));
    ASSERT_EQ(kErrNone, StorePreviewBitmap(view_, ViewRecord(), {150, 150}));
    RecordHandle preview = nullptr;
    ASSERT_EQ(kErrNone, FindRecord(store_, 100, 107, &preview));
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(preview));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes + 16);
    EXPECT_LE(header->biHeight, 150);
    EXPECT_GT(header->biHeight, 100);
    // Portrait: taller than wide.
    EXPECT_LT(header->biWidth, header->biHeight);
    GlobalUnlock(preview);
    ReleaseRecord(preview);
}

} // namespace
