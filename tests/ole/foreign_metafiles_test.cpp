// Plain and enhanced metafiles made placeable for the import, and damaged
// ones refused without reading past their bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <vector>

#include "common/handle_words.h"
#include "objects/placeable_metafile.h"
#include "ole/foreign_metafiles.h"
#include "support/crash_guard.h"
#include "support/guarded_bytes.h"

namespace {

std::vector<uint8_t> PlainMetafile()
{
    HDC dc = CreateMetaFileA(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 1200, 600, nullptr);
    Rectangle(dc, 100, 100, 1100, 500);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return bytes;
}

// Two inches by one on paper.
std::vector<uint8_t> EnhancedMetafile()
{
    const RECT frame = {0, 0, 5080, 2540};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    Rectangle(dc, 10, 10, 150, 80);
    Ellipse(dc, 20, 20, 100, 60);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    std::vector<uint8_t> bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(metafile);
    return bytes;
}

TEST(ForeignMetafiles, PlainMetafileGetsItsWindowAsTheBox)
{
    const std::vector<uint8_t> plain = PlainMetafile();
    std::vector<uint8_t> placeable;
    ASSERT_EQ(kErrNone, PlaceableFromForeignMetafile(plain.data(), plain.size(), &placeable));
    ASSERT_EQ(plain.size() + 22, placeable.size());
    EXPECT_EQ(kPlaceableKey, ReadLeU32(placeable.data()));
    EXPECT_EQ(1200, ReadLeI16(&placeable[10]));
    EXPECT_EQ(600, ReadLeI16(&placeable[12]));
    // The longer side is four inches.
    EXPECT_EQ(300, ReadLeU16(&placeable[14]));
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum = static_cast<uint16_t>(checksum ^ ReadLeU16(&placeable[2 * i]));
    EXPECT_EQ(checksum, ReadLeU16(&placeable[20]));
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), placeable.begin() + 22));
}

TEST(ForeignMetafiles, EnhancedMetafileKeepsItsSizeOnPaper)
{
    const std::vector<uint8_t> enhanced = EnhancedMetafile();
    std::vector<uint8_t> placeable;
    ASSERT_EQ(kErrNone, PlaceableFromForeignMetafile(enhanced.data(), enhanced.size(), &placeable));
    const int width = ReadLeI16(&placeable[10]) - ReadLeI16(&placeable[6]);
    const int height = ReadLeI16(&placeable[12]) - ReadLeI16(&placeable[8]);
    const int inch = ReadLeU16(&placeable[14]);
    ASSERT_GT(inch, 0);
    // Two inches by one, to a few hundredths.
    EXPECT_NEAR(2.0, static_cast<double>(width) / inch, 0.05);
    EXPECT_NEAR(1.0, static_cast<double>(height) / inch, 0.05);
    EXPECT_TRUE(PlainMetafileHolds(placeable.data() + 22, placeable.size() - 22));
}

TEST(ForeignMetafiles, OtherBytesAreNoMetafile)
{
    const std::vector<uint8_t> text(200, 'a');
    std::vector<uint8_t> placeable;
    EXPECT_EQ(kErrNotDone, PlaceableFromForeignMetafile(text.data(), text.size(), &placeable));
}

unsigned NextRandom(void* random)
{
    return static_cast<unsigned>((*static_cast<std::mt19937*>(random))());
}

TEST(ForeignMetafiles, DamagedMetafilesAreRefusedOrReadWithinTheirBytes)
{
    const int kRounds = 300;
    std::mt19937 random(34);
    CrashGuard guard("foreign-metafile");
    const std::vector<uint8_t> samples[] = {PlainMetafile(), EnhancedMetafile()};
    for (const std::vector<uint8_t>& sample : samples) {
        const std::string kind = &sample == &samples[0] ? "plain" : "enhanced";
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<uint8_t> bytes = Mutated(sample, NextRandom, &random);
            guard.Reading(kind + " round " + std::to_string(round), bytes);
            GuardedBytes guarded(bytes);
            std::vector<uint8_t> placeable;
            const ErrorCode code = PlaceableFromForeignMetafile(guarded.data(), guarded.size(), &placeable);
            ASSERT_TRUE(code == kErrNone || code == kErrNotDone || code == kErrBadMetafile) << code;
            if (code == kErrNone) {
                ASSERT_TRUE(PlainMetafileHolds(placeable.data() + 22, placeable.size() - 22)) << round;
            }
        }
    }
}

TEST(ForeignMetafiles, RecordsRunningPastTheEndAreRefused)
{
    std::vector<uint8_t> plain = PlainMetafile();
    // The first record claims more words than the file has.
    WriteLeU32(&plain[18], 0x7FFFFFFF);
    GuardedBytes guarded(plain);
    std::vector<uint8_t> placeable;
    EXPECT_EQ(kErrBadMetafile, PlaceableFromForeignMetafile(guarded.data(), guarded.size(), &placeable));

    std::vector<uint8_t> enhanced = EnhancedMetafile();
    enhanced.resize(enhanced.size() - 20);
    GuardedBytes cut(enhanced);
    EXPECT_EQ(kErrBadMetafile, PlaceableFromForeignMetafile(cut.data(), cut.size(), &placeable));
}

} // namespace
