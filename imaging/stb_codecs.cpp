// BMP (but for run-length files), GIF and JPEG through stb's readers, JPEG
// through its writer. Each
// decoder checks the format's signature first, so stb never reads a file of
// another format under the wrong name.
#include <cstring>
#include <new>

#include <stb_image.h>
#include <stb_image_write.h>

#include "common/handle_words.h"
#include "imaging/bmp_rle.h"
#include "imaging/image_codecs.h"
#include "imaging/image_file_bytes.h"
#include "imaging/image_info.h"

namespace {

const int kRgbChannels = 3;
const int kRgbaChannels = 4;
const size_t kBmpFileHeader = 14;
const size_t kBmpCoreHeader = 12;
const size_t kBmpInfoHeader = 40;

bool StartsWith(ByteSpan bytes, const char* signature, size_t length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

bool IsGif(ByteSpan bytes)
{
    return StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6);
}

bool IsJpeg(ByteSpan bytes)
{
    return StartsWith(bytes, "\xFF\xD8\xFF", 3);
}

int StbLength(ByteSpan bytes)
{
    return static_cast<int>(bytes.size());
}

ErrorCode StbInfo(ByteSpan bytes, ImageFileInfo* info)
{
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), StbLength(bytes), &width, &height, &channels))
        return kImageDamaged;
    if (width <= 0 || height <= 0 || width > kImageMaxSide || height > kImageMaxSide ||
        int64_t{width} * height > kImageMaxPixels)
        return kImageDamaged;
    info->width = width;
    info->height = height;
    info->planes = 1;
    return kImageOk;
}

// Transparent and translucent pixels are shown over white paper, the way the
// picture would look in a drawing, rather than over stb's black.
void OverWhite(const stbi_uc* rgba, DecodedPicture* picture)
{
    const int kOpaque = 255;
    uint8_t* out = picture->rgb.data();
    const size_t pixels = picture->rgb.size() / kRgbChannels;
    for (size_t i = 0; i < pixels; ++i, rgba += kRgbaChannels)
        for (int c = 0; c < kRgbChannels; ++c)
            *out++ = static_cast<uint8_t>((rgba[c] * rgba[3] + kOpaque * (kOpaque - rgba[3])) / kOpaque);
}

ErrorCode StbDecode(ByteSpan bytes, DecodedPicture* picture)
{
    ImageFileInfo info;
    ErrorCode code = StbInfo(bytes, &info);
    if (code != kImageOk)
        return code;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(bytes.data(), StbLength(bytes), &width, &height, &channels, kRgbaChannels);
    if (!pixels)
        return kImageDamaged;
    code = PrepareDecoded(picture, width, height);
    if (code == kImageOk)
        OverWhite(pixels, picture);
    stbi_image_free(pixels);
    return code;
}

void AppendBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* start = static_cast<const uint8_t*>(data);
    out->insert(out->end(), start, start + size);
}

} // namespace

ErrorCode BmpInfoOf(ByteSpan bytes, ImageFileInfo* info)
{
    if (!StartsWith(bytes, "BM", 2) || bytes.size() < kBmpFileHeader + kBmpCoreHeader)
        return kImageNotFormat;
    const uint8_t* header = bytes.data() + kBmpFileHeader;
    const uint32_t size = ReadLeU32(header);
    if (size == kBmpCoreHeader) {
        info->width = ReadLeU16(header + 4);
        info->height = ReadLeU16(header + 6);
        info->planes = ReadLeU16(header + 8);
        info->bitsPerPixel = ReadLeU16(header + 10);
    } else {
        if (size < kBmpInfoHeader || bytes.size() < kBmpFileHeader + kBmpInfoHeader)
            return kImageDamaged;
        const int32_t height = ReadLeI32(header + 8);
        info->width = ReadLeI32(header + 4);
        info->height = height < 0 && height != INT32_MIN ? -height : height;
        info->planes = ReadLeU16(header + 12);
        info->bitsPerPixel = ReadLeU16(header + 14);
    }
    const int bits = info->bitsPerPixel;
    if (info->width <= 0 || info->height <= 0 || info->width > kImageMaxSide || info->height > kImageMaxSide ||
        info->planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return kImageDamaged;
    return kImageOk;
}

ErrorCode GifInfoOf(ByteSpan bytes, ImageFileInfo* info)
{
    if (!IsGif(bytes))
        return kImageNotFormat;
    ErrorCode code = StbInfo(bytes, info);
    // stb hands the pixels over as RGB, whatever the table.
    info->bitsPerPixel = 24;
    return code;
}

ErrorCode JpegInfoOf(ByteSpan bytes, ImageFileInfo* info)
{
    if (!IsJpeg(bytes))
        return kImageNotFormat;
    ErrorCode code = StbInfo(bytes, info);
    info->bitsPerPixel = 24;
    return code;
}

namespace {

// stb reads the rows of a cut file as zeros: an uncompressed file must hold
// every row it announces.
bool BmpHoldsItsRows(ByteSpan bytes, const ImageFileInfo& info)
{
    const size_t kBitsOffsetAt = 10;
    const size_t kCompressionAt = kBmpFileHeader + 16;
    const uint32_t headerSize = ReadLeU32(bytes.data() + kBmpFileHeader);
    if (headerSize != kBmpCoreHeader && ReadLeU32(bytes.data() + kCompressionAt) != BI_RGB)
        return true;
    const uint64_t rows = static_cast<uint64_t>(ImageLineBytes(info.width, info.bitsPerPixel)) * info.height;
    return ReadLeU32(bytes.data() + kBitsOffsetAt) + rows <= bytes.size();
}

} // namespace

ErrorCode DecodeBmp(ByteSpan bytes, DecodedPicture* picture)
{
    ImageFileInfo info;
    ErrorCode code = BmpInfoOf(bytes, &info);
    if (code == kImageOk && IsRunLengthBmp(bytes))
        return DecodeRunLengthBmp(bytes, picture);
    if (code == kImageOk && !BmpHoldsItsRows(bytes, info))
        code = kImageDamaged;
    return code != kImageOk ? code : StbDecode(bytes, picture);
}

ErrorCode DecodeGif(ByteSpan bytes, DecodedPicture* picture)
{
    return IsGif(bytes) ? StbDecode(bytes, picture) : kImageNotFormat;
}

ErrorCode DecodeJpeg(ByteSpan bytes, DecodedPicture* picture)
{
    return IsJpeg(bytes) ? StbDecode(bytes, picture) : kImageNotFormat;
}

ErrorCode EncodeJpeg(const RasterImage& image, int quality, std::vector<uint8_t>* bytes)
{
    const int kBestQuality = 100;
    if (!image.bits || quality < 1 || quality > kBestQuality)
        return kImageBadRange;
    DecodedPicture picture;
    ErrorCode code = ImageToDecoded(image, &picture);
    if (code != kImageOk)
        return code;
    bytes->clear();
    try {
        if (!stbi_write_jpg_to_func(AppendBytes, bytes, image.width, image.height, kRgbChannels,
                                    picture.rgb.data(), quality))
            return kImageBadRange;
    } catch (const std::bad_alloc&) {
        return kImageNoMemory;
    }
    return kImageOk;
}

ErrorCode bmpinfo(const char* path, ImageFileInfo* info)
{
    return InfoOfFile(path, BmpInfoOf, info);
}

ErrorCode gifinfo(const char* path, ImageFileInfo* info)
{
    return InfoOfFile(path, GifInfoOf, info);
}

ErrorCode jpeginfo(const char* path, ImageFileInfo* info)
{
    return InfoOfFile(path, JpegInfoOf, info);
}

ErrorCode loadbmp(const char* path, RasterImage* image)
{
    return LoadIntoImage(path, DecodeBmp, image);
}

ErrorCode loadgif(const char* path, RasterImage* image)
{
    return LoadIntoImage(path, DecodeGif, image);
}

ErrorCode loadjpg(const char* path, RasterImage* image)
{
    return LoadIntoImage(path, DecodeJpeg, image);
}

ErrorCode savejpg(const char* path, const RasterImage* image, int quality)
{
    std::vector<uint8_t> bytes;
    ErrorCode code = EncodeJpeg(*image, quality, &bytes);
    return code != kImageOk ? code : WriteImageFile(path, bytes);
}
