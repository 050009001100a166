// Damaged picture files: each reader answers a failure code, never crashes
// and never reads past the bytes it was given (they end at a guard page).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>

#include "common/handle_words.h"
#include "image_samples.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"
#include "support/guarded_bytes.h"

namespace {

unsigned NextRandom(void* random)
{
    return static_cast<unsigned>((*static_cast<std::mt19937*>(random))());
}

struct Reader {
    const char* name;
    InfoReader info;
    PictureDecoder decode;
};

const Reader kBmp = {"bmp", BmpInfoOf, DecodeBmp};
const Reader kPcx = {"pcx", PcxInfoOf, DecodePcx};
const Reader kTiff = {"tiff", TiffInfoOf, DecodeTiff};
const Reader kGif = {"gif", GifInfoOf, DecodeGif};
const Reader kJpeg = {"jpeg", JpegInfoOf, DecodeJpeg};

// Both entry points on the guarded copy; true when both refused it or both
// read it with a size that matches.
::testing::AssertionResult ReadsSafely(const Reader& reader, const std::vector<uint8_t>& bytes)
{
    GuardedBytes guarded(bytes);
    const ByteSpan span(guarded.data(), guarded.size());
    ImageFileInfo info;
    const ErrorCode infoCode = reader.info(span, &info);
    DecodedPicture picture;
    const ErrorCode decodeCode = reader.decode(span, &picture);
    if (infoCode.value > 0 || decodeCode.value > 0)
        return ::testing::AssertionFailure() << "a positive code";
    if (decodeCode == kImageOk && (picture.rgb.size() != size_t(picture.width) * picture.height * 3))
        return ::testing::AssertionFailure() << "decoded size does not add up";
    return ::testing::AssertionSuccess();
}

std::vector<uint8_t> SampleBmp(const RasterImage& image)
{
    const size_t fileHeader = 14;
    const size_t tableEnd = 40 + static_cast<size_t>(image.colorCount) * 4;
    const size_t dibBytes = tableEnd + static_cast<size_t>(image.lineBytes) * image.height;
    std::vector<uint8_t> file(fileHeader + dibBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    WriteLeU32(&file[2], static_cast<uint32_t>(file.size()));
    WriteLeU32(&file[10], static_cast<uint32_t>(fileHeader + tableEnd));
    std::memcpy(&file[fileHeader], image.header, dibBytes);
    return file;
}

struct Sample {
    const Reader* reader;
    std::vector<uint8_t> bytes;
};

std::vector<Sample> ValidSamples()
{
    OwnedImage indexed, wide;
    MakeSampleImage(37, 23, 8, 40, 11, &indexed.image);
    MakeSampleImage(37, 23, 24, 0, 11, &wide.image);
    std::vector<Sample> samples;
    std::vector<uint8_t> bytes;
    samples.push_back({&kBmp, SampleBmp(indexed.image)});
    samples.push_back({&kBmp, SampleBmp(wide.image)});
    EXPECT_EQ(kImageOk, EncodePcx(indexed.image, &bytes));
    samples.push_back({&kPcx, bytes});
    EXPECT_EQ(kImageOk, EncodePcx(wide.image, &bytes));
    samples.push_back({&kPcx, bytes});
    EXPECT_EQ(kImageOk, EncodeTiff(indexed.image, kTiffPackBits, &bytes));
    samples.push_back({&kTiff, bytes});
    EXPECT_EQ(kImageOk, EncodeTiff(wide.image, 0, &bytes));
    samples.push_back({&kTiff, bytes});
    EXPECT_EQ(kImageOk, EncodeGif(indexed.image, kGifInterlaced | kGifTransparent, 1, &bytes));
    samples.push_back({&kGif, bytes});
    EXPECT_EQ(kImageOk, EncodeJpeg(wide.image, 90, &bytes));
    samples.push_back({&kJpeg, bytes});
    return samples;
}

TEST(DamagedPictures, EverySampleReadsBeforeItIsDamaged)
{
    for (const Sample& sample : ValidSamples()) {
        DecodedPicture picture;
        EXPECT_EQ(kImageOk, sample.reader->decode(sample.bytes, &picture)) << sample.reader->name;
        EXPECT_EQ(37, picture.width) << sample.reader->name;
    }
}

// Hand-made damage at the places each format's reader trusts least.
struct Damage {
    const char* name;
    const Reader* reader;
    size_t sample;            // index into ValidSamples()
    size_t truncateTo;        // 0 keeps the length
    size_t at;                // where `patch` goes
    std::vector<uint8_t> patch;
    ErrorCode expected;
};

TEST(DamagedPictures, NamedDamageIsRefused)
{
    const std::vector<Sample> samples = ValidSamples();
    const Damage damages[] = {
        {"bmp_only_file_header", &kBmp, 0, 14, 0, {}, kImageNotFormat},
        {"bmp_header_cut", &kBmp, 0, 30, 0, {}, kImageDamaged},
        {"bmp_width_huge", &kBmp, 0, 0, 18, {0xFF, 0xFF, 0xFF, 0x7F}, kImageDamaged},
        {"bmp_two_planes", &kBmp, 0, 0, 26, {2, 0}, kImageDamaged},
        {"bmp_bits_cut", &kBmp, 1, 200, 0, {}, kImageDamaged},
        {"pcx_header_cut", &kPcx, 2, 100, 0, {}, kImageNotFormat},
        {"pcx_line_shorter_than_width", &kPcx, 2, 0, 66, {4, 0}, kImageDamaged},
        {"pcx_two_bit_planes", &kPcx, 2, 0, 3, {2}, kImageUnsupported},
        {"pcx_size_huge", &kPcx, 2, 0, 8, {0xFF, 0xFF, 0xFF, 0xFF}, kImageDamaged},
        {"tiff_directory_outside", &kTiff, 4, 0, 4, {0xF0, 0xFF, 0xFF, 0x7F}, kImageDamaged},
        {"tiff_only_header", &kTiff, 4, 8, 0, {}, kImageDamaged},
        {"tiff_bad_magic", &kTiff, 4, 0, 2, {43}, kImageNotFormat},
        {"gif_cut_in_table", &kGif, 6, 300, 0, {}, kImageDamaged},
        {"gif_zero_width", &kGif, 6, 0, 6, {0, 0}, kImageDamaged},
        {"jpeg_only_marker", &kJpeg, 7, 3, 0, {}, kImageDamaged},
        {"jpeg_cut_in_half", &kJpeg, 7, 0, 0, {}, kImageDamaged},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = samples[damage.sample].bytes;
        if (damage.truncateTo)
            bytes.resize(damage.truncateTo);
        if (std::string(damage.name) == "jpeg_cut_in_half")
            bytes.resize(bytes.size() / 2);
        if (damage.at + damage.patch.size() <= bytes.size())
            std::copy(damage.patch.begin(), damage.patch.end(), bytes.begin() + static_cast<long>(damage.at));
        GuardedBytes guarded(bytes);
        DecodedPicture picture;
        const ErrorCode code = damage.reader->decode(ByteSpan(guarded.data(), guarded.size()), &picture);
        // A JPEG cut in half still decodes its first rows; stb fills the rest.
        if (std::string(damage.name) == "jpeg_cut_in_half")
            EXPECT_TRUE(code == kImageOk || code == kImageDamaged) << damage.name;
        else
            EXPECT_EQ(damage.expected, code) << damage.name;
    }
}

// A seeded mutation loop over each format: bytes flipped, runs zeroed or
// set to 0xFF, the file cut short.
TEST(DamagedPictures, MutatedFilesNeverCrashOrReadPastTheirEnd)
{
    const int kRounds = 250;
    std::mt19937 random(20261211);
    for (const Sample& sample : ValidSamples()) {
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<uint8_t> bytes = Mutated(sample.bytes, NextRandom, &random);
            ASSERT_TRUE(ReadsSafely(*sample.reader, bytes)) << sample.reader->name << " round " << round;
        }
    }
}

TEST(DamagedPictures, EmptyBytesAreNoPictureOfAnyFormat)
{
    for (const Reader* reader : {&kBmp, &kPcx, &kTiff, &kGif, &kJpeg}) {
        GuardedBytes guarded(std::vector<uint8_t>{});
        DecodedPicture picture;
        EXPECT_EQ(kImageNotFormat, reader->decode(ByteSpan(guarded.data(), guarded.size()), &picture)) << reader->name;
    }
}

} // namespace
