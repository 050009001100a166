// Pictures written and read back by this program's own codecs, and by
// ImageMagick as a reader that owes nothing to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "image_samples.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"
#include "support/test_paths.h"
#include "support/unix_command.h"

namespace {

using Encoder = std::function<ErrorCode(const RasterImage&, std::vector<uint8_t>*)>;
using Decoder = PictureDecoder;

struct LosslessCase {
    const char* name;
    const char* extension;
    int bitCount;
    int width;
    int height;
    Encoder encode;
    Decoder decode;
};

const LosslessCase kLossless[] = {
    {"pcx_8bit", "pcx", 8, 67, 41, EncodePcx, DecodePcx},
    {"pcx_1bit_coloured", "pcx", 1, 53, 30, EncodePcx, DecodePcx},
    {"pcx_1bit_black_and_white", "pcx", 1, 53, 30, EncodePcx, DecodePcx},
    {"pcx_24bit", "pcx", 24, 33, 20, EncodePcx, DecodePcx},
    {"tiff_8bit_stored", "tif", 8, 67, 41, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeTiff(i, 0, b); }, DecodeTiff},
    {"tiff_8bit_packbits", "tif", 8, 300, 90, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeTiff(i, kTiffPackBits, b); }, DecodeTiff},
    {"tiff_1bit", "tif", 1, 53, 30, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeTiff(i, kTiffPackBits, b); }, DecodeTiff},
    {"tiff_24bit", "tif", 24, 65, 70, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeTiff(i, 0, b); }, DecodeTiff},
    {"gif_plain", "gif", 8, 67, 41, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeGif(i, 0, -1, b); }, DecodeGif},
    {"gif_interlaced", "gif", 8, 61, 37, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeGif(i, kGifInterlaced, -1, b); }, DecodeGif},
    // Enough noise to fill the code table several times over.
    {"gif_many_codes", "gif", 8, 400, 300, [](const RasterImage& i, std::vector<uint8_t>* b) { return EncodeGif(i, kGifInterlaced, -1, b); }, DecodeGif},
};

void MakeCaseImage(const LosslessCase& c, RasterImage* image)
{
    MakeSampleImage(c.width, c.height, c.bitCount, 200, 7, image);
    if (std::string(c.name).find("black_and_white") != std::string::npos) {
        image->palette[0] = {0, 0, 0, 0};
        image->palette[1] = {255, 255, 255, 0};
    }
}

class LosslessRoundTrip : public testing::TestWithParam<LosslessCase> {};

TEST_P(LosslessRoundTrip, ReadsBackEveryPixel)
{
    const LosslessCase& c = GetParam();
    OwnedImage source;
    MakeCaseImage(c, &source.image);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kImageOk, c.encode(source.image, &bytes));
    DecodedPicture decoded;
    ASSERT_EQ(kImageOk, c.decode(bytes, &decoded));
    const DecodedPicture expected = PixelsOf(source.image);
    EXPECT_EQ(expected.width, decoded.width);
    EXPECT_EQ(expected.height, decoded.height);
    EXPECT_TRUE(expected.rgb == decoded.rgb);
}

// ImageMagick reads the same file to the same pixels: the written file is
// the format others know, not only the one this program reads.
TEST_P(LosslessRoundTrip, ImageMagickReadsTheSamePixels)
{
    const LosslessCase& c = GetParam();
    OwnedImage source;
    MakeCaseImage(c, &source.image);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kImageOk, c.encode(source.image, &bytes));
    const std::string written = TestOutputFolder() + "codec_" + c.name + "." + c.extension;
    SaveBytes(written, bytes);
    const std::string unixPath = UnixPathOf(written);
    const std::string size = UnixOutputOf("identify -format '%w %h' " + unixPath + "[0]");
    EXPECT_EQ(std::to_string(c.width) + " " + std::to_string(c.height), size);
    // The pixels as ImageMagick reads them, as plain RGB.
    const std::string rgbPath = unixPath + ".rgb";
    UnixOutputOf("convert " + unixPath + "[0] -depth 8 rgb:" + rgbPath);
    const std::vector<uint8_t> magick = LoadBytes(WindowsPathOf(rgbPath));
    EXPECT_TRUE(PixelsOf(source.image).rgb == magick) << c.name << " differs as ImageMagick reads it";
}

INSTANTIATE_TEST_SUITE_P(Codecs, LosslessRoundTrip, testing::ValuesIn(kLossless),
                         [](const testing::TestParamInfo<LosslessCase>& param) { return param.param.name; });

TEST(JpegRoundTrip, QualityNinetyKeepsTheGradientAboveThirtyDecibels)
{
    OwnedImage source;
    MakeSampleImage(160, 120, 24, 0, 1, &source.image);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kImageOk, EncodeJpeg(source.image, 90, &bytes));
    DecodedPicture decoded;
    ASSERT_EQ(kImageOk, DecodeJpeg(bytes, &decoded));
    EXPECT_GT(Psnr(PixelsOf(source.image), decoded), 30.0);
    const std::string written = TestOutputFolder() + "codec_jpeg_q90.jpg";
    SaveBytes(written, bytes);
    EXPECT_EQ("160 120 JPEG", UnixOutputOf("identify -format '%w %h %m' " + UnixPathOf(written)));
}

TEST(GifWriter, MarksTheTransparentIndexOnlyWhenAsked)
{
    OwnedImage source;
    MakeSampleImage(20, 10, 8, 16, 3, &source.image);
    struct Case {
        int mode;
        int index;
        bool marked;
    } cases[] = {{kGifTransparent, 5, true}, {kGifInterlaced | kGifTransparent, 0, true}, {0, 5, false},
                 {kGifTransparent, -1, false}, {kGifInterlaced, 5, false}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes;
        ASSERT_EQ(kImageOk, EncodeGif(source.image, c.mode, c.index, &bytes));
        const std::vector<uint8_t> control = {0x21, 0xF9, 0x04, 0x01, 0, 0, static_cast<uint8_t>(c.index)};
        const bool found = std::search(bytes.begin(), bytes.end(), control.begin(), control.end()) != bytes.end();
        EXPECT_EQ(c.marked, found) << "mode " << c.mode << " index " << c.index;
        const size_t descriptor = 13 + 256 * 3 + (c.marked ? 8 : 0);
        ASSERT_GT(bytes.size(), descriptor + 9);
        EXPECT_EQ(0x2C, bytes[descriptor]);
        EXPECT_EQ((c.mode & kGifInterlaced) != 0, (bytes[descriptor + 9] & 0x40) != 0);
    }
}

TEST(GifReader, ShowsTransparentPixelsOverWhitePaper)
{
    OwnedImage source;
    MakeSampleImage(24, 16, 8, 6, 5, &source.image);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kImageOk, EncodeGif(source.image, kGifTransparent, 2, &bytes));
    DecodedPicture decoded;
    ASSERT_EQ(kImageOk, DecodeGif(bytes, &decoded));
    const DecodedPicture opaque = PixelsOf(source.image);
    int transparent = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            const size_t at = (static_cast<size_t>(y) * 24 + x) * 3;
            const bool clear = ImageRow(&source.image, y)[x] == 2;
            transparent += clear;
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(clear ? 255 : opaque.rgb[at + c], decoded.rgb[at + c]) << x << "," << y;
        }
    EXPECT_GT(transparent, 0);
}

TEST(ColourReduction, KeepsTheExactColoursWhenTheyFitAndApproximatesOtherwise)
{
    OwnedImage few, many, target;
    MakeSampleImage(64, 32, 8, 50, 2, &few.image);
    OwnedImage wide;
    ASSERT_EQ(kImageOk, allocDIB(&wide.image, 64, 32, 24));
    ASSERT_EQ(kImageOk, StoreDecoded(PixelsOf(few.image), &wide.image));
    ASSERT_EQ(kImageOk, allocimage(&target.image, 64, 32, 8));
    ASSERT_EQ(kImageOk, convertrgbtopal(256, &wide.image, &target.image));
    EXPECT_TRUE(PixelsOf(few.image).rgb == PixelsOf(target.image).rgb);

    MakeSampleImage(200, 100, 24, 0, 2, &many.image);
    OwnedImage reduced;
    ASSERT_EQ(kImageOk, allocimage(&reduced.image, 200, 100, 8));
    ASSERT_EQ(kImageOk, convertrgbtopal(256, &many.image, &reduced.image));
    EXPECT_GT(Psnr(PixelsOf(many.image), PixelsOf(reduced.image)), 25.0);
}

TEST(ColourReduction, WidensOneBitImagesToEightBits)
{
    OwnedImage mono, wide;
    MakeSampleImage(33, 9, 1, 2, 4, &mono.image);
    mono.image.palette[0] = {10, 20, 30, 0};
    mono.image.palette[1] = {200, 210, 220, 0};
    ASSERT_EQ(kImageOk, allocimage(&wide.image, 33, 9, 8));
    ASSERT_EQ(kImageOk, convert1bitto8bit(&mono.image, &wide.image));
    EXPECT_TRUE(PixelsOf(mono.image).rgb == PixelsOf(wide.image).rgb);
}

TEST(DibToImage, TakesEveryDepthAPackedDibCanHave)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const int width = 13, height = 5;
        const int entries = bits <= 8 ? 1 << bits : 0;
        const size_t line = static_cast<size_t>((width * bits + 31) / 32 * 4);
        std::vector<uint8_t> dib(40 + entries * 4 + line * height, 0);
        BITMAPINFOHEADER header = {40, width, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
        std::memcpy(dib.data(), &header, sizeof(header));
        for (int i = 0; i < entries; ++i)
            dib[40 + i * 4] = static_cast<uint8_t>(i * 15);  // blue rises with the index
        for (size_t i = 40 + entries * 4; i < dib.size(); ++i)
            dib[i] = static_cast<uint8_t>(i * 7);
        OwnedImage image;
        ASSERT_EQ(kImageOk, dibtoimage(dib.data(), dib.size(), &image.image)) << bits;
        EXPECT_EQ(bits == 1 ? 1 : bits <= 8 ? 8 : 24, image.image.bitCount) << bits;
        EXPECT_EQ(width, image.image.width);
        // One byte short of the bits is refused.
        OwnedImage refused;
        EXPECT_EQ(kImageNotFormat, dibtoimage(dib.data(), dib.size() - 1, &refused.image)) << bits;
    }
}

TEST(InfoFunctions, EachAnswersForItsOwnFormatOnly)
{
    OwnedImage source;
    MakeSampleImage(31, 17, 8, 40, 9, &source.image);
    std::vector<uint8_t> pcx, tiff, gif, jpeg;
    ASSERT_EQ(kImageOk, EncodePcx(source.image, &pcx));
    ASSERT_EQ(kImageOk, EncodeTiff(source.image, 0, &tiff));
    ASSERT_EQ(kImageOk, EncodeGif(source.image, 0, -1, &gif));
    ASSERT_EQ(kImageOk, EncodeJpeg(source.image, 90, &jpeg));
    using Info = InfoReader;
    const Info infos[] = {PcxInfoOf, TiffInfoOf, GifInfoOf, JpegInfoOf, BmpInfoOf};
    const std::vector<uint8_t>* files[] = {&pcx, &tiff, &gif, &jpeg};
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 5; ++i) {
            ImageFileInfo info;
            const ErrorCode code = infos[i](*files[f], &info);
            EXPECT_EQ(f == i, code == kImageOk) << "file " << f << " reader " << i;
            if (f == i) {
                EXPECT_EQ(31, info.width);
                EXPECT_EQ(17, info.height);
            }
        }
}

TEST(InfoFunctions, AMissingFileCannotBeOpened)
{
    ImageFileInfo info;
    const std::string path = ScratchPath("missing.pcx");
    EXPECT_EQ(kImageCannotOpen, pcxinfo(path.c_str(), &info));
    EXPECT_EQ(kImageCannotOpen, bmpinfo(path.c_str(), &info));
}

} // namespace
