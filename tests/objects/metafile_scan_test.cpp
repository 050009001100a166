// The scan of incoming metafiles and the check every metafile passes before
// any of its records is enumerated, with damaged metafiles of every kind.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/handle_words.h"
#include "objects/metafile_playback.h"
#include "objects/metafile_records.h"
#include "objects/metafile_scan.h"
#include "objects/picture_chunks.h"
#include "picture_test_support.h"
#include "support/crash_guard.h"

namespace {

int Lo(COLORREF c) { return static_cast<int>(c & 0xFFFF); }
int Hi(COLORREF c) { return static_cast<int>(c >> 16); }

struct ScanResult {
    ErrorCode code;
    RECT extent;
    int flags;
    std::vector<COLORREF> colors;
};

ScanResult Scan(const std::vector<uint8_t>& bits)
{
    ScanResult result = {};
    HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    EXPECT_NE(nullptr, metafile);
    COLORREF colors[256];
    int count = 0;
    result.extent = {0, 0, 55, 66};
    result.code = ScanMetafile(metafile, &result.extent, &count, colors, &result.flags);
    result.colors.assign(colors, colors + count);
    DeleteMetaFile(metafile);
    return result;
}

// A small DIB inside a record's parameters, as 16-bit words.
std::vector<uint16_t> DibWords(const std::vector<uint8_t>& dib)
{
    std::vector<uint16_t> words((dib.size() + 1) / 2, 0);
    std::memcpy(words.data(), dib.data(), dib.size());
    return words;
}

std::vector<uint16_t> Concat(std::vector<uint16_t> head, const std::vector<uint16_t>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(MetafileScan, CollectsPenAndBrushColoursAndMirroredExtents)
{
    const COLORREF pen = RGB(10, 20, 30), brush = RGB(200, 100, 50);
    std::vector<uint8_t> bits = WmfBuilder(6)
                                    .Record(kMetaSetWindowExt, {-100, -200})
                                    .Record(kMetaCreatePenIndirect, {PS_SOLID, 1, 0, Lo(pen), Hi(pen)})
                                    .Record(kMetaSelectObject, {0})
                                    .Record(kMetaCreateBrushIndirect, {BS_SOLID, Lo(brush), Hi(brush), 0})
                                    .Record(kMetaSelectObject, {1})
                                    // A null brush, a null pen and a palette-index colour add nothing.
                                    .Record(kMetaCreateBrushIndirect, {BS_NULL, 0x1111, 0x0011, 0})
                                    .Record(kMetaSelectObject, {2})
                                    .Record(kMetaCreatePenIndirect, {PS_NULL, 1, 0, 0x2222, 0x0022})
                                    .Record(kMetaSelectObject, {3})
                                    .Record(kMetaCreateBrushIndirect, {BS_SOLID, 5, 0x0100, 0})
                                    .Record(kMetaSelectObject, {4})
                                    // The same colour again is listed once.
                                    .Record(kMetaCreatePenIndirect, {PS_DASH, 1, 0, Lo(pen), Hi(pen) | 0x0200})
                                    .Record(kMetaSelectObject, {5})
                                    .Record(kMetaRectangle, {70, 110, 20, 10})
                                    .Bits();
    ScanResult result = Scan(bits);
    EXPECT_EQ(0, result.code);
    EXPECT_EQ(kScanNegativeExtentX | kScanNegativeExtentY, result.flags);
    EXPECT_EQ(200, result.extent.right);
    EXPECT_EQ(100, result.extent.bottom);
    EXPECT_EQ((std::vector<COLORREF>{pen, brush}), result.colors);
}

TEST(MetafileScan, RegionAndUnstretchedBitmapRecordsRefuseThePicture)
{
    struct Row {
        const char* name;
        uint16_t function;
        std::initializer_list<int> params;
    };
    const std::vector<Row> rows = {
        {"fill region", kMetaFillRegion, {0, 1}},
        {"invert region", kMetaInvertRegion, {0}},
        {"paint region", kMetaPaintRegion, {0}},
        {"select clip region", kMetaSelectClipRegion, {0}},
        {"frame region", kMetaFrameRegion, {0, 1, 2, 2}},
        {"bit blt", kMetaBitBlt, {0x0020, 0x00CC, 0, 0, 10, 10, 0, 0}},
        {"dib bit blt without bitmap", kMetaDibBitBlt, {0x0020, 0x00CC, 0, 0, 0, 10, 10, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bits = WmfBuilder(4)
                                        .Record(kMetaRectangle, {70, 110, 20, 10})
                                        .Record(row.function, row.params)
                                        .Record(kMetaEllipse, {70, 110, 20, 10})
                                        .Bits();
        ScanResult result = Scan(bits);
        EXPECT_EQ(kErrBadMetafile, result.code);
        EXPECT_EQ(kScanUnusable, result.flags);
    }
}

TEST(MetafileScan, StretchedBitmapsAreMarkedButKept)
{
    std::vector<uint16_t> dib = DibWords(SolidDib(2, 2, RGB(1, 2, 3)));
    struct Row {
        const char* name;
        uint16_t function;
        std::vector<uint16_t> params;
    };
    const std::vector<Row> rows = {
        {"dib stretch blt", kMetaDibStretchBlt, Concat({0x0020, 0x00CC, 2, 2, 0, 0, 20, 20, 5, 5}, dib)},
        {"stretch dib", kMetaStretchDib, Concat({0x0020, 0x00CC, DIB_RGB_COLORS, 2, 2, 0, 0, 20, 20, 5, 5}, dib)},
        {"set dib to dev", kMetaSetDibToDev, Concat({DIB_RGB_COLORS, 2, 0, 0, 0, 2, 2, 5, 5}, dib)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bits = WmfBuilder().RecordWords(row.function, row.params).Bits();
        ASSERT_TRUE(CheckMetafileBits(bits.data(), static_cast<DWORD>(bits.size()), nullptr));
        ScanResult result = Scan(bits);
        EXPECT_EQ(0, result.code);
        EXPECT_EQ(kScanStretchedBitmap, result.flags);
    }
}

TEST(MetafileScan, KeepsTheFirst256ColoursAndStopsOnceTheExtentIsKnown)
{
    struct Row {
        const char* name;
        bool extentFirst;
        int expectedFlags;   // the bit blt after the colours is seen only when the walk goes on
    };
    const std::vector<Row> rows = {
        {"extent seen: the walk stops at 256 colours", true, 0},
        {"no extent: the walk goes on", false, kScanUnusable},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WmfBuilder builder(2);
        if (row.extentFirst)
            builder.Record(kMetaSetWindowExt, {100, 100});
        for (int i = 0; i < 300; ++i) {
            COLORREF c = RGB(i % 256, i / 256, 7);
            builder.Record(kMetaCreateBrushIndirect, {BS_SOLID, Lo(c), Hi(c), 0});
            builder.Record(kMetaSelectObject, {0});
            builder.Record(kMetaDeleteObject, {0});
        }
        builder.Record(kMetaBitBlt, {0x0020, 0x00CC, 0, 0, 10, 10, 0, 0});
        ScanResult result = Scan(builder.Bits());
        EXPECT_EQ(row.expectedFlags, result.flags);
        ASSERT_EQ(256u, result.colors.size());
        for (int i = 0; i < 256; ++i)
            EXPECT_EQ(RGB(i % 256, i / 256, 7), result.colors[i]);
    }
}

TEST(MetafileScan, PaletteSelectionsAddTheirEntries)
{
    WmfBuilder picture(2);
    picture.Record(kMetaCreatePalette, {0x300, 3, 0x0A0B, 0x000C, 0x1400, 0x001E, 0xFF00, 0x00FF});
    std::vector<uint8_t> bits = picture.Record(kMetaSelectPalette, {0}).Bits();
    ScanResult result = Scan(bits);
    EXPECT_EQ(0, result.code);
    EXPECT_EQ((std::vector<COLORREF>{RGB(0x0B, 0x0A, 0x0C), RGB(0x00, 0x14, 0x1E), RGB(0x00, 0xFF, 0xFF)}),
              result.colors);
}

TEST(MetafileScan, MetafilesRecordedByGdiPassTheCheck)
{
    std::vector<uint8_t> bits = RecordWmf([](HDC dc) {
        SetWindowExtEx(dc, 400, 300, nullptr);
        HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
        SelectObject(dc, brush);
        Rectangle(dc, 10, 10, 100, 80);
        Ellipse(dc, 50, 50, 200, 150);
        POINT points[4] = {{0, 0}, {40, 90}, {90, 20}, {0, 0}};
        Polygon(dc, points, 4);
        TextOutA(dc, 20, 200, "Tessary", 7);
        RECT clip = {0, 220, 300, 260};
        ExtTextOutA(dc, 20, 240, ETO_CLIPPED, &clip, "clip", 4, nullptr);
        Arc(dc, 0, 0, 100, 100, 100, 50, 50, 0);
        Pie(dc, 0, 0, 100, 100, 100, 50, 50, 0);
        DeleteObject(brush);
    });
    MetafileShape shape;
    ASSERT_TRUE(CheckMetafileBits(bits.data(), static_cast<DWORD>(bits.size()), &shape));
    EXPECT_EQ(bits.size(), shape.bytes);
    ScanResult result = Scan(bits);
    EXPECT_EQ(0, result.code);
    EXPECT_EQ(0, result.flags);
    EXPECT_EQ(400, result.extent.right);
    EXPECT_EQ(300, result.extent.bottom);
}

// Bits whose headers, records, counts, handle indexes or bitmaps do not fit:
// refused by the check, so no scan or playback ever enumerates them.
TEST(MetafileCheck, DamagedMetafilesAreRefused)
{
    std::vector<uint16_t> dib = DibWords(SolidDib(2, 2, RGB(1, 2, 3)));
    auto withDib = [&](uint16_t function, std::vector<uint16_t> head, void (*damage)(BITMAPINFOHEADER*)) {
        std::vector<uint16_t> words = dib;
        damage(reinterpret_cast<BITMAPINFOHEADER*>(words.data()));
        return WmfBuilder().RecordWords(function, Concat(head, words)).Bits();
    };
    auto raw = [](std::vector<uint8_t> bits, size_t at, uint32_t value) {
        std::memcpy(bits.data() + at, &value, sizeof(value));
        return bits;
    };
    const std::vector<uint8_t> good = WmfBuilder().Record(kMetaRectangle, {70, 110, 20, 10}).Bits();
    const std::vector<uint16_t> kStretchHead = {0x20, 0xCC, 0, 2, 2, 0, 0, 9, 9, 0, 0};
    const std::vector<uint16_t> kBltHead = {0x20, 0xCC, 2, 2, 0, 0, 9, 9, 0, 0};
    struct Row {
        const char* name;
        std::vector<uint8_t> bits;
    };
    std::vector<Row> rows = {
        {"too short for a header", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
        {"header type 3", [&] { auto b = good; b[0] = 3; return b; }()},
        {"header of 10 words", [&] { auto b = good; b[2] = 10; return b; }()},
        {"length beyond the block", raw(good, 6, static_cast<uint32_t>(good.size() / 2 + 8))},
        {"length inside the header", raw(good, 6, 5)},
        {"record of no words", raw(good, 18, 0)},
        {"record of two words", raw(good, 18, 2)},
        {"record running past the end", raw(good, 18, 4000)},
        {"polygon counts more points than it holds", WmfBuilder().Record(kMetaPolygon, {5, 0, 0, 10, 10}).Bits()},
        {"polyline counts more points than it holds", WmfBuilder().Record(kMetaPolyline, {3, 0, 0}).Bits()},
        {"polypolygon sizes beyond its points",
         WmfBuilder().Record(kMetaPolyPolygon, {2, 3, 3, 0, 0, 1, 1, 2, 2}).Bits()},
        {"polypolygon sizes beyond the record", WmfBuilder().Record(kMetaPolyPolygon, {9}).Bits()},
        {"select object beyond the handle table", WmfBuilder(4).Record(kMetaSelectObject, {4}).Bits()},
        {"delete object beyond the handle table", WmfBuilder(2).Record(kMetaDeleteObject, {7}).Bits()},
        {"select palette beyond the handle table", WmfBuilder(1).Record(kMetaSelectPalette, {1}).Bits()},
        {"fill region brush beyond the handle table", WmfBuilder(2).Record(kMetaFillRegion, {0, 2}).Bits()},
        {"text out counts more characters", WmfBuilder().Record(kMetaTextOut, {50, 0x6261, 10, 10}).Bits()},
        {"ext text out counts more characters", WmfBuilder().Record(kMetaExtTextOut, {10, 10, 40, 0, 0x6261}).Bits()},
        {"ext text out without its rectangle",
         WmfBuilder().Record(kMetaExtTextOut, {10, 10, 1, ETO_CLIPPED, 0x61}).Bits()},
        {"palette counts more entries", WmfBuilder().Record(kMetaCreatePalette, {0x300, 9, 0, 0}).Bits()},
        {"set palette entries counts more", WmfBuilder().Record(kMetaSetPalEntries, {0, 4, 0, 0}).Bits()},
        {"escape counts more bytes", WmfBuilder().Record(kMetaEscape, {15, 100, 0, 0}).Bits()},
        {"font record without its fields", WmfBuilder().Record(kMetaCreateFontIndirect, {12, 0, 0}).Bits()},
        {"pen record without its colour", WmfBuilder().Record(kMetaCreatePenIndirect, {0, 1, 1}).Bits()},
        {"rectangle with three corners", WmfBuilder().Record(kMetaRectangle, {70, 110, 20}).Bits()},
        {"arc without its end point", WmfBuilder().Record(kMetaArc, {1, 2, 3, 4, 5, 6, 7}).Bits()},
        {"stretch dib header larger than the record",
         withDib(kMetaStretchDib, kStretchHead, [](BITMAPINFOHEADER* h) { h->biSize = 4000; })},
        {"stretch dib bits beyond the record",
         withDib(kMetaStretchDib, kStretchHead, [](BITMAPINFOHEADER* h) { h->biHeight = 900; })},
        {"dib stretch blt of no width",
         withDib(kMetaDibStretchBlt, kBltHead, [](BITMAPINFOHEADER* h) { h->biWidth = 0; })},
        {"dib stretch blt colour table beyond",
         withDib(kMetaDibStretchBlt, kBltHead, [](BITMAPINFOHEADER* h) { h->biClrUsed = 200; })},
        {"dib with more colours than its depth",
         withDib(kMetaDibStretchBlt, kBltHead, [](BITMAPINFOHEADER* h) {
             h->biBitCount = 1;
             h->biClrUsed = 3;
         })},
        {"dib of 7 bits per pixel",
         withDib(kMetaDibStretchBlt, kBltHead, [](BITMAPINFOHEADER* h) { h->biBitCount = 7; })},
        {"set dib to dev with more scan lines than the dib",
         withDib(kMetaSetDibToDev, {0, 40, 0, 0, 0, 2, 2, 0, 0}, [](BITMAPINFOHEADER*) {})},
        {"pattern brush dib beyond the record",
         withDib(kMetaDibCreatePatternBrush, {BS_DIBPATTERN, 0}, [](BITMAPINFOHEADER* h) { h->biHeight = 64; })},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(CheckMetafileBits(row.bits.data(), static_cast<DWORD>(row.bits.size()), nullptr));
        // Played, the picture draws nothing at all.
        std::vector<EmfRecord> records = RecordEmf([&](HDC dc) {
            PlaybackState state{};
            RECT destination = {0, 0, 400, 400}, source = {0, 0, 200, 200};
            PlayMetafileTransformed(dc, &destination, BlockOf(row.bits), &source, &state);
        });
        EXPECT_EQ(0, DrawingRecordCount(records));
    }
    EXPECT_TRUE(CheckMetafileBits(good.data(), static_cast<DWORD>(good.size()), nullptr));
}

// A metafile with most record kinds, damaged at random: the check refuses it
// or the scan and a mirrored, rotated playback run it through without reading
// past a record.
TEST(MetafileCheck, SeededDamageIsRefusedOrPlayedSafely)
{
    std::vector<uint16_t> dib = DibWords(SolidDib(3, 2, RGB(9, 80, 200)));
    const COLORREF grey = RGB(128, 128, 128);
    const std::vector<uint8_t> base =
        WmfBuilder(6)
            .Record(kMetaSetWindowOrg, {0, 0})
            .Record(kMetaSetWindowExt, {100, 200})
            .Record(kMetaSaveDc, {})
            .Record(kMetaCreatePenIndirect, {PS_SOLID, 2, 0, 0, 0})
            .Record(kMetaSelectObject, {0})
            .Record(kMetaCreateBrushIndirect, {BS_SOLID, Lo(grey), Hi(grey), 0})
            .Record(kMetaSelectObject, {1})
            .Record(kMetaCreateFontIndirect, {12, 0, 0, 0, 400, 0, 0, 0, 0, 0x7241, 0x6169, 0x006C})
            .Record(kMetaSelectObject, {2})
            .Record(kMetaRectangle, {70, 110, 20, 10})
            .Record(kMetaRoundRect, {10, 10, 90, 190, 50, 120})
            .Record(kMetaEllipse, {60, 60, 5, 5})
            .Record(kMetaPolygon, {3, 0, 0, 50, 90, 100, 0})
            .Record(kMetaPolyline, {2, 5, 5, 150, 80})
            .Record(kMetaPolyPolygon, {2, 3, 3, 0, 0, 9, 0, 0, 9, 20, 20, 29, 20, 20, 29})
            .Record(kMetaArc, {0, 50, 50, 100, 100, 100, 0, 0})
            .Record(kMetaPie, {0, 50, 50, 100, 100, 100, 0, 0})
            .Record(kMetaChord, {0, 50, 50, 100, 100, 100, 0, 0})
            .Record(kMetaMoveTo, {10, 10})
            .Record(kMetaLineTo, {90, 190})
            .Record(kMetaSetTextAlign, {TA_BASELINE})
            .Record(kMetaTextOut, {3, 0x6261, 0x0063, 40, 40})
            .Record(kMetaExtTextOut, {60, 20, 3, ETO_CLIPPED, 0, 0, 100, 100, 0x6261, 0x0063, 8, 8, 8})
            .Record(kMetaIntersectClipRect, {95, 195, 0, 0})
            .Record(kMetaPatBlt, {0x0021, 0x00F0, 10, 10, 80, 80})
            .RecordWords(kMetaStretchDib, Concat({0x0020, 0x00CC, DIB_RGB_COLORS, 2, 3, 0, 0, 20, 20, 60, 60}, dib))
            .RecordWords(kMetaSetDibToDev, Concat({DIB_RGB_COLORS, 2, 0, 0, 0, 2, 3, 70, 70}, dib))
            .Record(kMetaCreatePalette, {0x300, 2, 0x0A0B, 0x000C, 0x1400, 0x001E})
            .Record(kMetaSelectPalette, {3})
            .Record(kMetaRestoreDc, {0xFFFF})
            .Record(kMetaDeleteObject, {1})
            .Bits();
    ASSERT_TRUE(CheckMetafileBits(base.data(), static_cast<DWORD>(base.size()), nullptr));

    PixelCanvas canvas(160, 160);
    std::mt19937 random(7);
    int refused = 0, played = 0;
    CrashGuard guard("metafile-bits");
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bits = base;
        int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            size_t at = random() % bits.size();
            switch (random() % 4) {
            case 0:
                bits[at] = static_cast<uint8_t>(random());
                break;
            case 1:
                bits[at] ^= static_cast<uint8_t>(1u << (random() % 8));
                break;
            case 2:
                bits.resize(at < 18 ? 18 : at);
                break;
            default:
                bits[at] = static_cast<uint8_t>(bits[at] + 1);
                break;
            }
        }
        guard.Reading("round " + std::to_string(round), bits);
        if (!CheckMetafileBits(bits.data(), static_cast<DWORD>(bits.size()), nullptr)) {
            ++refused;
            continue;
        }
        ++played;
        HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
        if (metafile) {
            COLORREF colors[256];
            int count = 0, flags = 0;
            RECT extent = {0, 0, 200, 100};
            DiscardError(ScanMetafile(metafile, &extent, &count, colors, &flags),
                         "damaged bits may be refused: the check is that the scan stays in bounds");
            EXPECT_LE(count, 256);
            DeleteMetaFile(metafile);
        }
        PlaybackState state{};
        state.flipFlags = (round & 1) ? 0x08 : 0x10;
        state.rotation = (round % 3) * 450;
        RECT destination = {10, 10, 150, 150}, source = {0, 0, 200, 100};
        int level = SaveDC(canvas.Dc());
        PlayMetafileTransformed(canvas.Dc(), &destination, BlockOf(bits), &source, &state);
        RestoreDC(canvas.Dc(), level);
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(played, 0);
}

} // namespace
