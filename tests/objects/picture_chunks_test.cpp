// Pictures split into chunk records and joined back, and chunk records that
// do not add up.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "common/handle_words.h"
#include "common/io_seam.h"
#include "drawing_fixture.h"
#include "objects/picture_chunks.h"
#include "objects/picture_save.h"
#include "picture_test_support.h"
#include "store/record_store.h"
#include "support/crash_guard.h"
#include "support/mutation.h"

namespace {

using PictureChunks = DrawingFixture;

std::vector<uint8_t> Pattern(size_t size, uint32_t seed)
{
    std::vector<uint8_t> bytes(size);
    std::mt19937 random(seed);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

struct Saved {
    int first = -1;
    int count = 0;
};

Saved Save(int store, int group, const std::vector<uint8_t>& bytes, const RECT& bounds,
           const std::vector<COLORREF>& colors, int flags)
{
    Saved saved;
    HGLOBAL block = BlockOf(bytes);
    EXPECT_EQ(0, SavePicture(store, group, block, static_cast<DWORD>(bytes.size()), &bounds, &saved.first,
                             &saved.count, static_cast<int>(colors.size()), colors.data(), flags));
    // The block stays the caller's and unchanged.
    EXPECT_EQ(bytes, BytesOf(block));
    GlobalFree(block);
    return saved;
}

// The chunk record as stored.
std::vector<uint8_t> ChunkBytes(int store, int group, int id)
{
    RecordHandle record = nullptr;
    EXPECT_EQ(0, FindRecord(store, static_cast<short>(group), static_cast<short>(id), &record));
    std::vector<uint8_t> bytes = BytesOf(record);
    bytes.resize(QueryRecordSize(record));
    ReleaseRecord(record);
    return bytes;
}

// Changes a stored chunk in place.
template <typename Change>
void EditChunk(int store, int group, int id, Change change)
{
    RecordHandle record = nullptr;
    ASSERT_EQ(0, FindRecord(store, static_cast<short>(group), static_cast<short>(id), &record));
    DWORD size = QueryRecordSize(record);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(record));
    change(bytes, size);
    GlobalUnlock(record);
    ASSERT_EQ(kErrNone, SetRecordDirty(record));
    ReleaseRecord(record);
}

TEST_F(PictureChunks, PicturesSplitIntoChunksJoinBackByteForByte)
{
    struct Row {
        const char* name;
        size_t bytes;
        int colors;
        std::vector<DWORD> chunkSizes;   // n of each chunk
    };
    const std::vector<Row> rows = {
        {"one byte", 1, 0, {1}},
        {"exactly 60,000 bytes, no colours", 60000, 0, {60000}},
        {"60,000 bytes and 10 colours", 60000, 10, {60000, 40}},
        {"59,960 bytes and 10 colours fill one chunk", 59960, 10, {60000}},
        {"three chunks", 150001, 3, {60000, 60000, 30013}},
        {"256 colours", 5000, 256, {6024}},
    };
    int seed = 1;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> bytes = Pattern(row.bytes, seed++);
        std::vector<COLORREF> colors;
        for (int i = 0; i < row.colors; ++i)
            colors.push_back(RGB(i, 255 - i, i * 7));
        RECT bounds = {-20, 5, 1200, 900};
        Saved saved = Save(store_, kMetafilePictureGroup, bytes, bounds, colors, 40);
        ASSERT_EQ(static_cast<int>(row.chunkSizes.size()), saved.count);

        for (int i = 0; i < saved.count; ++i) {
            std::vector<uint8_t> chunk = ChunkBytes(store_, kMetafilePictureGroup, saved.first + i);
            ASSERT_EQ(kChunkData + row.chunkSizes[i], chunk.size());
            EXPECT_EQ(row.chunkSizes[i], ReadLeU16(chunk.data() + kChunkDataBytes));
            EXPECT_EQ(i == 0 ? 1 : 0, ReadLeU16(chunk.data() + kChunkFirstFlag));
            EXPECT_EQ(-20, ReadLeI16(chunk.data() + kChunkBounds));
            EXPECT_EQ(900, ReadLeI16(chunk.data() + kChunkBounds + 6));
            EXPECT_EQ(40, ReadLeU16(chunk.data() + kChunkScanFlags));
            EXPECT_EQ(i == 0 ? row.colors : 0, ReadLeI16(chunk.data() + kChunkColorCount));
            EXPECT_EQ(0, ReadLeI16(chunk.data() + kChunkConnectCount));
            for (int k = kChunkReserved; k < kChunkData; ++k)
                EXPECT_EQ(0, chunk[k]) << "reserved byte " << k;
        }

        HGLOBAL joined = nullptr;
        RECT loadedBounds = {};
        int colorCount = -1, flags = -1;
        DWORD size = 0;
        COLORREF loadedColors[256] = {};
        ASSERT_EQ(0, LoadPicture(store_, kMetafilePictureGroup, saved.first, saved.count, &joined, &loadedBounds,
                                 &colorCount, loadedColors, &flags, &size));
        EXPECT_EQ(bytes, BytesOf(joined));
        EXPECT_EQ(row.bytes, size);
        EXPECT_TRUE(EqualRect(&bounds, &loadedBounds));
        EXPECT_EQ(row.colors, colorCount);
        EXPECT_EQ(40, flags);
        EXPECT_EQ(colors, std::vector<COLORREF>(loadedColors, loadedColors + colorCount));
        GlobalFree(joined);
    }
    EXPECT_EQ(0, VerifyStore(store_));
}

TEST_F(PictureChunks, BoundsBeyondSixteenBitsAreClampedNotWrapped)
{
    RECT bounds = {-40000, 0, 70000, 32768};
    Saved saved = Save(store_, kBitmapPictureGroup, Pattern(100, 3), bounds, {}, 0);
    HGLOBAL joined = nullptr;
    RECT loaded;
    DWORD size;
    ASSERT_EQ(0, LoadPicture(store_, kBitmapPictureGroup, saved.first, saved.count, &joined, &loaded, nullptr, nullptr,
                             nullptr, &size));
    EXPECT_EQ(-32768, loaded.left);
    EXPECT_EQ(32767, loaded.right);
    EXPECT_EQ(32767, loaded.bottom);
    GlobalFree(joined);
}

TEST_F(PictureChunks, SaveRefusesWhatItCannotStore)
{
    int first = 0, count = 0;
    HGLOBAL block = BlockOf(Pattern(10, 1));
    COLORREF colors[300] = {};
    RECT bounds = {0, 0, 10, 10};
    EXPECT_NE(0, SavePicture(store_, 113, nullptr, 10, &bounds, &first, &count, 0, nullptr, 0));
    EXPECT_NE(0, SavePicture(store_, 113, block, 10, &bounds, &first, &count, 257, colors, 0));
    EXPECT_NE(0, SavePicture(store_, 113, block, 10, &bounds, &first, &count, -1, colors, 0));
    EXPECT_NE(0, SavePicture(store_, 113, block, 0, &bounds, &first, &count, 0, nullptr, 0));
    // More bytes than the block holds: only the block is copied.
    ASSERT_EQ(0, SavePicture(store_, 113, block, 5000, &bounds, &first, &count, 0, nullptr, 0));
    HGLOBAL joined = nullptr;
    DWORD size = 0;
    ASSERT_EQ(0, LoadPicture(store_, 113, first, count, &joined, nullptr, nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(GlobalSize(block), size);
    GlobalFree(joined);
    GlobalFree(block);
}

TEST_F(PictureChunks, DamagedChunksAreRefusedWithoutReadingPastThem)
{
    struct Row {
        const char* name;
        int chunk;          // which chunk is damaged
        void (*damage)(uint8_t* bytes, DWORD size);
    };
    const std::vector<Row> rows = {
        {"n larger than the record", 0,
         [](uint8_t* b, DWORD s) { WriteLeU16(b + kChunkDataBytes, static_cast<uint16_t>(s)); }},
        {"n above 65,000", 1, [](uint8_t* b, DWORD) { WriteLeU16(b + kChunkDataBytes, 65535); }},
        {"colour count above 256", 0, [](uint8_t* b, DWORD) { WriteLeI16(b + kChunkColorCount, 300); }},
        {"colour count negative", 0, [](uint8_t* b, DWORD) { WriteLeI16(b + kChunkColorCount, -2); }},
        {"colours beyond n", 0, [](uint8_t* b, DWORD) {
             WriteLeU16(b + kChunkDataBytes, 16);
             WriteLeI16(b + kChunkColorCount, 5);
         }},
        {"second chunk n larger than its record", 1,
         [](uint8_t* b, DWORD s) { WriteLeU16(b + kChunkDataBytes, static_cast<uint16_t>(s - 100)); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<COLORREF> colors = {RGB(1, 2, 3), RGB(4, 5, 6)};
        Saved saved = Save(store_, kMetafilePictureGroup, Pattern(70000, 9), {0, 0, 10, 10}, colors, 0);
        ASSERT_EQ(2, saved.count);
        EditChunk(store_, kMetafilePictureGroup, saved.first + row.chunk, row.damage);
        HGLOBAL joined = reinterpret_cast<HGLOBAL>(1);
        COLORREF loaded[256];
        int colorCount = 0;
        DWORD size = 0;
        EXPECT_EQ(kErrBadPicture, LoadPicture(store_, kMetafilePictureGroup, saved.first, saved.count, &joined, nullptr,
                                              &colorCount, loaded, nullptr, &size));
        EXPECT_EQ(nullptr, joined);
        EXPECT_LE(colorCount, 256);
    }
}

TEST_F(PictureChunks, RunsThatNameNoChunksAreRefused)
{
    Saved saved = Save(store_, kBitmapPictureGroup, Pattern(100, 4), {0, 0, 1, 1}, {}, 0);
    struct Row {
        const char* name;
        int first;
        int count;
        bool storeError;
    };
    const std::vector<Row> rows = {
        {"no chunks", saved.first, 0, false},
        {"negative first id", -5, 1, false},
        {"run past id 32767", 32767, 2, false},
        {"more chunks than stored", saved.first, 3, true},
        {"id never written", saved.first + 40, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HGLOBAL joined = nullptr;
        DWORD size = 0;
        ErrorCode code = LoadPicture(store_, kBitmapPictureGroup, row.first, row.count, &joined, nullptr, nullptr,
                                     nullptr, nullptr, &size);
        EXPECT_NE(0, code);
        if (!row.storeError) {
            EXPECT_EQ(kErrBadPicture, code);
        }
        EXPECT_EQ(nullptr, joined);
    }
}

TEST_F(PictureChunks, NoMemoryToJoinGivesOneAndNoBlock)
{
    Saved saved = Save(store_, kBitmapPictureGroup, Pattern(5000, 5), {0, 0, 1, 1}, {}, 0);
    SeamArmFault(kSeamAlloc, 1, true);
    HGLOBAL joined = nullptr;
    DWORD size = 0;
    ErrorCode code =
        LoadPicture(store_, kBitmapPictureGroup, saved.first, saved.count, &joined, nullptr, nullptr, nullptr,
                    nullptr, &size);
    SeamDisarm();
    EXPECT_EQ(kErrBadPicture, code);
    EXPECT_EQ(nullptr, joined);
}

// Random damage to every byte of the chunk heads and lengths: a load either
// refuses the picture or returns exactly the data bytes the chunks claim,
// each chunk within its record.
TEST_F(PictureChunks, SeededDamageNeverReadsPastAChunk)
{
    std::vector<COLORREF> colors = {RGB(9, 9, 9), RGB(8, 8, 8), RGB(7, 7, 7)};
    std::vector<uint8_t> original = Pattern(130000, 77);
    Saved saved = Save(store_, kMetafilePictureGroup, original, {0, 0, 10, 10}, colors, 0);
    ASSERT_EQ(3, saved.count);
    std::vector<std::vector<uint8_t>> pristine;
    for (int i = 0; i < saved.count; ++i)
        pristine.push_back(ChunkBytes(store_, kMetafilePictureGroup, saved.first + i));

    std::mt19937 random(20240611);
    int refused = 0;
    CrashGuard guard("picture-chunks");
    for (int round = 0; round < 300; ++round) {
        int chunk = static_cast<int>(random() % saved.count);
        for (int i = 0; i < saved.count; ++i)
            EditChunk(store_, kMetafilePictureGroup, saved.first + i, [&](uint8_t* b, DWORD size) {
                std::memcpy(b, pristine[i].data(), size);
            });
        int edits = 1 + static_cast<int>(random() % 4);
        EditChunk(store_, kMetafilePictureGroup, saved.first + chunk, [&](uint8_t* b, DWORD) {
            for (int e = 0; e < edits; ++e) {
                int at = 16 + static_cast<int>(random() % (kChunkData - 16));
                b[at] = static_cast<uint8_t>(random());
            }
        });
        guard.Reading("round " + std::to_string(round) + " chunk " + std::to_string(chunk),
                      ChunkBytes(store_, kMetafilePictureGroup, saved.first + chunk));
        HGLOBAL joined = nullptr;
        COLORREF loaded[256];
        int colorCount = 0;
        DWORD size = 0;
        ErrorCode code = LoadPicture(store_, kMetafilePictureGroup, saved.first, saved.count, &joined, nullptr,
                                     &colorCount, loaded, nullptr, &size);
        if (code != 0) {
            ++refused;
            ASSERT_TRUE(IsProgramErrorCode(code)) << "round " << round << ": " << code.value;
            EXPECT_EQ(nullptr, joined);
            continue;
        }
        ASSERT_NE(nullptr, joined);
        EXPECT_LE(colorCount, 256);
        DWORD claimed = 0;
        for (int i = 0; i < saved.count; ++i) {
            std::vector<uint8_t> c = ChunkBytes(store_, kMetafilePictureGroup, saved.first + i);
            DWORD n = ReadLeU16(c.data() + kChunkDataBytes);
            ASSERT_LE(kChunkData + n, c.size());
            claimed += n - (i == 0 ? 4 * colorCount : 0);
        }
        EXPECT_EQ(claimed, size);
        EXPECT_EQ(size, GlobalSize(joined));
        GlobalFree(joined);
    }
    EXPECT_GT(refused, 0);
}

} // namespace
