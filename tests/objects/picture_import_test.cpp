// Pictures entering a drawing: placeable metafile files, clipboard
// metafiles and DIBs, placed as picture objects; damaged files of every kind.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/file_helpers.h"
#include "common/handle_words.h"
#include "common/io_seam.h"
#include "drawing_fixture.h"
#include "common/right_click_point.h"
#include "objects/clipboard_pictures.h"
#include "objects/metafile_records.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "objects/placeable_metafile.h"
#include "picture_test_support.h"
#include "store/record_store.h"
#include "support/crash_guard.h"
#include "support/test_paths.h"

namespace {

std::vector<uint8_t> PlaceableFile(const std::vector<uint8_t>& bits, RECT box, int unitsPerInch,
                                   uint32_t key = kPlaceableKey)
{
    std::vector<uint8_t> file(22 + bits.size(), 0);
    WriteLeU32(file.data(), key);
    WriteLeI16(file.data() + 6, static_cast<int16_t>(box.left));
    WriteLeI16(file.data() + 8, static_cast<int16_t>(box.top));
    WriteLeI16(file.data() + 10, static_cast<int16_t>(box.right));
    WriteLeI16(file.data() + 12, static_cast<int16_t>(box.bottom));
    WriteLeU16(file.data() + 14, static_cast<uint16_t>(unitsPerInch));
    if (!bits.empty())
        std::memcpy(file.data() + 22, bits.data(), bits.size());
    return file;
}

std::string SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

struct Read {
    ErrorCode code;
    RECT size, bounds;
    std::vector<uint8_t> bits;
};

Read ReadPlaceable(const std::string& path)
{
    Read read = {};
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    EXPECT_NE(HFILE_ERROR, file);
    HGLOBAL block = nullptr;
    DWORD bytes = 0;
    read.code = ReadPlaceableMetafile(file, &read.size, &block, &read.bounds, &bytes);
    if (block) {
        read.bits = BytesOf(block);
        read.bits.resize(bytes);
        GlobalFree(block);
    }
    CloseFile(file);
    return read;
}

const COLORREF kPen = RGB(10, 20, 30);

std::vector<uint8_t> PenPicture()
{
    return WmfBuilder(2)
        .Record(kMetaSetWindowExt, {720, 1440})
        .Record(kMetaCreatePenIndirect, {PS_SOLID, 1, 0, static_cast<int>(kPen & 0xFFFF), static_cast<int>(kPen >> 16)})
        .Record(kMetaSelectObject, {0})
        .Record(kMetaRectangle, {700, 1400, 20, 10})
        .Bits();
}

using PictureImport = DrawingFixture;

TEST_F(PictureImport, PlaceableHeadersGiveTheSizeInDrawingUnits)
{
    const std::vector<uint8_t> bits = PenPicture();
    struct Row {
        const char* name;
        std::vector<uint8_t> file;
        ErrorCode code;
        RECT size;
    };
    const std::vector<Row> rows = {
        {"one inch by half an inch", PlaceableFile(bits, {0, 0, 1440, 720}, 1440), kErrNone, {0, 0, 600, 300}},
        {"a box away from the origin", PlaceableFile(bits, {10, 20, 106, 68}, 96), kErrNone, {0, 0, 600, 300}},
        {"a box of negative size", PlaceableFile(bits, {100, 100, 50, 100}, 1440), kErrNone, {0, 0, 100, 100}},
        // Past what a drawing's coordinates reach: scaled down, proportions kept.
        {"a box wider than a drawing reaches", PlaceableFile(bits, {-30000, 0, 30000, 15000}, 600), kErrNone,
         {0, 0, 32767, 8191}},
        {"one unit per inch", PlaceableFile(bits, {0, 0, 100, 50}, 1), kErrNone, {0, 0, 32767, 16383}},
        {"the whole 16-bit range", PlaceableFile(bits, {-32768, -32768, 32767, 32767}, 600), kErrNone,
         {0, 0, 32767, 32767}},
        {"no units per inch", PlaceableFile(bits, {0, 0, 1440, 720}, 0), kErrBadPicture, {}},
        {"another key", PlaceableFile(bits, {0, 0, 1440, 720}, 1440, 0x12345678), kErrBadPicture, {}},
        {"the header alone", PlaceableFile({}, {0, 0, 1440, 720}, 1440), kErrBadPicture, {}},
        {"shorter than the header", std::vector<uint8_t>(10, 0xD7), kErrBadPicture, {}},
        {"bits that are no metafile", PlaceableFile(std::vector<uint8_t>(40, 0x11), {0, 0, 1440, 720}, 1440),
         kErrBadPicture, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Read read = ReadPlaceable(SaveBytes(ScratchPath("picture.wmf"), row.file));
        EXPECT_EQ(row.code, read.code);
        if (row.code != 0) {
            EXPECT_TRUE(read.bits.empty());
            continue;
        }
        EXPECT_EQ(row.size.right, read.size.right);
        EXPECT_EQ(row.size.bottom, read.size.bottom);
        EXPECT_EQ(bits, read.bits);
    }
}

TEST_F(PictureImport, FailedReadsAndAllocationsAreReported)
{
    std::string path = SaveBytes(ScratchPath("picture.wmf"), PlaceableFile(PenPicture(), {0, 0, 1440, 720}, 1440));
    struct Row {
        const char* name;
        unsigned kind;
        long nth;
        ErrorCode code;
    };
    const std::vector<Row> rows = {
        {"header read fails", kSeamRead, 1, kErrFile},
        {"bits read fails", kSeamRead, 2, kErrFile},
        {"no memory for the bits", kSeamAlloc, 1, kErrNoMemory},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
        HGLOBAL block = nullptr;
        RECT size, bounds;
        DWORD bytes = 0;
        SeamArmFault(row.kind, row.nth, false);
        ErrorCode code = ReadPlaceableMetafile(file, &size, &block, &bounds, &bytes);
        SeamDisarm();
        CloseFile(file);
        EXPECT_EQ(row.code, code);
        EXPECT_EQ(nullptr, block);
    }
}

TEST_F(PictureImport, SeededDamageToAFileIsRefusedOrReadSoundly)
{
    const std::vector<uint8_t> original = PlaceableFile(PenPicture(), {0, 0, 1440, 720}, 1440);
    std::string path = ScratchPath("damaged.wmf");
    std::mt19937 random(31337);
    int refused = 0;
    CrashGuard guard("placeable-metafile-file");
    for (int round = 0; round < 150; ++round) {
        std::vector<uint8_t> file = original;
        for (int e = 1 + static_cast<int>(random() % 3); e > 0; --e) {
            size_t at = random() % file.size();
            if (random() % 5 == 0)
                file.resize(at);
            else if (!file.empty())
                file[at % file.size()] = static_cast<uint8_t>(random());
        }
        guard.Reading("round " + std::to_string(round), file);
        Read read = ReadPlaceable(SaveBytes(path, file));
        if (read.code != 0) {
            ASSERT_TRUE(read.code == kErrBadPicture || read.code == kErrFile) << round << ": " << read.code.value;
            ++refused;
            continue;
        }
        EXPECT_TRUE(CheckMetafileBits(read.bits.data(), static_cast<DWORD>(read.bits.size()), nullptr));
        EXPECT_GT(read.size.right, 0);
        EXPECT_GT(read.size.bottom, 0);
    }
    EXPECT_GT(refused, 0);
}

TEST_F(PictureImport, AnImportedMetafileBecomesAScannedPictureObject)
{
    std::vector<uint8_t> bits = PenPicture();
    std::string path = SaveBytes(ScratchPath("import.wmf"), PlaceableFile(bits, {0, 0, 1440, 720}, 1440));
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    POINT at = {2000, 3000};
    Drawing()->toolSlot = 4;
    ASSERT_EQ(0, ImportWmfFile(view_, Drawing(), file, &at));
    CloseFile(file);
    ASSERT_EQ(1, Count());
    const DrawingObject* object = Object(0);
    EXPECT_EQ(2000, object->frame.left);
    EXPECT_EQ(3000, object->frame.top);
    EXPECT_EQ(2600, object->frame.right);
    EXPECT_EQ(3300, object->frame.bottom);
    EXPECT_EQ(kMetafilePictureGroup, object->dataGroup);
    EXPECT_EQ(static_cast<uint32_t>(kOptionFrameless), object->optionFlags);
    EXPECT_EQ(-1, Drawing()->toolSlot);

    HGLOBAL block = nullptr;
    RECT bounds;
    int colorCount = 0, flags = -1;
    COLORREF colors[256];
    DWORD size = 0;
    ASSERT_EQ(0, LoadPicture(store_, object->dataGroup, object->dataFirstId, object->dataCount, &block, &bounds,
                             &colorCount, colors, &flags, &size));
    std::vector<uint8_t> stored = BytesOf(block);
    GlobalFree(block);
    EXPECT_EQ(bits, stored);
    EXPECT_EQ(1440, bounds.right);    // the header's box
    EXPECT_EQ(720, bounds.bottom);
    ASSERT_EQ(1, colorCount);
    EXPECT_EQ(kPen, colors[0]);
    EXPECT_EQ(0, flags);
}

TEST_F(PictureImport, UnusableMetafilesAreRefusedWhereverTheyEnter)
{
    std::vector<uint8_t> bits = WmfBuilder(2).Record(kMetaRectangle, {9, 9, 0, 0}).Record(kMetaPaintRegion, {0}).Bits();
    std::string path = SaveBytes(ScratchPath("region.wmf"), PlaceableFile(bits, {0, 0, 100, 100}, 1440));
    HFILE file = OpenFileMode(path.c_str(), nullptr, OF_READ);
    EXPECT_EQ(kErrBadMetafile, ImportWmfFile(view_, Drawing(), file, nullptr));
    CloseFile(file);
    EXPECT_EQ(0, Count());

    HGLOBAL pict = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(pict));
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = 2540;
    picture->yExt = 2540;
    picture->hMF = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
    GlobalUnlock(pict);
    HGLOBAL block = nullptr;
    RECT size, bounds;
    int colorCount = 0, flags = 0;
    COLORREF colors[256];
    EXPECT_EQ(kErrBadMetafile, ReadMetafilePict(&block, &size, &bounds, &colorCount, colors, &flags, pict));
    EXPECT_EQ(nullptr, block);
    EXPECT_EQ(kScanUnusable, flags);
    GlobalFree(pict);
}

TEST_F(PictureImport, ClipboardMetafilesTakeTheirSuggestedSize)
{
    struct Row {
        const char* name;
        LONG xExt, yExt;
        RECT size;
        RECT bounds;
    };
    const std::vector<Row> rows = {
        {"one inch by two", 2540, 5080, {0, 0, 600, 1200}, {0, 0, 1440, 720}},
        {"no suggested size", 0, -100, {0, 0, 50, 50}, {0, 0, 1440, 720}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bits = PenPicture();
        HGLOBAL pict = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
        auto* picture = static_cast<METAFILEPICT*>(GlobalLock(pict));
        picture->mm = MM_ANISOTROPIC;
        picture->xExt = row.xExt;
        picture->yExt = row.yExt;
        picture->hMF = SetMetaFileBitsEx(static_cast<UINT>(bits.size()), bits.data());
        GlobalUnlock(pict);
        HGLOBAL block = nullptr;
        RECT size, bounds;
        int colorCount = 0, flags = 0;
        COLORREF colors[256];
        ASSERT_EQ(0, ReadMetafilePict(&block, &size, &bounds, &colorCount, colors, &flags, pict));
        EXPECT_EQ(row.size.right, size.right);
        EXPECT_EQ(row.size.bottom, size.bottom);
        EXPECT_EQ(row.bounds.right, bounds.right);
        EXPECT_EQ(row.bounds.bottom, bounds.bottom);
        std::vector<uint8_t> copied = BytesOf(block);
        copied.resize(bits.size());
        EXPECT_EQ(bits, copied);
        GlobalFree(block);
        GlobalFree(pict);
    }
}

TEST_F(PictureImport, DibsArePlacedSixUnitsAPixelAndShrunkToTheDrawing)
{
    struct Row {
        const char* name;
        int width, height;
        RECT frame;
    };
    // The drawing is 20,000 units square.
    const std::vector<Row> rows = {
        {"100 x 50 pixels", 100, 50, {100, 100, 700, 400}},
        {"wider than the drawing", 4000, 100, {100, 100, 100 + 19700, 100 + 492}},
        {"taller than the drawing", 10, 5000, {100, 100, 100 + 39, 100 + 19700}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int before = Count();
        POINT at = {100, 100};
        ASSERT_EQ(0, PlaceDibPicture(view_, Drawing(), BlockOf(SolidDib(row.width, row.height, RGB(1, 2, 3))), &at));
        ASSERT_EQ(before + 1, Count());
        const DrawingObject* object = Object(before);
        EXPECT_EQ(row.frame.right, object->frame.right);
        EXPECT_EQ(row.frame.bottom, object->frame.bottom);
        EXPECT_EQ(kBitmapPictureGroup, object->dataGroup);
        EXPECT_EQ(static_cast<uint32_t>(kOptionFrameless | kOptionNoTransform), object->optionFlags);
    }
    // A block that is no DIB places nothing.
    EXPECT_EQ(kErrBadPicture, PlaceDibPicture(view_, Drawing(), BlockOf(std::vector<uint8_t>(30, 7)), nullptr));
    EXPECT_EQ(3, Count());
}

TEST_F(PictureImport, MetafilesArePlacedAtTheRightClickPoint)
{
    RECT size = {0, 0, 600, 300}, bounds = {0, 0, 1440, 720};
    POINT screen = {40, 50};
    ClientToScreen(view_, &screen);
    RightClickPoint = screen;
    std::vector<uint8_t> bits = PenPicture();
    ErrorCode code = PlaceMetafilePicture(view_, Drawing(), BlockOf(bits), &size, &bounds, 0, nullptr, 0);
    RightClickPoint = {-1, -1};
    ASSERT_EQ(0, code);
    ASSERT_EQ(1, Count());
    // The view's context is in pixels here: the client point is the drawing point.
    EXPECT_EQ(40, Object(0)->frame.left);
    EXPECT_EQ(50, Object(0)->frame.top);
    EXPECT_EQ(640, Object(0)->frame.right);
}

} // namespace
