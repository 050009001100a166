// LZW-compressed TIFF and run-length BMP files: written by ImageMagick (a
// writer that owes nothing to this program) and read to the pixels
// ImageMagick itself reads from them; hand-made 4-bit runs; damaged files
// answered with a code, never a crash or a read past the data.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/handle_words.h"
#include "image_samples.h"
#include "imaging/image_codecs.h"
#include "imaging/image_errors.h"
#include "imaging/image_file_bytes.h"
#include "support/crash_guard.h"
#include "support/guarded_bytes.h"
#include "support/mutation.h"
#include "support/test_paths.h"
#include "support/unix_command.h"

namespace {

const size_t kBmpCompressionAt = 30;

// A file ImageMagick makes from a stored TIFF of a sample image.
struct MagickCase {
    const char* name;
    int bitCount;
    int width;
    int height;
    const char* options;    // what ImageMagick is told when it writes
    const char* target;     // its output format and extension
    const char* compression;  // what ImageMagick must report of its own file
    PictureDecoder decode;
};

const MagickCase kMagickCases[] = {
    {"lzw_palette", 8, 67, 41, "-compress lzw", "tif", "LZW", DecodeTiff},
    {"lzw_rgb_differences", 24, 65, 70, "-compress lzw -define tiff:predictor=2", "tif", "LZW", DecodeTiff},
    {"lzw_grey_big_endian", 8, 53, 30, "-colorspace Gray -compress lzw -define tiff:endian=msb", "tif", "LZW", DecodeTiff},
    {"lzw_short_strips", 24, 40, 33, "-compress lzw -define tiff:rows-per-strip=4", "tif", "LZW", DecodeTiff},
    // Noise that fills the code table several times over.
    {"lzw_many_codes", 8, 400, 300, "-compress lzw", "tif", "LZW", DecodeTiff},
    {"rle8_runs", 8, 67, 41, "-type Palette -compress RLE", "bmp3:", "RLE", DecodeBmp},
    {"rle8_noise_odd_width", 8, 301, 90, "-type Palette -compress RLE", "bmp3:", "RLE", DecodeBmp},
};

std::string WrittenByMagick(const MagickCase& c)
{
    OwnedImage source;
    MakeSampleImage(c.width, c.height, c.bitCount, 200, 5, &source.image);
    std::vector<uint8_t> stored;
    EXPECT_EQ(kImageOk, EncodeTiff(source.image, 0, &stored));
    const std::string input = TestOutputFolder() + "compressed_" + c.name + "_source.tif";
    SaveBytes(input, stored);
    const bool bmp = std::string(c.target) == "bmp3:";
    const std::string output = TestOutputFolder() + "compressed_" + c.name + (bmp ? ".bmp" : ".tif");
    const std::string target = bmp ? "bmp3:" + UnixPathOf(output) : UnixPathOf(output);
    UnixOutputOf("convert " + UnixPathOf(input) + " " + c.options + " " + target);
    return output;
}

// The pixels as ImageMagick reads them, as plain RGB.
std::vector<uint8_t> MagickPixels(const std::string& path)
{
    const std::string rgbPath = UnixPathOf(path) + ".rgb";
    UnixOutputOf("convert " + UnixPathOf(path) + "[0] -depth 8 rgb:" + rgbPath);
    return LoadBytes(WindowsPathOf(rgbPath));
}

class MagickWritten : public testing::TestWithParam<MagickCase> {};

TEST_P(MagickWritten, ReadsToThePixelsImageMagickReads)
{
    const MagickCase& c = GetParam();
    const std::string path = WrittenByMagick(c);
    EXPECT_EQ(c.compression, UnixOutputOf("identify -format '%C' " + UnixPathOf(path)));
    const std::vector<uint8_t> bytes = LoadBytes(path);
    ASSERT_FALSE(bytes.empty());
    if (std::string(c.name).find("big_endian") != std::string::npos) {
        EXPECT_EQ('M', bytes[0]) << "ImageMagick wrote the other byte order";
    }
    GuardedBytes guarded(bytes);
    DecodedPicture decoded;
    ASSERT_EQ(kImageOk, c.decode(ByteSpan(guarded.data(), guarded.size()), &decoded));
    EXPECT_EQ(c.width, decoded.width);
    EXPECT_EQ(c.height, decoded.height);
    EXPECT_TRUE(MagickPixels(path) == decoded.rgb) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Compressed, MagickWritten, testing::ValuesIn(kMagickCases),
                         [](const testing::TestParamInfo<MagickCase>& param) { return param.param.name; });

// A run-length BMP from its parts: `colours` table entries of grey levels
// (index i is i * 16) and the coded bits as given.
std::vector<uint8_t> RunLengthBmp(int width, int height, int bitCount, int colours, const std::vector<uint8_t>& runs)
{
    const size_t tableEnd = 14 + 40 + static_cast<size_t>(colours) * 4;
    std::vector<uint8_t> file(tableEnd, 0);
    file[0] = 'B';
    file[1] = 'M';
    WriteLeU32(&file[10], static_cast<uint32_t>(tableEnd));
    WriteLeU32(&file[14], 40);
    WriteLeI32(&file[18], width);
    WriteLeI32(&file[22], height);
    WriteLeU16(&file[26], 1);
    WriteLeU16(&file[28], static_cast<uint16_t>(bitCount));
    WriteLeU32(&file[kBmpCompressionAt], bitCount == 4 ? BI_RLE4 : BI_RLE8);
    WriteLeU32(&file[34], static_cast<uint32_t>(runs.size()));
    WriteLeU32(&file[46], static_cast<uint32_t>(colours));
    for (int i = 0; i < colours; ++i)
        file[54 + 4 * i] = file[55 + 4 * i] = file[56 + 4 * i] = static_cast<uint8_t>(i * 16);
    file.insert(file.end(), runs.begin(), runs.end());
    WriteLeU32(&file[2], static_cast<uint32_t>(file.size()));
    return file;
}

// The decoded picture as table indexes, rows from the top.
std::string IndexesOf(const DecodedPicture& picture)
{
    std::string rows;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            rows += "0123456789ABCDEF"[picture.rgb[(size_t(y) * picture.width + x) * 3] / 16];
        rows += '/';
    }
    return rows;
}

struct RunCase {
    const char* name;
    int width;
    int height;
    int bitCount;
    std::vector<uint8_t> runs;
    const char* expected;  // indexes, rows from the top
};

TEST(RunLengthBmp, HandMadeRunsLandWhereTheyShould)
{
    const RunCase cases[] = {
        {"four_bit_runs_alternate_nibbles", 5, 2, 4, {5, 0x12, 0, 0, 4, 0x34, 0, 1}, "34340/12121/"},
        {"four_bit_odd_literal_padded", 5, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0x00, 0, 1}, "12345/"},
        {"eight_bit_literal_padded", 3, 2, 8, {0, 3, 1, 2, 3, 0, 0, 0, 2, 7, 0, 1}, "770/123/"},
        {"delta_skips_to_the_background", 4, 3, 8, {1, 5, 0, 2, 2, 1, 1, 6, 0, 1}, "0000/0006/5000/"},
        {"end_of_line_early_leaves_background", 4, 2, 8, {2, 9, 0, 0, 4, 3, 0, 1}, "3333/9900/"},
        {"run_past_the_width_is_clipped", 3, 1, 8, {9, 4, 0, 1}, "444/"},
        {"rows_past_the_top_are_dropped", 2, 1, 8, {2, 1, 0, 0, 2, 2, 0, 1}, "11/"},
    };
    for (const RunCase& c : cases) {
        GuardedBytes guarded(RunLengthBmp(c.width, c.height, c.bitCount, 16, c.runs));
        DecodedPicture decoded;
        ASSERT_EQ(kImageOk, DecodeBmp(ByteSpan(guarded.data(), guarded.size()), &decoded)) << c.name;
        EXPECT_EQ(c.expected, IndexesOf(decoded)) << c.name;
    }
}

struct Damage {
    const char* name;
    std::vector<uint8_t> bytes;
    ErrorCode expected;
};

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> patch)
{
    std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<long>(at));
    return bytes;
}

// A small LZW TIFF whose one strip holds the given bytes.
std::vector<uint8_t> LzwTiff(const std::vector<uint8_t>& strip, uint16_t bits, uint16_t predictor)
{
    std::vector<uint8_t> file = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const uint16_t kEntries = 8;
    const uint32_t stripAt = 8 + 2 + kEntries * 12 + 4;
    file.resize(stripAt, 0);
    WriteLeU16(&file[8], kEntries);
    const uint32_t entries[kEntries][3] = {{256, 3, 4}, {257, 3, 2}, {258, 3, bits}, {259, 3, 5},
                                           {262, 3, 1}, {273, 4, stripAt}, {279, 4, uint32_t(strip.size())},
                                           {317, 3, predictor}};
    for (uint16_t i = 0; i < kEntries; ++i) {
        uint8_t* entry = &file[10 + 12 * i];
        WriteLeU16(entry, static_cast<uint16_t>(entries[i][0]));
        WriteLeU16(entry + 2, static_cast<uint16_t>(entries[i][1]));
        WriteLeU32(entry + 4, 1);
        WriteLeU32(entry + 8, entries[i][2]);
    }
    file.insert(file.end(), strip.begin(), strip.end());
    return file;
}

// 9-bit codes from the high bit: clear, 10, 20, 30, 258 ("10 20"), end.
const std::vector<uint8_t> kLzwStrip = {0x80, 0x02, 0x82, 0x81, 0xE8, 0x14, 0x04};

TEST(CompressedDamage, NamedDamageIsRefused)
{
    const std::vector<uint8_t> rle = RunLengthBmp(4, 2, 8, 16, {4, 1, 0, 0, 4, 2, 0, 1});
    const Damage damages[] = {
        {"rle_without_end_mark", RunLengthBmp(4, 2, 8, 16, {4, 1, 0, 0, 4, 2}), kImageDamaged},
        {"rle_literal_past_the_end", RunLengthBmp(4, 1, 8, 16, {0, 9, 1, 2}), kImageDamaged},
        {"rle_delta_cut", RunLengthBmp(4, 1, 8, 16, {0, 2, 1}), kImageDamaged},
        {"rle_index_outside_the_table", RunLengthBmp(4, 1, 8, 4, {4, 9, 0, 1}), kImageDamaged},
        {"rle_top_down", Patched(rle, 22, {0xFE, 0xFF, 0xFF, 0xFF}), kImageDamaged},
        {"rle8_of_four_bits", Patched(rle, 28, {4}), kImageDamaged},
        {"rle_table_over_the_bits", Patched(rle, 10, {20}), kImageDamaged},
        {"rle_bits_outside_the_file", Patched(rle, 10, {0xFF, 0xFF, 0, 0}), kImageDamaged},
        {"lzw_code_not_yet_made", LzwTiff({0x80, 0x02, 0x82, 0x81, 0xE8, 0x34, 0x04}, 8, 1), kImageDamaged},
        {"lzw_first_code_not_a_byte", LzwTiff({0x80, 0x40, 0xA0, 0x20}, 8, 1), kImageDamaged},
        {"lzw_differences_of_four_bits", LzwTiff(kLzwStrip, 4, 2), kImageUnsupported},
        {"lzw_unknown_predictor", LzwTiff(kLzwStrip, 8, 3), kImageUnsupported},
    };
    for (const Damage& damage : damages) {
        GuardedBytes guarded(damage.bytes);
        DecodedPicture picture;
        const PictureDecoder decode = damage.bytes[0] == 'B' ? DecodeBmp : DecodeTiff;
        EXPECT_EQ(damage.expected, decode(ByteSpan(guarded.data(), guarded.size()), &picture)) << damage.name;
    }
}

TEST(CompressedDamage, TheHandMadeSamplesReadBeforeTheyAreDamaged)
{
    DecodedPicture picture;
    ASSERT_EQ(kImageOk, DecodeTiff(LzwTiff(kLzwStrip, 8, 1), &picture));
    const uint8_t expected[] = {10, 20, 30, 10, 20, 0, 0, 0};
    for (size_t i = 0; i < sizeof(expected); ++i)
        EXPECT_EQ(expected[i], picture.rgb[i * 3]) << "pixel " << i;
    ASSERT_EQ(kImageOk, DecodeTiff(LzwTiff(kLzwStrip, 8, 2), &picture));
    EXPECT_EQ(30, picture.rgb[3]) << "the second pixel adds the first";
}

bool IsImageCode(ErrorCode code)
{
    return code == kImageOk || (code.value >= kImageUnsupported && code.value <= kImageBadRange);
}

// Seeded mutants of files ImageMagick wrote and of the hand-made ones; each
// read on bytes that end at a guard page, under the crash guard.
TEST(CompressedDamage, MutantsAnswerAnImageCode)
{
    const int kRounds = 400;
    std::vector<std::vector<uint8_t>> seeds = {
        LoadBytes(WrittenByMagick(kMagickCases[0])), LoadBytes(WrittenByMagick(kMagickCases[1])),
        LoadBytes(WrittenByMagick(kMagickCases[5])),
        RunLengthBmp(5, 2, 4, 16, {5, 0x12, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0x00, 0, 2, 1, 1, 0, 1}),
        LzwTiff(kLzwStrip, 8, 2)};
    CrashGuard guard("compressed-picture");
    Lcg random(20261211);
    for (size_t s = 0; s < seeds.size(); ++s) {
        ASSERT_FALSE(seeds[s].empty()) << "seed " << s;
        const size_t kKeepSignature = 2;
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<uint8_t> mutant = MutateBytes(seeds[s], kKeepSignature, &random);
            const std::string name = "seed " + std::to_string(s) + " round " + std::to_string(round);
            guard.Reading(name, mutant);
            GuardedBytes guarded(mutant);
            DecodedPicture picture;
            const PictureDecoder decode = seeds[s][0] == 'B' ? DecodeBmp : DecodeTiff;
            const ErrorCode code = decode(ByteSpan(guarded.data(), guarded.size()), &picture);
            ASSERT_TRUE(IsImageCode(code)) << name << ": " << code.value;
            if (code == kImageOk) {
                ASSERT_EQ(size_t(picture.width) * picture.height * 3, picture.rgb.size()) << name;
            }
        }
    }
}

} // namespace
