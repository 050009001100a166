// The picture files the program reads and writes itself: sniffing, raster
// pictures into packed DIBs, the placeable header and the BMP writer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "imaging/image_codecs.h"
#include "objects/placeable_metafile.h"
#include "ole/picture_import.h"
#include "ole/picture_types.h"
#include "ole/picture_writers.h"
#include "support/test_paths.h"

namespace {

void SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> LoadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> BmpStart(size_t length, uint32_t compression)
{
    std::vector<uint8_t> bytes(length, 0);
    if (length >= 2) {
        bytes[0] = 'B';
        bytes[1] = 'M';
    }
    if (length >= 34)
        WriteLeU32(&bytes[30], compression);
    return bytes;
}

std::vector<uint8_t> PlaceableStart(size_t length)
{
    std::vector<uint8_t> bytes(length, 0);
    WriteLeU32(bytes.data(), kPlaceableKey);
    return bytes;
}

struct SniffCase {
    const char* name;
    std::vector<uint8_t> bytes;
    int fallback;
    int expected;
};

TEST(SniffPictureFile, DecidesByTheFirstBytesAndTheirCount)
{
    const SniffCase cases[] = {
        {"bmp of 14 bytes is never a bmp", BmpStart(14, 0), 0, 0},
        {"bmp of 15 bytes too short for its header", BmpStart(15, 0), 105, 105},
        {"uncompressed bmp", BmpStart(60, BI_RGB), 105, kPictureBmp},
        {"compressed bmp stays undecided", BmpStart(60, BI_RLE8), 104, 104},
        {"placeable of 22 bytes is never a metafile", PlaceableStart(22), 0, 0},
        {"placeable of 23 bytes", PlaceableStart(23), 106, kPictureWmf},
        {"anything else keeps the caller's type", std::vector<uint8_t>(2000, 0x41), kPictureGif, kPictureGif},
        {"empty file", {}, 103, 103},
    };
    for (const SniffCase& c : cases) {
        const std::string path = ScratchPath("sniffed.bin");
        SaveBytes(path, c.bytes);
        EXPECT_EQ(c.expected, SniffPictureFile(path.c_str(), c.fallback)) << c.name;
    }
    EXPECT_EQ(7, SniffPictureFile(ScratchPath("missing.bin").c_str(), 7));
}

// A 24 x 10 image of four colour bands written in each format.
void MakeBands(int bitCount, RasterImage* image)
{
    ASSERT_EQ(kImageOk, allocDIB(image, 24, 10, bitCount));
    const RGBQUAD colours[] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 24; ++x) {
            const int band = x / 6;
            uint8_t* row = ImageRow(image, y);
            if (bitCount == 24) {
                std::memcpy(row + x * 3, &colours[band], 3);
            } else {
                image->palette[band] = colours[band];
                row[x] = static_cast<uint8_t>(band);
            }
        }
}

struct RasterCase {
    const char* name;
    const char* extension;
    int depth;  // of the DIB the import makes
};

TEST(LoadRasterPicture, EveryReaderGivesAPackedDibOfThePicture)
{
    const RasterCase cases[] = {{"bmp", "bmp", 8}, {"pcx", "pcx", 8}, {"tiff", "tif", 8}, {"gif", "gif", 24},
                                {"jpeg", "jpg", 24}};
    for (const RasterCase& c : cases) {
        RasterImage image;
        MakeBands(8, &image);
        std::vector<uint8_t> bytes;
        const std::string name = c.name;
        if (name == "bmp") {
            const size_t dib = GlobalSize(image.block);
            bytes.assign(14, 0);
            bytes[0] = 'B';
            bytes[1] = 'M';
            WriteLeU32(&bytes[10], 14 + 40 + 256 * 4);
            const auto* start = reinterpret_cast<const uint8_t*>(image.header);
            bytes.insert(bytes.end(), start, start + dib);
        } else if (name == "pcx") {
            ASSERT_EQ(kImageOk, EncodePcx(image, &bytes));
        } else if (name == "tiff") {
            ASSERT_EQ(kImageOk, EncodeTiff(image, kTiffPackBits, &bytes));
        } else if (name == "gif") {
            ASSERT_EQ(kImageOk, EncodeGif(image, 0, -1, &bytes));
        } else {
            ASSERT_EQ(kImageOk, EncodeJpeg(image, 95, &bytes));
        }
        freeimage(&image);
        // The extension says nothing: the readers decide by content.
        const std::string path = ScratchPath((name + ".picture").c_str());
        SaveBytes(path, bytes);
        HGLOBAL dib = LoadRasterPicture(path.c_str());
        ASSERT_NE(nullptr, dib) << c.name;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
        EXPECT_EQ(24, header->biWidth) << c.name;
        EXPECT_EQ(10, header->biHeight) << c.name;
        EXPECT_EQ(c.depth, header->biBitCount) << c.name;
        const size_t colours = c.depth == 8 ? 256 : 0;
        const size_t row = c.depth == 8 ? 24 : 72;
        EXPECT_EQ(40 + colours * 4 + row * 10, GlobalSize(dib)) << c.name;
        GlobalUnlock(dib);
        GlobalFree(dib);
    }
}

TEST(LoadRasterPicture, NoReaderTakesATextFileOrAMissingOne)
{
    const std::string path = ScratchPath("notes.txt");
    SaveBytes(path, std::vector<uint8_t>(300, 'x'));
    EXPECT_EQ(nullptr, LoadRasterPicture(path.c_str()));
    EXPECT_EQ(nullptr, LoadRasterPicture(ScratchPath("missing.gif").c_str()));
}

TEST(PlaceableHeader, CarriesTheBoxTheInchAndTheChecksum)
{
    uint8_t header[22];
    MakePlaceableHeader(1200, 600, header);
    EXPECT_EQ(kPlaceableKey, ReadLeU32(header));
    EXPECT_EQ(0, ReadLeU16(header + 4));
    EXPECT_EQ(0, ReadLeI16(header + 6));
    EXPECT_EQ(0, ReadLeI16(header + 8));
    EXPECT_EQ(1200, ReadLeI16(header + 10));
    EXPECT_EQ(600, ReadLeI16(header + 12));
    EXPECT_EQ(600, ReadLeU16(header + 14));
    EXPECT_EQ(0u, ReadLeU32(header + 16));
    EXPECT_EQ(1200 ^ 600 ^ 0x5549, ReadLeU16(header + 20));
}

TEST(PlaceableHeader, HoldsOnlyExtentsWithinSixteenBits)
{
    struct Row {
        const char* name;
        RECT extents;
        bool fits;
    };
    const Row rows[] = {
        {"a page", {0, 0, 5100, 6600}, true},
        {"the widest a box holds", {0, 0, 32767, 100}, true},
        {"one unit wider", {0, 0, 32768, 100}, false},
        {"one unit taller", {0, 0, 100, 32768}, false},
        {"left of the 16-bit range", {-32769, 0, 0, 100}, false},
        {"both sides in range, the width not", {-20000, 0, 20000, 100}, false},
        {"far out on both sides", {-2000000000, 0, 2000000000, 100}, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.fits, FitsPlaceableBox(row.extents)) << row.name;
}

// A device bitmap of the given depth with a diagonal of set pixels.
HBITMAP MakeBitmap(int bitsPerPixel, int width, int height)
{
    std::vector<uint8_t> bits(static_cast<size_t>((width * bitsPerPixel + 15) / 16 * 2) * height, 0x55);
    return CreateBitmap(width, height, 1, static_cast<UINT>(bitsPerPixel), bits.data());
}

struct BmpCase {
    const char* name;
    int bitsPerPixel;
    int writtenBits;
    int colours;
};

TEST(WriteBmpFile, DepthTableAndSizeFollowTheBitmap)
{
    const BmpCase cases[] = {{"16 bits become 24 without a table", 16, 24, 0},
                             {"one bit keeps its two colours", 1, 1, 2},
                             {"24 bits", 24, 24, 0}};
    HDC dc = CreateCompatibleDC(nullptr);
    for (const BmpCase& c : cases) {
        // Tall enough for several bands of rows.
        HBITMAP bitmap = MakeBitmap(c.bitsPerPixel, 301, 250);
        const std::string path = ScratchPath("written.bmp");
        HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
        ASSERT_NE(HFILE_ERROR, file);
        EXPECT_EQ(kErrNone, WriteBmpFile(dc, file, bitmap, nullptr)) << c.name;
        CloseFile(file);
        DeleteObject(bitmap);
        const std::vector<uint8_t> bytes = LoadBytes(path);
        ASSERT_GT(bytes.size(), 54u) << c.name;
        EXPECT_EQ(0x4D42, ReadLeU16(bytes.data()));
        EXPECT_EQ(bytes.size(), ReadLeU32(&bytes[2])) << c.name;
        EXPECT_EQ(54u + c.colours * 4, ReadLeU32(&bytes[10])) << c.name;
        EXPECT_EQ(c.writtenBits, ReadLeU16(&bytes[28])) << c.name;
        const size_t row = (301 * static_cast<size_t>(c.writtenBits) + 31) / 32 * 4;
        EXPECT_EQ(54 + c.colours * 4 + row * 250, bytes.size()) << c.name;
    }
    DeleteDC(dc);
}

int WINAPI FailingSecondBand(HDC dc, HBITMAP bitmap, UINT first, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage)
{
    return first == 0 ? GetDIBits(dc, bitmap, first, lines, bits, info, usage) : 0;
}

TEST(WriteBmpFile, AnUnreadableBandFailsTheFile)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeBitmap(24, 300, 200);
    const std::string path = ScratchPath("band.bmp");
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
    ReadBitmapBand = FailingSecondBand;
    const ErrorCode code = WriteBmpFile(dc, file, bitmap, nullptr);
    ReadBitmapBand = GetDIBits;
    CloseFile(file);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_EQ(kErrFile, code);
}

TEST(WriteBmpFile, AFailedWriteAnswersTheFileCode)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeBitmap(24, 300, 200);
    for (long nth = 1; nth <= 4; ++nth) {
        const std::string path = ScratchPath("fault.bmp");
        HFILE file = OpenFileMode(path.c_str(), nullptr, OF_CREATE | OF_READWRITE);
        SeamArmFault(kSeamWrite, nth, false);
        const ErrorCode code = WriteBmpFile(dc, file, bitmap, nullptr);
        SeamDisarm();
        CloseFile(file);
        EXPECT_EQ(kErrFile, code) << "write " << nth;
    }
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
