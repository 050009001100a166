// Metafile pictures played record by record through the program's own
// transform, recorded into an enhanced metafile (or a memory DC) and checked
// by the figures drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/metafile_playback.h"
#include "objects/metafile_records.h"
#include "objects/packed_dib.h"
#include "picture_test_support.h"

namespace {

const RECT kSource = {0, 0, 200, 100};
const RECT kDestination = {1000, 2000, 1400, 2200};   // both scales 2

std::vector<EmfRecord> Play(const WmfBuilder& picture, uint32_t flip = 0, int rotation = 0,
                            RECT source = kSource)
{
    return RecordEmf([&](HDC dc) {
        PlaybackState state{};
        state.flipFlags = flip;
        state.rotation = rotation;
        PlayMetafileTransformed(dc, &kDestination, picture.Block(), &source, &state);
    });
}

RECT Normal(RECT r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

std::vector<RECT> Rectangles(const std::vector<EmfRecord>& records)
{
    std::vector<RECT> found;
    for (const EmfRecord* r : RecordsOf(records, EMR_RECTANGLE))
    {
        // The recorder keeps the box inclusive of its right and bottom edges.
        const RECTL& box = r->As<EMRRECTANGLE>()->rclBox;
        found.push_back(Normal(RECT{box.left, box.top, box.right + 1, box.bottom + 1}));
    }
    return found;
}

std::vector<const EmfRecord*> Polygons(const std::vector<EmfRecord>& records)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : records) {
        if (IsPolygon(r))
            found.push_back(&r);
    }
    return found;
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A point turned by tenths of a degree about a centre, worked out here
// independently of the program's helper.
POINT Turned(POINT p, POINT centre, int tenths)
{
    double t = tenths * 3.14159265358979 / 1800.0;
    double dx = p.x - centre.x, dy = p.y - centre.y;
    return {static_cast<LONG>(std::lround(dx * std::cos(t) + dy * std::sin(t) + centre.x)),
            static_cast<LONG>(std::lround(dy * std::cos(t) - dx * std::sin(t) + centre.y))};
}

TEST(MetafilePlayback, RectanglesLandWhereTheTransformPutsThem)
{
    // The picture's rectangle (10, 20) - (110, 70) in a 200 x 100 source.
    struct Row {
        const char* name;
        uint32_t flip;
        std::vector<std::vector<int>> before;   // window records ahead of it
        RECT expected;
    };
    const std::vector<Row> rows = {
        {"plain", 0, {}, {1020, 2040, 1220, 2140}},
        {"mirrored left to right about the right edge", 0x08, {}, {1180, 2040, 1380, 2140}},
        {"mirrored top to bottom about the bottom edge", 0x10, {}, {1020, 2060, 1220, 2160}},
        {"window origin moved", 0, {{kMetaSetWindowOrg, 10, 10}}, {1000, 2020, 1200, 2120}},
        {"window origin offset", 0, {{kMetaOffsetWindowOrg, -20, -10}}, {1040, 2080, 1240, 2180}},
        {"window extent of half the source", 0, {{kMetaSetWindowExt, 50, 100}}, {1040, 2080, 1440, 2280}},
        // A negative x extent: the origin lands on the left edge, origin plus
        // extent on the right one.
        {"negative window extent", 0, {{kMetaSetWindowOrg, 0, 200}, {kMetaSetWindowExt, 100, -200}},
         {1180, 2040, 1380, 2140}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WmfBuilder picture;
        for (const std::vector<int>& values : row.before)
            picture.Record(static_cast<uint16_t>(values[0]), {values[1], values[2]});
        picture.Record(kMetaRectangle, {70, 110, 20, 10});
        std::vector<RECT> drawn = Rectangles(Play(picture, row.flip));
        ASSERT_EQ(1u, drawn.size());
        EXPECT_TRUE(Same(row.expected, drawn[0]))
            << drawn[0].left << "," << drawn[0].top << "," << drawn[0].right << "," << drawn[0].bottom;
    }
}

TEST(MetafilePlayback, RotatedFiguresBecomeTurnedPolygons)
{
    WmfBuilder picture;
    picture.Record(kMetaRectangle, {70, 110, 20, 10}).Record(kMetaEllipse, {70, 110, 20, 10});
    picture.Record(kMetaRoundRect, {20, 20, 70, 110, 20, 10});
    picture.Record(kMetaIntersectClipRect, {50, 50, 0, 0});   // ignored when rotated
    std::vector<EmfRecord> records = Play(picture, 0, 900);
    EXPECT_TRUE(Rectangles(records).empty());
    EXPECT_TRUE(RecordsOf(records, EMR_ELLIPSE).empty());
    EXPECT_TRUE(RecordsOf(records, EMR_ROUNDRECT).empty());
    EXPECT_TRUE(RecordsOf(records, EMR_INTERSECTCLIPRECT).empty());
    std::vector<const EmfRecord*> polygons = Polygons(records);
    ASSERT_EQ(3u, polygons.size());

    // The rectangle's corners turned a quarter about the destination's centre.
    const POINT centre = {1200, 2100};
    std::vector<POINT> corners = PolyPoints(*polygons[0]);
    std::vector<POINT> expected = {Turned({1020, 2040}, centre, 900), Turned({1220, 2040}, centre, 900),
                                   Turned({1220, 2140}, centre, 900), Turned({1020, 2140}, centre, 900)};
    for (const POINT& want : expected) {
        bool found = std::any_of(corners.begin(), corners.end(), [&](const POINT& p) {
            return std::abs(p.x - want.x) <= 1 && std::abs(p.y - want.y) <= 1;
        });
        EXPECT_TRUE(found) << want.x << "," << want.y;
    }
    // The ellipse's points keep their distance from its own turned centre.
    std::vector<POINT> ellipse = PolyPoints(*polygons[1]);
    ASSERT_GT(ellipse.size(), 20u);
    POINT middle = Turned({1120, 2090}, centre, 900);
    for (const POINT& p : ellipse) {
        // Turned a quarter, the 200 x 100 ellipse is 100 wide and 200 high.
        double u = (p.x - middle.x) / 50.0, v = (p.y - middle.y) / 100.0;
        EXPECT_NEAR(1.0, u * u + v * v, 0.08);
    }
}

TEST(MetafilePlayback, NestedSavesGiveEachGroupItsOwnTransform)
{
    WmfBuilder picture;
    picture.Record(kMetaSaveDc, {})
        .Record(kMetaSetWindowOrg, {0, 100})
        .Record(kMetaSetWindowExt, {50, 100})
        .Record(kMetaSaveDc, {})
        .Record(kMetaSetWindowOrg, {50, 0})
        .Record(kMetaRectangle, {60, 20, 50, 0})     // inner: origin (0, 50), scale 4
        .Record(kMetaRestoreDc, {0xFFFF})
        .Record(kMetaRectangle, {10, 120, 0, 100})   // middle: origin (100, 0), scale 4
        .Record(kMetaRestoreDc, {0xFFFF})
        .Record(kMetaRectangle, {70, 110, 20, 10})   // outer: the initial transform
        .Record(kMetaRestoreDc, {0xFFFF})            // unmatched: back to the initial transform
        .Record(kMetaSetWindowExt, {10, 10})
        .Record(kMetaRestoreDc, {0xFFFF})            // below depth 0: nothing comes back
        .Record(kMetaRectangle, {1, 1, 0, 0});
    std::vector<RECT> drawn = Rectangles(Play(picture));
    ASSERT_EQ(4u, drawn.size());
    EXPECT_TRUE(Same(RECT{1000, 2000, 1080, 2040}, drawn[0]));
    EXPECT_TRUE(Same(RECT{1000, 2000, 1080, 2040}, drawn[1]));
    EXPECT_TRUE(Same(RECT{1020, 2040, 1220, 2140}, drawn[2]));
    // Below depth 0 a restore brings nothing back: the extent of 10 x 10
    // (scales 40 and 20) stays.
    EXPECT_TRUE(Same(RECT{1000, 2000, 1040, 2020}, drawn[3]));
}

TEST(MetafilePlayback, UnmatchedRestoresNeverPopThePaintersOwnStates)
{
    WmfBuilder picture;
    picture.Record(kMetaRestoreDc, {0xFFFF}).Record(kMetaRestoreDc, {0xFFFB});
    picture.Record(kMetaSaveDc, {}).Record(kMetaSaveDc, {});
    picture.Record(kMetaSetTextColor, {0x00FF, 0});
    PixelCanvas canvas(50, 50);
    HDC dc = canvas.Dc();
    SetTextColor(dc, RGB(1, 2, 3));
    int level = SaveDC(dc);
    RestoreDC(dc, -1);
    PlaybackState state{};
    PlayMetafileTransformed(dc, &kDestination, picture.Block(), &kSource, &state);
    int after = SaveDC(dc);
    RestoreDC(dc, -1);
    EXPECT_EQ(level, after);
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
}

TEST(MetafilePlayback, EmptyExtentsDrawNothingInsteadOfInfiniteCoordinates)
{
    WmfBuilder picture;
    picture.Record(kMetaSetWindowExt, {0, 0})
        .Record(kMetaRectangle, {70, 110, 20, 10})
        .Record(kMetaPolygon, {2, 0, 0, 5, 5})
        .Record(kMetaTextOut, {1, 0x41, 5, 5})
        .Record(kMetaSetWindowExt, {100, 200})
        .Record(kMetaRectangle, {70, 110, 20, 10});
    std::vector<RECT> drawn = Rectangles(Play(picture));
    ASSERT_EQ(1u, drawn.size());
    EXPECT_TRUE(Same(RECT{1020, 2040, 1220, 2140}, drawn[0]));

    struct Row {
        const char* name;
        RECT source;
    };
    const std::vector<Row> rows = {
        {"no width", {5, 0, 5, 100}}, {"no height", {0, 7, 200, 7}}, {"nothing", {0, 0, 0, 0}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WmfBuilder rectangle;
        rectangle.Record(kMetaRectangle, {70, 110, 20, 10});
        EXPECT_EQ(0, DrawingRecordCount(Play(rectangle, 0, 0, row.source)));
    }
}

TEST(MetafilePlayback, CoordinatesAreClampedToSixteenBits)
{
    WmfBuilder picture;
    picture.Record(kMetaRectangle, {32767, 32767, -32768, -32768});
    std::vector<RECT> drawn = Rectangles(RecordEmf([&](HDC dc) {
        PlaybackState state{};
        RECT destination = {0, 0, 20000, 20000}, source = {0, 0, 10, 10};
        PlayMetafileTransformed(dc, &destination, picture.Block(), &source, &state);
    }));
    ASSERT_EQ(1u, drawn.size());
    EXPECT_TRUE(Same(RECT{-32767, -32767, 32767, 32767}, drawn[0]));
}

TEST(MetafilePlayback, MirroredPieCoversTheMirroredSlice)
{
    // A quarter pie from the right (200, 50) to the top (100, 0), counter-clockwise.
    WmfBuilder picture;
    picture.Record(kMetaPie, {0, 100, 50, 200, 100, 200, 0, 0});
    struct Row {
        const char* name;
        uint32_t flip;
        POINT start, end;
    };
    // Mirrored left to right the slice runs from the top to the left.
    const std::vector<Row> rows = {
        {"plain", 0, {1400, 2100}, {1200, 2000}},
        {"mirrored left to right", 0x08, {1200, 2000}, {1000, 2100}},
        {"mirrored both ways", 0x18, {1000, 2100}, {1200, 2200}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<EmfRecord> records = Play(picture, row.flip);
        std::vector<const EmfRecord*> pies = RecordsOf(records, EMR_PIE);
        ASSERT_EQ(1u, pies.size());
        const EMRARC* pie = pies[0]->As<EMRARC>();
        EXPECT_EQ(row.start.x, pie->ptlStart.x);
        EXPECT_EQ(row.start.y, pie->ptlStart.y);
        EXPECT_EQ(row.end.x, pie->ptlEnd.x);
        EXPECT_EQ(row.end.y, pie->ptlEnd.y);
    }
    // Rotated, the pie is a closed polygon that starts at the centre.
    std::vector<EmfRecord> turned = Play(picture, 0, 3600 - 10);
    std::vector<const EmfRecord*> polygons = Polygons(turned);
    ASSERT_EQ(1u, polygons.size());
    std::vector<POINT> points = PolyPoints(*polygons[0]);
    ASSERT_GT(points.size(), 10u) << polygons[0]->type << " " << polygons[0]->bytes.size();
    EXPECT_NEAR(1200, points.front().x, 2);
    EXPECT_NEAR(2100, points.front().y, 2);
    EXPECT_EQ(points.front().x, points.back().x);
    EXPECT_EQ(points.front().y, points.back().y);
}

TEST(MetafilePlayback, PointListsStopAtTheBuffer)
{
    std::vector<uint16_t> many = {20000};
    for (int i = 0; i < 20000; ++i) {
        many.push_back(static_cast<uint16_t>(i % 200));
        many.push_back(static_cast<uint16_t>(i % 100));
    }
    std::vector<uint16_t> polys = {3, 9000, 9000, 9000};
    for (int i = 0; i < 27000; ++i) {
        polys.push_back(static_cast<uint16_t>(i % 200));
        polys.push_back(static_cast<uint16_t>(i % 97));
    }
    WmfBuilder picture;
    picture.RecordWords(kMetaPolyline, many).RecordWords(kMetaPolyPolygon, polys);
    std::vector<EmfRecord> records = Play(picture);
    std::vector<POINT> line;
    for (const EmfRecord& r : records) {
        if (IsPolyline(r))
            line = PolyPoints(r);
    }
    EXPECT_EQ(16000u, line.size());
    DWORD polygonCount = 0, total = 0;
    for (const EmfRecord& r : records) {
        if (r.type == EMR_POLYPOLYGON16) {
            polygonCount = r.As<EMRPOLYPOLYGON16>()->nPolys;
            total = r.As<EMRPOLYPOLYGON16>()->cpts;
        } else if (r.type == EMR_POLYPOLYGON) {
            polygonCount = r.As<EMRPOLYPOLYGON>()->nPolys;
            total = r.As<EMRPOLYPOLYGON>()->cptl;
        }
    }
    EXPECT_EQ(2u, polygonCount);
    EXPECT_EQ(16000u, total);
}

TEST(MetafilePlayback, TextOfARotatedPictureTurnsWithIt)
{
    WmfBuilder picture(2);
    picture.Record(kMetaCreateFontIndirect, {20, 0, 100, 0, 400, 0, 0, 0, 0, 0x7241, 0x6169, 0x006C})
        .Record(kMetaSelectObject, {0})
        .Record(kMetaSetTextAlign, {TA_LEFT})
        .Record(kMetaTextOut, {2, 0x6948, 30, 20});
    struct Row {
        const char* name;
        uint32_t flip;
        int rotation;
        int escapement;
        UINT align;
    };
    const std::vector<Row> rows = {
        {"upright", 0, 0, 100, TA_LEFT},
        {"turned a quarter", 0, 900, 1000, TA_LEFT},
        {"turned past a full circle", 0, 3550, 50, TA_LEFT},
        {"mirrored left to right", 0x08, 0, 100, TA_RIGHT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<EmfRecord> records = Play(picture, row.flip, row.rotation);
        std::vector<const EmfRecord*> fonts = RecordsOf(records, EMR_EXTCREATEFONTINDIRECTW);
        ASSERT_FALSE(fonts.empty());
        const LOGFONTW& font = fonts.back()->As<EMREXTCREATEFONTINDIRECTW>()->elfw.elfLogFont;
        EXPECT_EQ(40, font.lfHeight);   // scaled by the y scale
        EXPECT_EQ(row.escapement, font.lfEscapement);
        std::vector<const EmfRecord*> aligns = RecordsOf(records, EMR_SETTEXTALIGN);
        ASSERT_FALSE(aligns.empty());
        EXPECT_EQ(row.align, aligns.back()->As<EMRSELECTCLIPPATH>()->iMode & (TA_CENTER | TA_RIGHT));
        EXPECT_EQ(1u, RecordsOf(records, EMR_EXTTEXTOUTA).size() + RecordsOf(records, EMR_EXTTEXTOUTW).size());
    }
}

TEST(MetafilePlayback, SubstitutesGiveThePictureTheObjectsColours)
{
    // Black outlines, a black solid fill and a grey solid fill.
    const COLORREF grey = RGB(128, 128, 128);
    WmfBuilder picture(4);
    picture.Record(kMetaCreatePenIndirect, {PS_SOLID, 0, 0, 0, 0})
        .Record(kMetaSelectObject, {0})
        .Record(kMetaCreateBrushIndirect, {BS_SOLID, 0, 0, 0})
        .Record(kMetaSelectObject, {1})
        .Record(kMetaRectangle, {40, 40, 0, 0})
        .Record(kMetaCreateBrushIndirect, {BS_SOLID, static_cast<int>(grey & 0xFFFF), static_cast<int>(grey >> 16), 0})
        .Record(kMetaSelectObject, {2})
        .Record(kMetaRectangle, {40, 90, 0, 50})
        .Record(kMetaDeleteObject, {1})
        .Record(kMetaDeleteObject, {0});
    PixelCanvas canvas(100, 50);
    PlaybackState state{};
    HBRUSH line = CreateSolidBrush(RGB(200, 0, 0));
    HBRUSH fill = CreateSolidBrush(RGB(0, 200, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 200));
    state.lineBrush = line;
    state.fillBrush = fill;
    state.pen = pen;
    RECT destination = {0, 0, 100, 50}, source = {0, 0, 100, 50};
    PlayMetafileTransformed(canvas.Dc(), &destination, picture.Block(), &source, &state);
    EXPECT_EQ(RGB(200, 0, 0), canvas.At(20, 20));   // black fill: the line colour
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(70, 20));   // other fills: the fill colour
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(20, 0));    // every line: the object's pen
    // The picture deleted its own objects, never the substitutes.
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(line));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(fill));
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(pen));
    DeleteObject(line);
    DeleteObject(fill);
    DeleteObject(pen);
}

TEST(MetafilePlayback, StretchedBitmapsAreDrawnIntoTheirMappedRectangle)
{
    std::vector<uint8_t> dib = SolidDib(2, 2, RGB(250, 10, 10));
    std::vector<uint16_t> words((dib.size() + 1) / 2);
    std::memcpy(words.data(), dib.data(), dib.size());
    std::vector<uint16_t> params = {0x0020, 0x00CC, DIB_RGB_COLORS, 2, 2, 0, 0, 20, 40, 10, 30};
    params.insert(params.end(), words.begin(), words.end());
    WmfBuilder picture;
    picture.RecordWords(kMetaStretchDib, params);
    std::vector<EmfRecord> records = Play(picture, 0x08);
    std::vector<const EmfRecord*> stretched = RecordsOf(records, EMR_STRETCHDIBITS);
    ASSERT_EQ(1u, stretched.size());
    const EMRSTRETCHDIBITS* record = stretched[0]->As<EMRSTRETCHDIBITS>();
    // (30, 10) - (70, 30), mirrored about the right edge: x 1340 back to 1260.
    EXPECT_EQ(1340, record->xDest);
    EXPECT_EQ(2020, record->yDest);
    EXPECT_EQ(-80, record->cxDest);
    EXPECT_EQ(40, record->cyDest);
}

TEST(MetafilePlayback, StretchRecordsWithoutADibAreSkipped)
{
    // A device-dependent bitmap (BITMAP16) where a DIB would be, and the form
    // without any source bitmap: neither is read as a DIB.
    std::vector<uint16_t> ddb = {0x0020, 0x00CC, 2, 2, 0, 0, 20, 20, 10, 10, 0, 2, 2, 2, 0x0101, 0, 0, 0xFFFF, 0xFFFF};
    std::vector<uint16_t> bare = {0x0020, 0x00CC, 2, 2, 0, 0, 0, 20, 20, 10, 10};
    WmfBuilder picture;
    picture.RecordWords(kMetaStretchBlt, ddb).RecordWords(kMetaDibStretchBlt, bare);
    ASSERT_TRUE(picture.Bits().size() > 0);
    std::vector<EmfRecord> records = Play(picture);
    EXPECT_EQ(0, DrawingRecordCount(records));
}

TEST(PackedDib, ColourTablesShorterThanTheDepthAreHonoured)
{
    // An 8-bit DIB whose table holds two colours; every pixel is entry 1.
    std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 2 * 4 + 4 * 2, 1);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biClrUsed = 2;
    std::memcpy(dib.data(), &header, sizeof(header));
    RGBQUAD table[2] = {{0, 0, 255, 0}, {255, 0, 0, 0}};   // red, blue
    std::memcpy(dib.data() + sizeof(header), table, sizeof(table));
    PixelCanvas canvas(40, 40);
    RECT rect = {0, 0, 20, 20};
    HGLOBAL block = BlockOf(dib);
    EXPECT_EQ(0, DrawDib(canvas.Dc(), &rect, block));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(5, 5));
    // Cut one byte short, the same DIB is refused and nothing is drawn.
    dib.pop_back();
    HGLOBAL cut = BlockOf(dib);
    PixelCanvas untouched(40, 40);
    EXPECT_NE(0, DrawDib(untouched.Dc(), &rect, cut));
    EXPECT_EQ(RGB(255, 255, 255), untouched.At(5, 5));
    GlobalFree(block);
    GlobalFree(cut);
}

TEST(MetafilePlayback, NoMemoryForTheBuffersDrawsNothing)
{
    WmfBuilder picture;
    picture.Record(kMetaRectangle, {70, 110, 20, 10});
    for (long nth : {1L, 2L}) {
        SCOPED_TRACE(nth);
        std::vector<EmfRecord> records = RecordEmf([&](HDC dc) {
            PlaybackState state{};
            HGLOBAL block = picture.Block();
            SeamArmFault(kSeamAlloc, nth, false);
            PlayMetafileTransformed(dc, &kDestination, block, &kSource, &state);
            SeamDisarm();
        });
        EXPECT_EQ(0, DrawingRecordCount(records));
    }
}

} // namespace
