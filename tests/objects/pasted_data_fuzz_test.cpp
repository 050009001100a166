// What paste takes from the clipboard comes from any program: damaged packed
// DIBs and metafile pictures, seeded and under the crash guard, are refused
// with a code or placed soundly.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drawing_fixture.h"
#include "objects/clipboard_pictures.h"
#include "objects/packed_dib.h"
#include "objects/picture_chunks.h"
#include "objects/picture_place.h"
#include "picture_test_support.h"
#include "support/crash_guard.h"
#include "support/guarded_bytes.h"
#include "support/mutation.h"

namespace {

const int kRounds = 150;
const uint32_t kSeed = 20261211;

// An 8-bit DIB with a short colour table, as other programs put it on the
// clipboard.
std::vector<uint8_t> IndexedDib(int width, int height, int colours)
{
    const int stride = (width + 3) / 4 * 4;
    BITMAPINFOHEADER header = DibHeader(width, height, 8);
    header.biClrUsed = static_cast<DWORD>(colours);
    std::vector<uint8_t> dib(sizeof(header) + 4 * static_cast<size_t>(colours) + size_t(stride) * height, 0);
    std::memcpy(dib.data(), &header, sizeof(header));
    for (int i = 0; i < colours; ++i)
        dib[sizeof(header) + 4 * i] = static_cast<uint8_t>(i * 40);
    for (size_t i = sizeof(header) + 4 * static_cast<size_t>(colours); i < dib.size(); ++i)
        dib[i] = static_cast<uint8_t>(i % colours);
    return dib;
}

using PastedData = DrawingFixture;

TEST_F(PastedData, DamagedDibsAreRefusedOrPlacedSoundly)
{
    const std::vector<std::vector<uint8_t>> seeds = {SolidDib(7, 5, RGB(10, 200, 30)), IndexedDib(9, 4, 5)};
    PixelCanvas canvas(40, 40);
    CrashGuard guard("pasted-dib");
    Lcg random(kSeed);
    int placed = 0;
    for (size_t s = 0; s < seeds.size(); ++s) {
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<uint8_t> mutant = MutateBytes(seeds[s], 0, &random);
            const std::string name = "seed " + std::to_string(s) + " round " + std::to_string(round);
            guard.Reading(name, mutant);
            GuardedBytes guarded(mutant);
            DibLayout layout = {};
            const bool sound = CheckPackedDib(guarded.data(), static_cast<DWORD>(guarded.size()), DIB_RGB_COLORS, 0,
                                              &layout);
            if (sound) {
                ASSERT_LE(uint64_t{layout.headerBytes} + layout.tableBytes + layout.bitsBytes, mutant.size()) << name;
            }
            RECT rect = {0, 0, 40, 40};
            HGLOBAL block = BlockOf(mutant);
            const ErrorCode drawn = DrawDib(canvas.Dc(), &rect, block);
            GlobalFree(block);
            ASSERT_TRUE(drawn == kErrNone || drawn == kErrBadPicture) << name << ": " << drawn.value;
            const POINT at = {600, 600};
            const ErrorCode code = PlaceDibPicture(view_, Drawing(), BlockOf(mutant), &at);
            ASSERT_TRUE(IsProgramErrorCode(code)) << name << ": " << code.value;
            ASSERT_EQ(sound, code == kErrNone) << name << ": the check and the placing disagree";
            placed += code == kErrNone ? 1 : 0;
        }
    }
    EXPECT_GT(placed, 0);
}

TEST_F(PastedData, DamagedMetafilePicturesAreRefusedOrReadSoundly)
{
    const std::vector<uint8_t> base = RecordWmf([](HDC dc) {
        SetWindowExtEx(dc, 200, 100, nullptr);
        Rectangle(dc, 10, 10, 150, 90);
        Ellipse(dc, 20, 20, 60, 60);
        TextOutA(dc, 5, 5, "pasted", 6);
    });
    CrashGuard guard("pasted-metafile-picture");
    Lcg random(kSeed);
    int read = 0;
    const size_t kKeepHeader = 18;
    for (int round = 0; round < kRounds * 2; ++round) {
        const std::vector<uint8_t> mutant = MutateBytes(base, kKeepHeader, &random);
        const std::string name = "round " + std::to_string(round);
        guard.Reading(name, mutant);
        HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(mutant.size()), mutant.data());
        if (!metafile)
            continue;
        METAFILEPICT picture = {MM_ANISOTROPIC, static_cast<LONG>(random.Next() % 100000) - 20000,
                                static_cast<LONG>(random.Next() % 100000) - 20000, metafile};
        HGLOBAL pict = BlockOf(std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(&picture),
                                                    reinterpret_cast<const uint8_t*>(&picture) + sizeof(picture)));
        HGLOBAL bits = nullptr;
        RECT size = {}, bounds = {};
        int colorCount = 0, scanFlags = 0;
        COLORREF colors[256];
        const ErrorCode code = ReadMetafilePict(&bits, &size, &bounds, &colorCount, colors, &scanFlags, pict);
        // The reader deletes the metafile it was given.
        GlobalFree(pict);
        ASSERT_TRUE(code == kErrNone || code == kErrBadPicture || code == kErrBadMetafile || code == kErrNoMemory)
            << name << ": " << code.value;
        if (code != kErrNone) {
            ASSERT_EQ(nullptr, bits) << name;
            continue;
        }
        ++read;
        ASSERT_NE(nullptr, bits) << name;
        EXPECT_GT(size.right, 0) << name;
        EXPECT_GT(size.bottom, 0) << name;
        EXPECT_LE(colorCount, 256) << name;
        GlobalFree(bits);
    }
    EXPECT_GT(read, 0);
}

} // namespace
